#include "settings/FirmwareUpdateState.h"

std::atomic<bool> mouseUpdateAvailable{false};
std::atomic<bool> receiverUpdateAvailable{false};
std::atomic<bool> upgradeRunning{false};
