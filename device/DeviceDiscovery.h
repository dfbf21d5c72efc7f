#pragma once

#include "device/DeviceAllInfo.h"

#include <QList>
#include <QStringList>

#include <functional>

// The connected mice and receivers, found by the configured vendor and
// product ids and identified as configured models by CID and MID. Everything
// here runs on the GUI thread.
class DeviceDiscovery {
public:
    // Refilled together, in enumeration order; the chooser's tiles refer to
    // entries by index.
    static QList<DeviceAllInfo> foundDeviceList;
    static QList<DeviceAllInfo> foundDeviceListCopy;

    // The id lists of the last hot-plug call, kept for the repair check.
    static QStringList usbPidList;
    static QStringList wirelessPidList;
    static QStringList wireless2PidList;
    static QStringList wireless4PidList;
    static QStringList wireless8PidList;
    // Their non-empty items: cable first, then 1, 2, 4 and 8 kHz receivers.
    static QStringList productIdList;

    // The chooser's online status buffer: byte 6 online, bytes 7..9 address.
    static unsigned char chooserStatus[10];

    // "v" + major + "." + minor in two upper-case hexadecimal digits.
    static QString VersionText(unsigned version);

    static bool IdentifyDeviceModel(DeviceAllInfo& device);
    // The same identification; onMatch, when given, replaces the online
    // test that follows a match. *matched tells whether a model matched.
    static bool IdentifyDeviceModel(DeviceAllInfo& device, const std::function<void(DeviceAllInfo&)>& onMatch,
                                    bool* matched);
    static void EnumerateDevices(const QStringList& vendorIds, const QStringList& productIds,
                                 int interfaceId, int deviceId);
    static bool RefreshDeviceOnlineState(int n);

    // Walks every device the finder reports for each vendor id (outer) and
    // product id (inner), handing each a fresh record with its path, ids and
    // device version. The session finder is the one the device link uses.
    enum class Finder { Default, Session };
    static void VisitFoundDevices(const QStringList& vendorIds, const QStringList& productIds, Finder finder,
                                  const std::function<void(DeviceAllInfo&, const char* libraryPath)>& visit);
    // The configured product ids, non-empty ones only: cable first, then the
    // 1, 2, 4 and 8 kHz receivers.
    static QStringList ConfiguredProductIds();

    // Hot-plug callback of the device chooser.
    static void OnUsbDevicesChanged();

    // How the chooser hears of the outcome of a hot-plug call: whether a
    // failed update is on record (its Repair button), and that the lists
    // were rebuilt (its tiles). Unset hooks are skipped.
    static std::function<void(bool failedUpdateOnRecord)> onRepairStateRead;
    static std::function<void()> onDeviceListRebuilt;
    // True while the repair dialog shows and no firmware update runs.
    static std::function<bool()> repairCheckWanted;
};
