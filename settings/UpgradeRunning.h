#pragma once

// True while a firmware upgrade of mouse or receiver started from the settings
// page runs; dialogs that must not be closed mid-upgrade test it.
extern bool upgradeRunning;
