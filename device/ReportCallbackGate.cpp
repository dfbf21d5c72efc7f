#include "device/ReportCallbackGate.h"

#include <QtDebug>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

constexpr std::chrono::milliseconds kLongestCloseWait{1000};

// Plain standard locks: the thread checker sees them, as it does not see
// Qt's own.
std::mutex gateMutex;
std::condition_variable gateIdle;
bool gateOpen = true;
quint64 gateGeneration = 0;
int callbacksInside = 0;

} // namespace

void ReportCallbackGate::Open()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    gateOpen = true;
}

void ReportCallbackGate::Close()
{
    std::unique_lock<std::mutex> lock(gateMutex);
    gateOpen = false;
    ++gateGeneration;
    if (!gateIdle.wait_for(lock, kLongestCloseWait, [] { return callbacksInside == 0; }))
        qWarning("A device report was still being handled when the device link closed.");
}

ReportCallbackGate::Pass::Pass()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    if (!gateOpen)
        return;
    m_inside = true;
    m_generation = gateGeneration;
    ++callbacksInside;
}

ReportCallbackGate::Pass::~Pass()
{
    Leave();
}

void ReportCallbackGate::Pass::Leave()
{
    if (!m_inside)
        return;
    std::lock_guard<std::mutex> lock(gateMutex);
    m_inside = false;
    if (--callbacksInside == 0)
        gateIdle.notify_all();
}

bool ReportCallbackGate::Pass::Emit(const std::function<void()>& raise)
{
    if (!m_inside)
        return false;
    {
        std::lock_guard<std::mutex> lock(gateMutex);
        const bool stillOpen = gateOpen && gateGeneration == m_generation;
        m_inside = false;
        if (--callbacksInside == 0)
            gateIdle.notify_all();
        if (!stillOpen)
            return false;
    }
    raise();
    std::lock_guard<std::mutex> lock(gateMutex);
    if (!gateOpen || gateGeneration != m_generation)
        return false;
    m_inside = true;
    ++callbacksInside;
    return true;
}
