#include "platform/ElapsedTimer.h"

#include <QElapsedTimer>

namespace {

std::function<qint64()>& TestClock()
{
    static std::function<qint64()> clock;
    return clock;
}

// One reference point for the whole process, so that values of different
// timers compare.
qint64 MonotonicMs()
{
    static QElapsedTimer origin = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return origin.elapsed();
}

} // namespace

qint64 ElapsedTimer::Now()
{
    const auto& clock = TestClock();
    return clock ? clock() : MonotonicMs();
}

void ElapsedTimer::start()
{
    startMs = Now();
    started = true;
}

qint64 ElapsedTimer::restart()
{
    const qint64 now = Now();
    const qint64 span = started ? now - startMs : 0;
    startMs = now;
    started = true;
    return span;
}

qint64 ElapsedTimer::elapsed() const
{
    return started ? Now() - startMs : -1;
}

void ElapsedTimer::SetClockForTest(std::function<qint64()> clock)
{
    TestClock() = std::move(clock);
}
