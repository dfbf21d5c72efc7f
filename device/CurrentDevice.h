#pragma once

#include "device/DeviceAllInfo.h"

#include <QByteArray>

// The device the pages work on, and the path handed to every device-library
// call for it. The report callback reads and writes them from a library
// thread, so they are reached through these accessors only. The path is the
// program's own copy, never a pointer into library memory.
class CurrentDevice {
public:
    static DeviceAllInfo Info();
    static void SetInfo(const DeviceAllInfo& info);
    static void SetMouseVersion(const QString& version);
    static void SetOnline(bool online);

    static QByteArray Path();
    static void SetPath(const QByteArray& path);
};
