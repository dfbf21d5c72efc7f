#pragma once

#include "device/DeviceAllInfo.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QString>

// The simulated pair the update tests work on: a 4 kHz receiver and its
// mouse, also on its cable, both with versions below the test images'.
namespace FirmwareDevices {

inline const char* const kScenario = R"({
    "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
    "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
})";

// The found-list entry the discovery makes for one of them.
inline DeviceAllInfo Entry(const QString& device, bool wired)
{
    DeviceAllInfo info;
    info.path = SimulatedDeviceControl::pathOf(device);
    info.cid = 5;
    info.mid = 3;
    info.online = true;
    info.wired = wired;
    info.connectionKind = wired ? ConnectionCable1K : ConnectionReceiver4K;
    return info;
}

} // namespace FirmwareDevices
