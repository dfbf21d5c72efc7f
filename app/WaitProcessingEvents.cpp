#include "app/WaitProcessingEvents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// The longest stretch spent in the event loop before the clock is read again.
constexpr qint64 kSliceMs = 100;

} // namespace

void WaitProcessingEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    // Wakes the event loop at the end of each slice, so the wait sleeps while
    // nothing happens instead of spinning.
    QTimer wake;
    wake.setSingleShot(true);
    for (qint64 left = ms; left > 0; left = ms - clock.elapsed()) {
        wake.start(static_cast<int>(qMin(left, kSliceMs)));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}
