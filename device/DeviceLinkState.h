#pragma once

#include "device/DeviceAllInfo.h"

#include <QList>

#include <atomic>

// Flags of the device link, shared by the GUI thread, the worker's thread and
// the report callback's thread. Each is a single value read and written
// atomically; none needs a lock.
extern std::atomic<int> workerRunFlag;    // a worker pass may work
extern std::atomic<int> lastOnline;       // the current device answered the last poll
extern std::atomic<int> prevOnline;       // the online state the last working pass acted on
extern std::atomic<int> linkUp;           // the last pass saw the device, or a full dump came
extern std::atomic<int> offlineWait;      // the device is being waited for
extern std::atomic<int> restartRequest;   // start a pass when the device answers
extern std::atomic<int> reinitRequest;    // the next pass re-reads and announces a re-initialisation
extern std::atomic<int> noWaitDialog;     // no please-wait dialog for a plain pass
extern std::atomic<int> devicePageShown;  // 1 while the device pages are shown
extern std::atomic<int> pollAllowed;      // cleared while a firmware update runs
extern std::atomic<int> showBatteryValue; // the configuration's ShowBatteryValue

// False until the top-level window first switches pages; the sensor page
// clears it while it drives its DPI editor itself. The setting controls and
// the macro download send nothing to the mouse while it is false.
extern std::atomic<bool> deviceSendEnabled;

// Set by each device page once it has filled itself from a full record; the
// please-wait dialog waits for all three.
extern std::atomic<bool> buttonPageReady;
extern std::atomic<bool> lightPageReady;
extern std::atomic<bool> sensorPageReady;

// The devices of the last re-enumeration while the device pages are shown.
// GUI thread only.
extern QList<DeviceAllInfo> sessionDeviceList;
