#pragma once

#include <QByteArray>

// Starts and stops the device library's server with the program's report
// callback. After Stop returns no report callback touches the program's
// state, although the library lets a running callback finish on its own.
class DeviceServer {
public:
    // UsbServerC_Start with the path as both paths; returns its result.
    static bool Start(const QByteArray& path);
    // UsbServer_Exit, then waits until no report is being handled (never for
    // one waiting for the GUI thread).
    static void Stop();
};
