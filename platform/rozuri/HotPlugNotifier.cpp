#include "platform/rozuri/HotPlugNotifier.h"

#include <QTimer>

HotPlugNotifier &HotPlugNotifier::instance()
{
    static HotPlugNotifier *notifier = new HotPlugNotifier;
    return *notifier;
}

void HotPlugNotifier::start(RozHotPlugCallback callback, int settleMs)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        callback_ = callback;
        settleMs_ = qMax(0, settleMs);
    }
    if (callback)
        callback();
}

void HotPlugNotifier::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    callback_ = nullptr;
}

void HotPlugNotifier::changed()
{
    int settle = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!callback_ || pending_)
            return;
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        if (relayApp_ != app) {
            relayApp_ = app;
            connect(this, &HotPlugNotifier::changeSeen, app, [this, app](int settleMs) {
                QTimer::singleShot(settleMs, app, [this] { fire(); });
            }, Qt::QueuedConnection);
        }
        pending_ = true;
        settle = settleMs_;
    }
    emit changeSeen(settle);
}

void HotPlugNotifier::fire()
{
    RozHotPlugCallback callback = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = false;
        callback = callback_;
    }
    if (callback)
        callback();
}
