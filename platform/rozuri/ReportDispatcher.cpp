#include "platform/rozuri/ReportDispatcher.h"

#include <thread>

namespace {
thread_local const unsigned char *tDeliveredBytes = nullptr;
thread_local int tDeliveredLength = -1;
}

ReportDispatcher &ReportDispatcher::instance()
{
    // Never destroyed: its thread may be inside a callback at exit.
    static ReportDispatcher *dispatcher = new ReportDispatcher;
    return *dispatcher;
}

void ReportDispatcher::start(RozReportCallback callback)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    queue_.clear();
    callback_ = callback;
    if (!threadStarted_) {
        threadStarted_ = true;
        std::thread([this] { run(); }).detach();
    }
}

void ReportDispatcher::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    queue_.clear();
    callback_ = nullptr;
}

void ReportDispatcher::post(const QByteArray &header, const QByteArray &payload)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!callback_)
            return;
        queue_.push_back(Report{generation_, header, payload});
    }
    wake_.notify_one();
}

ReportDispatcher::Hold::Hold()
{
    ReportDispatcher &d = instance();
    std::lock_guard<std::mutex> lock(d.mutex_);
    ++d.holds_;
}

ReportDispatcher::Hold::~Hold()
{
    ReportDispatcher &d = instance();
    {
        std::lock_guard<std::mutex> lock(d.mutex_);
        --d.holds_;
    }
    d.wake_.notify_all();
}

int ReportDispatcher::deliveredLength(const unsigned char *bytes)
{
    return (bytes && bytes == tDeliveredBytes) ? tDeliveredLength : -1;
}

void ReportDispatcher::run()
{
    for (;;) {
        Report report;
        RozReportCallback callback = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return !queue_.empty() && holds_ == 0; });
            report = queue_.front();
            queue_.pop_front();
            if (report.generation != generation_ || !callback_)
                continue;
            callback = callback_;
        }
        // A zero-length payload still gets a valid pointer.
        static const unsigned char empty[1] = {0};
        const unsigned char *payload = report.payload.isEmpty()
            ? empty : reinterpret_cast<const unsigned char *>(report.payload.constData());
        tDeliveredBytes = payload;
        tDeliveredLength = report.payload.size();
        callback(reinterpret_cast<const unsigned char *>(report.header.constData()), report.header.size(),
                 payload, report.payload.size());
        tDeliveredBytes = nullptr;
        tDeliveredLength = -1;
    }
}
