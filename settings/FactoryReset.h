#pragma once

class QWidget;

// The factory reset that the settings page and the button page both offer,
// step for step the same: asks, sends the reset commands, and waits with
// the please-wait dialog until the pages hold the mouse's fresh record (or
// the offline notice says it did not come). The dialogs are centred over
// the caller, 75 px left and 65 px up. Returns when everything is closed.
void RunFactoryReset(QWidget* caller);
