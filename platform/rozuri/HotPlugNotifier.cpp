#include "platform/rozuri/HotPlugNotifier.h"

#include <QCoreApplication>
#include <QMetaObject>
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
        pending_ = true;
        settle = settleMs_;
    }
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = false;
        return;
    }
    QMetaObject::invokeMethod(app, [this, settle] {
        QTimer::singleShot(settle, QCoreApplication::instance(), [this] { fire(); });
    }, Qt::QueuedConnection);
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
