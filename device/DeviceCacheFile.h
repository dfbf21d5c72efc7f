#pragma once

#include "device/FlashDataMap.h"

#include <QString>

#include <cstdint>

// The last record of each model on disk, shown while the device is offline:
// one file per CID and MID in the per-user "/Device_Info" folder, holding the
// record as one data-stream byte array.
class DeviceCacheFile {
public:
    static QString Folder();
    // "Device_CID1A_MID05.bin" for CID 0x1A and MID 5.
    static QString CacheName(uint8_t cid, uint8_t mid);

    // True when the file holds a whole record; copies one record's bytes
    // (a longer array is cut). Otherwise false, destination untouched.
    static bool ReadFlashCache(const QString& name, FlashDataMap* destination);
    static void WriteFlashCache(const QString& name, const FlashDataMap& record);

    // Made when the user picks a device; every reader uses it.
    static QString SelectionCacheName();
    static void SetSelectionCacheName(const QString& name);
    // Made by every full flash dump (on the report thread); every writer uses it.
    static QString DumpCacheName();
    static void SetDumpCacheName(const QString& name);
};
