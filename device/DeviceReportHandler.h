#pragma once

#include "device/DongleRGB.h"
#include "device/ReportCallbackGate.h"

#include <QElapsedTimer>

#include <atomic>

// The receiver's indicator state; SigRGBValue passes this pointer.
extern DongleRGB* const dongleRgb;

// Decodes the reports of the mouse and its receiver. The device library calls
// OnDeviceData on a thread of its own; the hub signals it raises for the pages
// are blocking, so it waits until the GUI thread has run their slots. It
// never holds the record's lock while it raises one, and it stops as soon as
// the device server was stopped (DeviceServer::Stop).
class DeviceReportHandler {
public:
    // The report callback handed to the device library's server.
    static void OnDeviceData(const unsigned char* header, int headerLength,
                             const unsigned char* payload, int payloadLength);
    static void PollDeviceStatus();

    // Started by the worker's constructor; measures the 3000 ms between two
    // restart requests of the status poll.
    static void StartStatusStopwatch();

    static unsigned char batteryBuffer[4];
    static unsigned char statusFlags[7];
    static std::atomic<int> clearBlocksPending;
    static std::atomic<int> skipDongleRead;

private:
    static void FullDump(ReportCallbackGate::Pass& pass, const unsigned char* payload, int payloadLength);
    static void Reinitialise(ReportCallbackGate::Pass& pass);
    static void VersionReport();
};
