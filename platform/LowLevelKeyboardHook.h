#pragma once

#include "platform/KeyMessage.h"

#include <functional>

// The program's stand-in for the desktop's low-level keyboard hooks. A hook
// procedure sees every key press and release that reaches the program while
// it is the active application, as a virtual-key code and a key message,
// before the focused widget gets the key; it only observes and never
// consumes a key. The most recently installed hook sees an event first.
// GUI thread only.
namespace LowLevelKeyboardHook {

using HookProc = std::function<void(int virtualKey, KeyMessage message)>;
// 0 stands for no hook.
using HookHandle = int;

// Installs a hook procedure; the returned handle removes it again. The first
// hook starts watching the application's key events (needs the application
// object).
HookHandle SetHook(HookProc proc);

// Removes a hook; false for a handle that is not installed. A hook may remove
// itself, or any other, from within its procedure.
bool Unhook(HookHandle handle);

bool IsHooked(HookHandle handle);

// Hands one key event to the installed hooks, newest first, as the keyboard
// does. The application's key events come through here; tests call it to
// inject (virtual key, message) pairs.
void SendKeyEvent(int virtualKey, KeyMessage message);

// Whether the program is the active application, i.e. its window is the one
// in the foreground that gets the keyboard.
bool ProgramIsForeground();

// Changes each time the program loses the foreground: what was held down
// before may have been released unseen since.
int ForegroundSession();

} // namespace LowLevelKeyboardHook
