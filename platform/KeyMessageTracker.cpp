#include "platform/KeyMessageTracker.h"

#include "platform/VirtualKeys.h"

namespace {

bool IsAlt(int vk)
{
    return vk == VirtualKey::LMenu || vk == VirtualKey::RMenu || vk == VirtualKey::Menu;
}

bool IsCtrl(int vk)
{
    return vk == VirtualKey::LControl || vk == VirtualKey::RControl || vk == VirtualKey::Control;
}

} // namespace

bool KeyMessageTracker::Held(int left, int right) const
{
    return down.contains(left) || down.contains(right);
}

void KeyMessageTracker::ForgetUnless(bool stillHeld, int left, int right)
{
    if (!stillHeld) {
        down.remove(left);
        down.remove(right);
    }
}

KeyMessage KeyMessageTracker::Classify(int virtualKey, bool isDown, Qt::KeyboardModifiers modifiers)
{
    if (isDown)
        down.insert(virtualKey);
    else
        down.remove(virtualKey);

    // Another key's modifiers tell whether Alt and Ctrl are really held.
    bool altHeld = Held(VirtualKey::LMenu, VirtualKey::RMenu);
    bool ctrlHeld = Held(VirtualKey::LControl, VirtualKey::RControl);
    if (!IsAlt(virtualKey)) {
        altHeld = modifiers.testFlag(Qt::AltModifier);
        ForgetUnless(altHeld, VirtualKey::LMenu, VirtualKey::RMenu);
    }
    if (!IsCtrl(virtualKey)) {
        ctrlHeld = modifiers.testFlag(Qt::ControlModifier);
        ForgetUnless(ctrlHeld, VirtualKey::LControl, VirtualKey::RControl);
    }

    const bool system = virtualKey == VirtualKey::F10 || (IsAlt(virtualKey) && altAloneDown)
        || (altHeld && !ctrlHeld);
    if (!system)
        return isDown ? KeyMessage::KeyDown : KeyMessage::KeyUp;

    altAloneDown = isDown && IsAlt(virtualKey);
    return isDown ? KeyMessage::SysKeyDown : KeyMessage::SysKeyUp;
}

void KeyMessageTracker::Reset()
{
    down.clear();
    altAloneDown = false;
}
