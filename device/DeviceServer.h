#pragma once

#include <QByteArray>

// Starts and stops the device library's server with the program's report
// callback. After Stop returns no report callback touches the program's
// state.
class DeviceServer {
public:
    // UsbServerC_Start with the path as both paths; returns its result.
    static bool Start(const QByteArray& path);
    // Shuts the callbacks out (waiting for one working inside, never for one
    // waiting for the GUI thread), then UsbServer_Exit, which lets a callback
    // blocked on the GUI thread finish.
    static void Stop();
};
