#pragma once

#include "device/FlashDataMap.h"

#include <mutex>

// The current device's record. The setting writers change it on the GUI
// thread while the report callback changes it on a thread of the device
// library, so every access goes through a lock. Never hold the lock across a
// blocking hub emit: the GUI thread may be waiting for it in a writer.
extern FlashDataMap currentFlashMap;

class CurrentFlashMapLock {
public:
    CurrentFlashMapLock();
    ~CurrentFlashMapLock();
    CurrentFlashMapLock(const CurrentFlashMapLock&) = delete;
    CurrentFlashMapLock& operator=(const CurrentFlashMapLock&) = delete;

    FlashDataMap& Map() { return currentFlashMap; }
    unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(&currentFlashMap); }

    // A copy taken under the lock.
    static FlashDataMap Snapshot();

private:
    static std::mutex s_mutex;
};
