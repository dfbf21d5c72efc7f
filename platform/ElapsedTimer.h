#pragma once

#include <QtGlobal>

#include <functional>

// Milliseconds since a point in time, on a monotonic clock: a change of the
// system clock neither shortens nor stretches a measured span. Tests replace
// the clock so that spans of seconds need no real waiting.
class ElapsedTimer {
public:
    void start();
    // The milliseconds elapsed so far, and starts again from now.
    qint64 restart();
    // The milliseconds since start; -1 when the timer was never started.
    qint64 elapsed() const;
    bool isValid() const { return started; }

    // The clock every timer reads, in milliseconds. Tests only; an empty
    // function restores the monotonic clock.
    static void SetClockForTest(std::function<qint64()> clock);

private:
    static qint64 Now();

    qint64 startMs = 0;
    bool started = false;
};
