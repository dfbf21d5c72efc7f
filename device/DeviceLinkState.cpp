#include "device/DeviceLinkState.h"

std::atomic<int> workerRunFlag{0};
std::atomic<int> lastOnline{0};
std::atomic<int> prevOnline{0};
std::atomic<int> linkUp{0};
std::atomic<int> offlineWait{0};
std::atomic<int> restartRequest{0};
std::atomic<int> reinitRequest{0};
std::atomic<int> noWaitDialog{0};
std::atomic<int> devicePageShown{0};
std::atomic<int> pollAllowed{1};
std::atomic<int> showBatteryValue{0};

std::atomic<bool> deviceSendEnabled{false};

std::atomic<bool> buttonPageReady{false};
std::atomic<bool> lightPageReady{false};
std::atomic<bool> sensorPageReady{false};

QList<DeviceAllInfo> sessionDeviceList;
