#include "platform/HeldKeys.h"

#include "platform/LowLevelKeyboardHook.h"

bool HeldKeys::Take(int virtualKey, bool down)
{
    const int session = LowLevelKeyboardHook::ForegroundSession();
    if (session != foregroundSession) {
        keys.clear();
        foregroundSession = session;
    }
    if (!down) {
        keys.remove(virtualKey);
        return true;
    }
    if (keys.contains(virtualKey))
        return false;
    keys.insert(virtualKey);
    return true;
}

void HeldKeys::Clear()
{
    keys.clear();
}
