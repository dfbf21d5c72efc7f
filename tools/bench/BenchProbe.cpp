#include "BenchProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace BenchProbe {

qint64 NowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void Report(const char* key, double value)
{
    std::printf("NKBENCH %s %.3f\n", key, value);
    std::fflush(stdout);
}

namespace {

// Hands the first expose of a top-level window on to its window, then
// notes the time: the frame is painted and flushed by then.
class FirstFrameFilter : public QObject {
public:
    explicit FirstFrameFilter(std::function<void()> then) : m_then(std::move(then)) {}

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (m_done || m_inside || event->type() != QEvent::Expose)
            return false;
        auto* window = qobject_cast<QWindow*>(object);
        if (!window || window->parent() || !window->isExposed())
            return false;
        m_inside = true;
        QCoreApplication::sendEvent(object, event);
        m_inside = false;
        m_done = true;
        Report("frame_ns", double(NowNs()));
        auto then = m_then;
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
        then();
        return true;
    }

private:
    std::function<void()> m_then;
    bool m_inside = false;
    bool m_done = false;
};

std::function<void()>& PendingFrameCallback()
{
    static std::function<void()> callback;
    return callback;
}

void InstallPendingFilter()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrameFilter(PendingFrameCallback()));
}

// A "kB" line of /proc/self/status.
double StatusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

} // namespace

void OnFirstFrame(std::function<void()> then)
{
    PendingFrameCallback() = std::move(then);
    if (QCoreApplication::instance())
        InstallPendingFilter();
    else
        qAddPreRoutine(InstallPendingFilter);
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents();
        usleep(200);
    }
    return true;
}

void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

Usage CurrentUsage()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Usage u;
    u.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    u.wakeups = double(usage.ru_nvcsw);
    u.peakRssKb = StatusKb("VmHWM:");
    return u;
}

double CurrentRssKb()
{
    return StatusKb("VmRSS:");
}

void StallMeter::Start()
{
    m_gaps.clear();
    m_clock.start();
    m_last = m_clock.nsecsElapsed();
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
        const qint64 now = m_clock.nsecsElapsed();
        m_gaps.append((now - m_last) / 1e6);
        m_last = now;
    });
    m_timer.start();
}

void StallMeter::Stop()
{
    m_timer.stop();
    m_timer.disconnect();
    const qint64 now = m_clock.nsecsElapsed();
    m_gaps.append((now - m_last) / 1e6);
    std::sort(m_gaps.begin(), m_gaps.end(), std::greater<double>());
}

} // namespace BenchProbe
