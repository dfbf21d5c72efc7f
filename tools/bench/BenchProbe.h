#pragma once

#include <QObject>
#include <QVector>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

// What a measured process (the program or the floor) reports to the
// benchmark: lines "NKBENCH <key> <value>" on standard output.
namespace BenchProbe {

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process.
qint64 NowNs();
void Report(const char* key, double value);
// Runs then once, right after the first expose of a top-level window has
// been handled (painted and flushed). Call before the application object
// exists or right after it was made.
void OnFirstFrame(std::function<void()> then);
// Processes events until done() or the timeout; false on timeout.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
// Processes events for ms milliseconds.
void Idle(int ms);

struct Usage {
    double cpuMs = 0;   // user and system time, all threads
    double wakeups = 0; // voluntary context switches, all threads
    double peakRssKb = 0;
};
Usage CurrentUsage();
double CurrentRssKb();

// The longest time the GUI thread did not come back to its event loop,
// seen by a 1 ms timer.
class StallMeter : public QObject {
public:
    void Start();
    void Stop();
    // Gaps between ticks, longest first, in milliseconds.
    QVector<double> Gaps() const { return m_gaps; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    QVector<double> m_gaps;
};

} // namespace BenchProbe
