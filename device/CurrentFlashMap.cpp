#include <mutex>
#include "device/CurrentFlashMap.h"

FlashDataMap currentFlashMap{};
std::mutex CurrentFlashMapLock::s_mutex;

CurrentFlashMapLock::CurrentFlashMapLock()
{
    s_mutex.lock();
}

CurrentFlashMapLock::~CurrentFlashMapLock()
{
    s_mutex.unlock();
}

FlashDataMap CurrentFlashMapLock::Snapshot()
{
    CurrentFlashMapLock lock;
    return lock.Map();
}
