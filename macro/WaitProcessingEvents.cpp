#include "macro/WaitProcessingEvents.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

void WaitProcessingEvents(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - clock.elapsed()) {
        // A short event loop instead of spinning: it sleeps until an event
        // comes or the slice ends.
        QEventLoop loop;
        QTimer slice;
        slice.setSingleShot(true);
        slice.setTimerType(Qt::PreciseTimer);
        QObject::connect(&slice, &QTimer::timeout, &loop, &QEventLoop::quit);
        slice.start(static_cast<int>(std::min<qint64>(left, 100)));
        loop.exec();
    }
}
