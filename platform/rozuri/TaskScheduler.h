#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

// Runs delayed device-side work (a pairing that completes later) on one
// thread of its own. Tasks run without the scheduler's lock and must not call
// program callbacks directly; they queue reports instead.
class TaskScheduler {
public:
    static TaskScheduler &instance();
    void schedule(int delayMs, std::function<void()> task);

private:
    TaskScheduler() = default;
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::multimap<std::chrono::steady_clock::time_point, std::function<void()>> tasks_;
    bool threadStarted_ = false;
};
