#include "device/CurrentDevice.h"

#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex mutex;
DeviceAllInfo currentDeviceInfo;
QByteArray currentDevicePath;
} // namespace

DeviceAllInfo CurrentDevice::Info()
{
    QMutexLocker lock(&mutex);
    return currentDeviceInfo;
}

void CurrentDevice::SetInfo(const DeviceAllInfo& info)
{
    QMutexLocker lock(&mutex);
    currentDeviceInfo = info;
}

void CurrentDevice::SetMouseVersion(const QString& version)
{
    QMutexLocker lock(&mutex);
    currentDeviceInfo.mouseVersion = version;
}

void CurrentDevice::SetOnline(bool online)
{
    QMutexLocker lock(&mutex);
    currentDeviceInfo.online = online;
}

QByteArray CurrentDevice::Path()
{
    QMutexLocker lock(&mutex);
    return currentDevicePath;
}

void CurrentDevice::SetPath(const QByteArray& path)
{
    QMutexLocker lock(&mutex);
    currentDevicePath = path;
}
