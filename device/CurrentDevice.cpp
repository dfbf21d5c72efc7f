#include "device/CurrentDevice.h"

#include <mutex>

namespace {
std::mutex mutex;
DeviceAllInfo currentDeviceInfo;
QByteArray currentDevicePath;
} // namespace

DeviceAllInfo CurrentDevice::Info()
{
    std::unique_lock<std::mutex> lock(mutex);
    return currentDeviceInfo;
}

void CurrentDevice::SetInfo(const DeviceAllInfo& info)
{
    std::unique_lock<std::mutex> lock(mutex);
    currentDeviceInfo = info;
}

void CurrentDevice::SetMouseVersion(const QString& version)
{
    std::unique_lock<std::mutex> lock(mutex);
    currentDeviceInfo.mouseVersion = version;
}

void CurrentDevice::SetOnline(bool online)
{
    std::unique_lock<std::mutex> lock(mutex);
    currentDeviceInfo.online = online;
}

QByteArray CurrentDevice::Path()
{
    std::unique_lock<std::mutex> lock(mutex);
    return currentDevicePath;
}

void CurrentDevice::SetPath(const QByteArray& path)
{
    std::unique_lock<std::mutex> lock(mutex);
    currentDevicePath = path;
}
