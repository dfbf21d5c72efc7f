#include "platform/rozuri/ReportDispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QtDebug>

#include <chrono>
#include <cstdlib>

namespace {
thread_local const unsigned char *tDeliveredBytes = nullptr;
thread_local int tDeliveredLength = -1;
// Set while this thread waits for a callback, so that a stop made from a
// call delivered during that wait does not wait again.
thread_local bool tWaiting = false;

// Leaves room for the program's own closing steps within a second.
constexpr std::chrono::milliseconds kLongestDeliveryWait{500};
constexpr std::chrono::milliseconds kEventPollStep{5};
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
    if (!thread_.joinable()) {
        const quint64 epoch = ++threadEpoch_;
        thread_ = std::thread([this, epoch] { run(epoch); });
        static const bool atExitRegistered = (std::atexit(&ReportDispatcher::shutDown), true);
        Q_UNUSED(atExitRegistered);
        // Joined before the application's objects go, not only at exit.
        if (QCoreApplication::instance())
            qAddPostRoutine(&ReportDispatcher::shutDown);
    }
}

quint64 ReportDispatcher::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++generation_;
    queue_.clear();
    callback_ = nullptr;
    return generation_;
}

void ReportDispatcher::finishDelivery(quint64 stopMark)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!waitWhileDelivering(lock, stopMark))
        qWarning("ROZUri: a report callback was still running when the server stopped.");
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

bool ReportDispatcher::waitWhileDelivering(std::unique_lock<std::mutex> &lock, quint64 beforeGeneration)
{
    auto busy = [this, beforeGeneration] { return delivering_ != 0 && delivering_ < beforeGeneration; };
    // A callback never waits for itself, nor a nested stop for the outer one.
    if (!busy() || std::this_thread::get_id() == thread_.get_id() || tWaiting)
        return true;
    const auto deadline = std::chrono::steady_clock::now() + kLongestDeliveryWait;
    QCoreApplication *app = QCoreApplication::instance();
    const bool onAppThread = app && QThread::currentThread() == app->thread();
    if (!onAppThread)
        return delivered_.wait_until(lock, deadline, [&busy] { return !busy(); });
    // The callback may wait in a blocking signal for this very thread: hand
    // it the queued calls while waiting.
    tWaiting = true;
    while (busy() && std::chrono::steady_clock::now() < deadline) {
        lock.unlock();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        lock.lock();
        delivered_.wait_for(lock, kEventPollStep, [&busy] { return !busy(); });
    }
    tWaiting = false;
    return !busy();
}

void ReportDispatcher::shutDown()
{
    ReportDispatcher &self = instance();
    std::unique_lock<std::mutex> lock(self.mutex_);
    if (!self.thread_.joinable())
        return;
    ++self.generation_;
    self.queue_.clear();
    self.callback_ = nullptr;
    ++self.threadEpoch_;
    self.wake_.notify_all();
    const bool idle = self.waitWhileDelivering(lock, self.generation_);
    std::thread thread = std::move(self.thread_);
    lock.unlock();
    if (idle && thread.get_id() != std::this_thread::get_id()) {
        thread.join();
    } else {
        // Stuck in the program's callback: joining would hang the exit.
        qWarning("ROZUri: the report thread is still in a callback at exit.");
        thread.detach();
    }
}

void ReportDispatcher::run(quint64 epoch)
{
    for (;;) {
        Report report;
        RozReportCallback callback = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            delivering_ = 0;
            delivered_.notify_all();
            wake_.wait(lock, [this, epoch] { return epoch != threadEpoch_ || (!queue_.empty() && holds_ == 0); });
            if (epoch != threadEpoch_)
                return;
            report = queue_.front();
            queue_.pop_front();
            if (report.generation != generation_ || !callback_)
                continue;
            callback = callback_;
            delivering_ = report.generation;
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
