#pragma once

#include <QtGlobal>
#include <Qt>

class QKeyEvent;

// Turns the framework's key events into the Windows virtual-key codes the
// keyboard hooks report. The framework's key code follows the keyboard
// layout, as a virtual key does; what it cannot tell (left from right
// modifiers, the key of a shifted symbol on layouts other than US, letters on
// non-Latin layouts) comes from the native codes of the window system where
// they are known.
namespace KeyEventMapping {

// What the native codes of a key event mean on this window system.
enum class NativeCodes {
    None, // not known (offscreen, tests): left modifiers, US symbols
    Xkb,  // X11 and Wayland: the scan code is an X key code, the native key a keysym
};

// The kind of the running window system's native codes.
NativeCodes NativeCodesOfPlatform();

// The virtual key of a key; VirtualKey::Unassigned for a key no virtual key
// stands for.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeKey,
                 NativeCodes codes);
int VirtualKeyOf(const QKeyEvent& event, NativeCodes codes);

} // namespace KeyEventMapping
