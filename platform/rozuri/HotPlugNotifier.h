#pragma once

#include "platform/rozuri/ROZUri.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <mutex>

// Holds the one hot-plug callback. A change is reported on the GUI thread,
// through the application's event loop, once the changes have settled for
// the registered number of milliseconds; several changes in that time make
// one call. A change from another thread travels as a queued signal, so no
// thread of the library ever runs the callback.
class HotPlugNotifier : public QObject {
    Q_OBJECT
public:
    static HotPlugNotifier &instance();

    // Registers callback in place of the previous one and calls it at once on
    // the calling thread.
    void start(RozHotPlugCallback callback, int settleMs);
    void stop();
    // Any thread.
    void changed();

signals:
    void changeSeen(int settleMs);

private:
    HotPlugNotifier() = default;
    void fire();

    std::mutex mutex_;
    RozHotPlugCallback callback_ = nullptr;
    int settleMs_ = 0;
    bool pending_ = false;
    // The application the relay is connected to; a new one gets its own.
    QPointer<QCoreApplication> relayApp_;
};
