#pragma once

#include <atomic>

// Firmware update state shared by the settings page, the device link and the
// chooser.
extern std::atomic<bool> mouseUpdateAvailable;    // a mouse image of another version exists
extern std::atomic<bool> receiverUpdateAvailable; // a receiver image of another version exists
extern std::atomic<bool> upgradeRunning;          // an upgrade started from the settings page runs
