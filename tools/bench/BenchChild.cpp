#include "BenchChild.h"

#include "BenchProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>
#include <cstdlib>

using namespace BenchProbe;

namespace {

constexpr int kTimeoutMs = 30000;
// Time given to start-up work before a measurement of the idle program.
constexpr int kSettleMs = 1000;

// Ends a measuring run at once: what the process does at exit is not measured here.
[[noreturn]] void Finish(bool ok)
{
    std::fflush(stdout);
    std::_Exit(ok ? 0 : 3);
}

bool OpenPages(const BenchTarget& t)
{
    if (!WaitUntil(t.chooserReady, kTimeoutMs))
        return false;
    t.click();
    return WaitUntil([&t] { return t.pagesFilled() >= 3; }, kTimeoutMs) && WaitUntil(t.settled, kTimeoutMs);
}

void MeasureClick(const BenchTarget& t)
{
    if (!WaitUntil(t.chooserReady, kTimeoutMs))
        Finish(false);
    BenchProbe::StallMeter stalls;
    stalls.Start();
    const qint64 start = NowNs();
    t.click();
    if (!WaitUntil([&t] { return t.pagesFilled() >= 3; }, kTimeoutMs))
        Finish(false);
    stalls.Stop();
    const double total = (t.filledAtNs() - start) / 1e6;
    Report("click_ms", total);
    Report("click_fixed_ms", t.fixedWaitMs);
    Report("click_own_ms", total - t.fixedWaitMs);
    // The fixed pause is one stall of its own; the longest other one counts.
    QVector<double> gaps = stalls.Gaps();
    double longest = 0;
    bool pauseSeen = t.fixedWaitMs <= 0;
    for (double g : gaps) {
        if (!pauseSeen && g >= t.fixedWaitMs) {
            pauseSeen = true;
            longest = qMax(longest, g - t.fixedWaitMs);
            continue;
        }
        longest = qMax(longest, g);
    }
    Report("stall_ms", longest);
    Finish(true);
}

// The click a user makes: the window has been up for a while and the
// program has finished what it does after its first frame.
void MeasureClickAfterIdle(const BenchTarget& t)
{
    if (!WaitUntil(t.chooserReady, kTimeoutMs))
        Finish(false);
    Idle(kSettleMs);
    MeasureClick(t);
}

void MeasureCalls(const BenchTarget& t)
{
    if (!t.calls || !WaitUntil(t.chooserReady, kTimeoutMs))
        Finish(false);
    Report("calls_chooser", t.calls());
    t.clearCalls();
    t.click();
    if (!WaitUntil([&t] { return t.pagesFilled() >= 3; }, kTimeoutMs) || !WaitUntil(t.settled, kTimeoutMs))
        Finish(false);
    Report("calls_click", t.calls());
    t.clearCalls();
    t.writer(2);
    Report("calls_write", t.calls());
    Finish(true);
}

void MeasureIdle(const BenchTarget& t, bool onPages, int idleMs)
{
    if (onPages ? !OpenPages(t) : !WaitUntil(t.chooserReady, kTimeoutMs))
        Finish(false);
    Idle(kSettleMs); // let start-up work finish
    const Usage before = CurrentUsage();
    Idle(idleMs);
    const Usage after = CurrentUsage();
    const double scale = 30000.0 / idleMs;
    Report("idle_cpu_ms", (after.cpuMs - before.cpuMs) * scale);
    Report("idle_wakeups", (after.wakeups - before.wakeups) * scale);
    Report("peak_rss_kb", after.peakRssKb);
    Finish(true);
}

void MeasureEvents(const BenchTarget& t, int events)
{
    if (!OpenPages(t))
        Finish(false);
    Idle(300);
    if (!t.deviceEvent(0))
        Finish(false);
    const double first = CurrentRssKb();
    for (int i = 1; i < events; ++i) {
        if (!t.deviceEvent(i))
            Finish(false);
    }
    Idle(300);
    Report("rss_first_event_kb", first);
    Report("rss_after_events_kb", CurrentRssKb());
    Report("peak_rss_kb", CurrentUsage().peakRssKb);
    Finish(true);
}

void MeasureWriter(const BenchTarget& t, int rounds)
{
    if (!t.writer || !OpenPages(t))
        Finish(false);
    // In turns, so that the state file's writes fall on both alike.
    QElapsedTimer clock;
    qint64 writerNs = 0;
    qint64 libraryNs = 0;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        t.writer(1 + i % 2);
        writerNs += clock.nsecsElapsed();
        clock.start();
        t.libraryOnly(1 + i % 2);
        libraryNs += clock.nsecsElapsed();
    }
    const double writerUs = writerNs / 1e3 / rounds;
    const double libraryUs = libraryNs / 1e3 / rounds;
    Report("writer_us", writerUs);
    Report("library_us", libraryUs);
    Report("writer_own_us", writerUs - libraryUs);
    Finish(true);
}

} // namespace

namespace BenchChild {

void Arm(const QString& mode, BenchTarget target)
{
    const int idleMs = qEnvironmentVariableIsSet("NK_BENCH_IDLE_MS") ? qEnvironmentVariableIntValue("NK_BENCH_IDLE_MS") : 3000;
    OnFirstFrame([mode, target, idleMs] {
        // Measurements run from the event loop, after the frame's own event.
        QTimer::singleShot(0, [mode, target, idleMs] {
            if (mode == QLatin1String("start"))
                QCoreApplication::quit();
            else if (mode == QLatin1String("click"))
                MeasureClick(target);
            else if (mode == QLatin1String("click-idle"))
                MeasureClickAfterIdle(target);
            else if (mode == QLatin1String("calls"))
                MeasureCalls(target);
            else if (mode == QLatin1String("idle-chooser"))
                MeasureIdle(target, false, idleMs);
            else if (mode == QLatin1String("idle-pages"))
                MeasureIdle(target, true, idleMs);
            else if (mode == QLatin1String("events"))
                MeasureEvents(target, 10000);
            else if (mode == QLatin1String("writer"))
                MeasureWriter(target, 1000);
            else
                Finish(false);
        });
    });
}

} // namespace BenchChild
