#include "platform/rozuri/TaskScheduler.h"

#include <thread>

TaskScheduler &TaskScheduler::instance()
{
    static TaskScheduler *scheduler = new TaskScheduler;
    return *scheduler;
}

void TaskScheduler::schedule(int delayMs, std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.emplace(std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs), std::move(task));
        if (!threadStarted_) {
            threadStarted_ = true;
            std::thread([this] { run(); }).detach();
        }
    }
    wake_.notify_one();
}

void TaskScheduler::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (tasks_.empty()) {
            wake_.wait(lock);
            continue;
        }
        const auto due = tasks_.begin()->first;
        if (std::chrono::steady_clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        std::function<void()> task = std::move(tasks_.begin()->second);
        tasks_.erase(tasks_.begin());
        lock.unlock();
        task();
        lock.lock();
    }
}
