#pragma once

// Helpers for the tests of the please-wait dialog.

#include "HubRecorder.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceServer.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/UpDataParam.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace PleaseWait {

constexpr int kRecordSize = static_cast<int>(sizeof(FlashDataMap));

// What a job raised on the hub, without the version checks (SigSetver)
// that come and go with the dialog itself.
inline QStringList JobSignals(const HubRecorder& recorder)
{
    QStringList names = recorder.Names();
    names.removeAll(QStringLiteral("SigSetver"));
    return names;
}

inline QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

// Every byte different from its neighbours; byte 1 (the DPI level count) as given.
inline FlashDataMap PatternRecord(int seed, int dpiLevels = 4)
{
    FlashDataMap map;
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (int i = 0; i < kRecordSize; ++i)
        bytes[i] = static_cast<unsigned char>(i * 31 + seed);
    map.dpiLevelCount = static_cast<uint8_t>(dpiLevels);
    return map;
}

// The cache file of the default scenario's mouse (CID 7, MID 1).
inline QString CacheName()
{
    return QStringLiteral("Device_CID07_MID01.bin");
}

inline QString CachePath()
{
    return DeviceCacheFile::Folder() + CacheName();
}

inline QByteArray CacheFileRecord()
{
    QFile file(CachePath());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll().mid(4);
}

// The modal run as a caller does it: StartTimer, then exec. Returns how long
// exec took.
inline qint64 ExecAsCaller(UpDataParam* dialog)
{
    QElapsedTimer clock;
    clock.start();
    dialog->StartTimer();
    dialog->exec();
    return clock.elapsed();
}

// The modal run with the timer's job started at once, as if the 2500 ms had
// passed already; for the waits that run long by themselves.
inline qint64 ExecFromTimeout(UpDataParam* dialog)
{
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, dialog, &UpDataParam::onTimeupDestroy);
    dialog->exec();
    return clock.elapsed();
}

// Runs work on a thread of its own after a delay, as the report thread would.
inline QThread* OnThreadAfter(int delayMs, const std::function<void()>& work)
{
    QThread* thread = QThread::create([delayMs, work] {
        QThread::msleep(static_cast<unsigned long>(delayMs));
        work();
    });
    thread->start();
    return thread;
}

inline void Finish(QThread* thread)
{
    // The thread may be blocked in a signal for the GUI thread: keep events going.
    QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 10000);
    thread->wait();
    delete thread;
}

inline void SetReady(bool button, bool light, bool sensor)
{
    buttonPageReady = button;
    lightPageReady = light;
    sensorPageReady = sensor;
}

// The default scenario's mouse behind its 4 kHz receiver, online, made the
// current device, and the link open with the report callback.
inline void OpenLinkToMouse()
{
    QString error;
    QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICELINK_FIXTURES "/one_mouse.json"), &error),
             qPrintable(error));
    DeviceAllInfo info;
    info.path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k"));
    info.cid = 7;
    info.mid = 1;
    info.modelIndex = 0;
    info.connectionKind = ConnectionReceiver4K;
    info.online = true;
    CurrentDevice::SetInfo(info);
    CurrentDevice::SetPath(info.path.toLatin1());
    DeviceCacheFile::SetSelectionCacheName(CacheName());
    const QByteArray path = info.path.toLatin1();
    QVERIFY(DeviceServer::Start(path));
    SimulatedDeviceControl::clearCalls();
}

} // namespace PleaseWait
