#pragma once

#include "platform/rozuri/ROZUri.h"

#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Delivers reports to the server's callback on a thread of its own, one at a
// time and in order. A new start replaces the callback at once and drops what
// was queued for the old one, without waiting. A stop drops the queue too and
// then waits, for a bounded time, until the callback still running returns:
// after that nothing of the program runs on this thread. When the stop is
// made on the GUI thread, it delivers the queued calls the callback may be
// blocked on meanwhile, so the two threads never wait for each other. The
// thread is joined when the application object goes, or at exit.
class ReportDispatcher {
public:
    static ReportDispatcher &instance();

    void start(RozReportCallback callback);
    // Returns a mark for finishDelivery; the caller may hold its own locks.
    quint64 stop();
    // Waits until no callback started before the stop with this mark runs.
    // Call it without any lock a callback could need.
    void finishDelivery(quint64 stopMark);
    void post(const QByteArray &header, const QByteArray &payload);

    // Length of the payload being delivered on this thread when bytes is
    // that payload, else -1. Lets the image parser tell a short image.
    static int deliveredLength(const unsigned char *bytes);

    // Taken by every library call from its start until it is in the call
    // log: answers it posts wait until then, so a program reacting to an
    // answer cannot log its next call before the call that was answered.
    // The delivery thread only waits between callbacks, so a call made from
    // inside a callback holds nothing up.
    class Hold {
    public:
        Hold();
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
    };

private:
    struct Report {
        quint64 generation;
        QByteArray header;
        QByteArray payload;
    };

    ReportDispatcher() = default;
    void run(quint64 epoch);
    bool waitWhileDelivering(std::unique_lock<std::mutex> &lock, quint64 beforeGeneration);
    static void shutDown();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable delivered_;
    std::deque<Report> queue_;
    quint64 generation_ = 0;
    RozReportCallback callback_ = nullptr;
    std::thread thread_;
    // Counts the threads started; a thread whose number is no longer the
    // current one leaves.
    quint64 threadEpoch_ = 0;
    // The generation of the report whose callback runs now, 0 when none.
    quint64 delivering_ = 0;
    int holds_ = 0;
};
