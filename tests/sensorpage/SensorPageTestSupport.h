#pragma once

// Shared by the sensor page tests: the simulated mice, the bytes the mouse
// was sent and holds, and records to fill the page with.

#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/FlashDataMap.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <cstring>

namespace SensorPageTest {

// Makes the discovered device behind the named simulated device the current one.
inline bool UseFoundDevice(const QString& name)
{
    const QString path = SimulatedDeviceControl::pathOf(name);
    for (const DeviceAllInfo& device : DeviceDiscovery::foundDeviceList) {
        if (device.path == path) {
            CurrentDevice::SetInfo(device);
            CurrentDevice::SetPath(path.toLatin1());
            return true;
        }
    }
    return false;
}

// Byte offset of every record the program handed to the device library.
inline QList<int> SentBytes(int offset)
{
    QList<int> bytes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"))) {
        const QByteArray record = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
        bytes << (record.size() > offset ? int(uchar(record[offset])) : -1);
    }
    return bytes;
}

// The byte the simulated mouse holds in its record; -1 when it has none.
inline int StoredByte(const QString& mouse, int offset)
{
    QByteArray record;
    if (!FlashImageCodec::decode(SimulatedDeviceControl::flashImage(mouse), &record) || record.size() <= offset)
        return -1;
    return uchar(record[offset]);
}

// A record with every level's value distinct: level i holds (i + 1) * 400 DPI
// on a plain-coded sensor, and its own colour.
inline FlashDataMap PlainRecord()
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    record.reportRate = 1;
    record.dpiLevelCount = 4;
    record.currentDpiLevel = 1;
    record.liftOffDistance = 1;
    record.performanceTime = 6;
    for (int i = 0; i < 8; ++i) {
        const uint8_t code = uint8_t((i + 1) * 8 - 1);
        record.dpiLevels[i] = DpiLevelEntry{code, code, 0, uint8_t(10 + i), uint8_t(100 + i), uint8_t(200 + i)};
    }
    return record;
}

} // namespace SensorPageTest
