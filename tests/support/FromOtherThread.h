#pragma once

#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <functional>
#include <thread>

// Raises hub signals from another thread, as the device link and the device
// library's report thread do, while this thread keeps serving the pages'
// blocking slots.
inline void FromOtherThread(const std::function<void()>& emitting)
{
    std::atomic<bool> done{false};
    std::thread thread([&]() {
        emitting();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    thread.join();
    QCoreApplication::processEvents();
}
