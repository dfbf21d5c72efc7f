#pragma once

#include "platform/rozuri/ROZUri.h"

#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <mutex>

// Delivers reports to the server's callback on a thread of its own, one at a
// time and in order. A new start or a stop replaces the callback at once and
// drops what was queued for the old one; neither waits for a callback that is
// still running, since the program's callback may be blocked on the GUI
// thread that is calling us.
class ReportDispatcher {
public:
    static ReportDispatcher &instance();

    void start(RozReportCallback callback);
    void stop();
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
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Report> queue_;
    quint64 generation_ = 0;
    RozReportCallback callback_ = nullptr;
    bool threadStarted_ = false;
    int holds_ = 0;
};
