#include "windows/WindowWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

void WindowWait::WaitProcessingEvents(int ms)
{
    // A monotonic clock: the wait neither ends early nor hangs when the time
    // of day jumps or passes midnight.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        const int left = static_cast<int>(ms - clock.elapsed());
        QCoreApplication::processEvents(QEventLoop::AllEvents, qMin(100, left));
        if (clock.elapsed() < ms)
            QThread::msleep(1);
    }
}
