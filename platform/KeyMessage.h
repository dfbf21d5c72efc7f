#pragma once

// How the keyboard reports a key event to a low-level keyboard hook: the
// Windows window-message numbers, so that a hook tells a key held with Alt
// (or F10, the menu key) from an ordinary key just as on the desktop it was
// written for.
enum class KeyMessage {
    KeyDown = 0x0100,
    KeyUp = 0x0101,
    SysKeyDown = 0x0104,
    SysKeyUp = 0x0105,
};
