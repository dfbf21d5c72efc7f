#include "macro/KeyboardHook.h"

#include "platform/LowLevelKeyboardHook.h"

namespace {

struct HookState {
    LowLevelKeyboardHook::HookHandle handle = 0;
    KeyboardHook::Callback callback;
    int lastKey = 0;
    bool lastDown = false;
    bool lastRepeat = false;
};

HookState& StateOf(KeyboardHookInstance instance)
{
    static HookState states[3];
    return states[static_cast<int>(instance)];
}

void KeyboardHookProc(KeyboardHookInstance instance, int virtualKey, KeyMessage message)
{
    // Keys meant for another program's window are none of ours.
    if (!LowLevelKeyboardHook::ProgramIsForeground())
        return;

    HookState& state = StateOf(instance);
    bool repeat = virtualKey == state.lastKey;
    if (!repeat)
        state.lastKey = virtualKey;

    bool down = state.lastDown;
    switch (message) {
    case KeyMessage::KeyDown:
        down = true;
        break;
    case KeyMessage::KeyUp:
        down = false;
        repeat = false;
        state.lastKey = 0;
        break;
    case KeyMessage::SysKeyDown:
        // Only the recording takes keys held with Alt as presses and
        // releases; the capture dialogs keep the last state.
        if (instance == KeyboardHookInstance::Recording)
            down = true;
        break;
    case KeyMessage::SysKeyUp:
        if (instance == KeyboardHookInstance::Recording)
            down = false;
        break;
    }
    state.lastDown = down;
    state.lastRepeat = repeat;

    if (state.callback) {
        // A copy: the callback may replace itself, or end its owner.
        const KeyboardHook::Callback callback = state.callback;
        callback(virtualKey, down, repeat);
    }
}

} // namespace

KeyboardHook::KeyboardHook(KeyboardHookInstance instance)
    : instance(instance)
{
}

KeyboardHook::~KeyboardHook()
{
    RemoveKeyboardHook();
    StateOf(instance).callback = nullptr;
}

void KeyboardHook::InstallKeyboardHook()
{
    HookState& state = StateOf(instance);
    if (state.handle && LowLevelKeyboardHook::IsHooked(state.handle))
        return;
    const KeyboardHookInstance which = instance;
    state.handle = LowLevelKeyboardHook::SetHook(
        [which](int virtualKey, KeyMessage message) { KeyboardHookProc(which, virtualKey, message); });
}

void KeyboardHook::RemoveKeyboardHook()
{
    HookState& state = StateOf(instance);
    if (!state.handle)
        return;
    LowLevelKeyboardHook::Unhook(state.handle);
    state.handle = 0;
}

bool KeyboardHook::IsInstalled() const
{
    const HookState& state = StateOf(instance);
    return state.handle && LowLevelKeyboardHook::IsHooked(state.handle);
}

void KeyboardHook::SetCallback(Callback callback)
{
    StateOf(instance).callback = std::move(callback);
}
