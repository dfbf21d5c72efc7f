// Linked only into the ThreadSanitizer test builds. Qt is not built with the
// checker, so the ordering a queued or blocking queued signal gives (Qt's
// event queue lock, the semaphore a blocking emit waits on) is invisible to
// it, and every value handed across that way looks like a race. This tells
// the checker about that ordering through Qt's own hooks, without changing
// what runs:
// - an emit publishes what its thread did before it;
// - a queued call delivered on the receiving thread takes that in, and
//   publishes what the slot did when it returns;
// - an emit that returns (a blocking one after its slot ran) takes that in.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>

extern "C" {
void __tsan_acquire(void *addr);
void __tsan_release(void *addr);
}

// Declared by Qt's private headers, which are not installed; exported by
// QtCore for its signal spies (Qt Test's signal dumper uses the same hook).
struct QSignalSpyCallbackSet {
    typedef void (*BeginCallback)(QObject *caller, int signalOrMethodIndex, void **argv);
    typedef void (*EndCallback)(QObject *caller, int signalOrMethodIndex);
    BeginCallback signal_begin_callback;
    BeginCallback slot_begin_callback;
    EndCallback signal_end_callback;
    EndCallback slot_end_callback;
};
void qt_register_signal_spy_callbacks(QSignalSpyCallbackSet *callbackSet);

namespace {

// One ordering point for every signal: Qt orders a queued call after its
// emit, whatever the sender, so a finer key would gain little.
char queuedCallOrder;

// The event our own delivery hands back to Qt, which must then let it pass.
thread_local QEvent *passThrough = nullptr;

void SignalBegins(QObject *, int, void **)
{
    __tsan_release(&queuedCallOrder);
}

void SignalEnds(QObject *, int)
{
    __tsan_acquire(&queuedCallOrder);
}

bool DeliverQueuedCall(void **data)
{
    QObject *receiver = static_cast<QObject *>(data[0]);
    QEvent *event = static_cast<QEvent *>(data[1]);
    if (!event || event->type() != QEvent::MetaCall)
        return false;
    if (passThrough == event) {
        passThrough = nullptr;
        return false;
    }
    __tsan_acquire(&queuedCallOrder);
    passThrough = event;
    *static_cast<bool *>(data[2]) = QCoreApplication::sendEvent(receiver, event);
    __tsan_release(&queuedCallOrder);
    return true;
}

QSignalSpyCallbackSet callbacks = {&SignalBegins, nullptr, &SignalEnds, nullptr};

const bool kRegistered = [] {
    qt_register_signal_spy_callbacks(&callbacks);
    QInternal::registerCallback(QInternal::EventNotifyCallback, &DeliverQueuedCall);
    return true;
}();

} // namespace
