#pragma once

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

// The simulated 4 kHz receiver "receiver4k" with its mouse "drive1", the
// current device, and what the mouse was sent and holds.
namespace LightingTest {

inline void IgnoreReport(const unsigned char*, int, const unsigned char*, int) {}

inline QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

// Loads the scenario, makes the receiver's mouse the current device (model
// index given) and starts the server on it, so that a sent record reaches
// the simulated mouse.
inline void UseReceiverMouse(int modelIndex = 0, ConnectionKind kind = ConnectionReceiver4K, bool wired = false)
{
    QString error;
    QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(LIGHTING_FIXTURES "/receiver_mouse.json"), &error),
             qPrintable(error));
    DeviceAllInfo info;
    info.path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k"));
    info.cid = 7;
    info.mid = 1;
    info.modelIndex = modelIndex;
    info.connectionKind = kind;
    info.wired = wired;
    info.online = true;
    CurrentDevice::SetInfo(info);
    CurrentDevice::SetPath(info.path.toLatin1());
    QVERIFY(UsbServerC_Start(info.path.toLatin1().constData(), info.path.toLatin1().constData(), &IgnoreReport));
}

// The lighting fixtures' configuration, in use from here on.
inline ConfigSettings* UseLightingConfig()
{
    auto* config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
    ConfigSettings::ReplaceInstance(config);
    return config;
}

// Counts the offline notices asked for from here on.
inline QSignalSpy* OfflineNotices()
{
    return new QSignalSpy(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
}

inline void ResetFlags()
{
    deviceSendEnabled = false;
    lightPageFilling = false;
    sensorPageFilling = false;
    buttonPageFilling = false;
}

// The record most recently handed to the device library; empty when none.
inline QByteArray LastSentRecord()
{
    const QList<QJsonObject> updates = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"));
    if (updates.isEmpty())
        return QByteArray();
    return QByteArray::fromHex(updates.last().value(QStringLiteral("record")).toString().toLatin1());
}

inline int SendCount()
{
    return SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size();
}

// Byte n (below 144) of the settings the simulated mouse holds: its flash
// image keeps record bytes 0..143 unchanged from image byte 8 on.
inline int MouseHolds(int recordByte)
{
    const QByteArray image = SimulatedDeviceControl::flashImage(QStringLiteral("drive1"));
    if (image.size() <= 8 + recordByte)
        return -1;
    return static_cast<unsigned char>(image.at(8 + recordByte));
}

inline void SetCurrentRecord(const FlashDataMap& map)
{
    CurrentFlashMapLock lock;
    lock.Map() = map;
}

// A record whose lighting bytes hold the given values.
inline FlashDataMap LightingRecord(int dpiEffect, int dpiBrightness, int dpiSpeed, int dpiOn,
                                   LedBarSettings bar, int movingOffLight)
{
    FlashDataMap map{};
    map.dpiLed.effect = uint8_t(dpiEffect);
    map.dpiLed.brightness = uint8_t(dpiBrightness);
    map.dpiLed.speed = uint8_t(dpiSpeed);
    map.dpiLed.on = uint8_t(dpiOn);
    map.ledBar = bar;
    map.movingOffLight = uint8_t(movingOffLight);
    return map;
}

} // namespace LightingTest
