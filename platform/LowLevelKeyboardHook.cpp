#include "platform/LowLevelKeyboardHook.h"

#include "platform/KeyEventObserver.h"

#include <QGuiApplication>
#include <QVector>

#include <memory>

namespace LowLevelKeyboardHook {

namespace {

struct Hook {
    HookHandle handle;
    std::shared_ptr<HookProc> proc;
};

// Oldest first.
QVector<Hook>& Hooks()
{
    static QVector<Hook> hooks;
    return hooks;
}

std::shared_ptr<HookProc> ProcOf(HookHandle handle)
{
    for (const Hook& hook : Hooks()) {
        if (hook.handle == handle)
            return hook.proc;
    }
    return nullptr;
}

} // namespace

HookHandle SetHook(HookProc proc)
{
    static HookHandle lastHandle = 0;
    KeyEventObserver::Instance();
    Hooks().append({++lastHandle, std::make_shared<HookProc>(std::move(proc))});
    return lastHandle;
}

bool Unhook(HookHandle handle)
{
    QVector<Hook>& hooks = Hooks();
    for (int i = 0; i < hooks.size(); ++i) {
        if (hooks[i].handle == handle) {
            hooks.remove(i);
            return true;
        }
    }
    return false;
}

bool IsHooked(HookHandle handle)
{
    return ProcOf(handle) != nullptr;
}

void SendKeyEvent(int virtualKey, KeyMessage message)
{
    // A procedure may install or remove hooks, or run a modal loop that
    // delivers further keys: walk a copy of the handles and skip those
    // removed meanwhile.
    QVector<HookHandle> handles;
    for (const Hook& hook : Hooks())
        handles.prepend(hook.handle);
    for (HookHandle handle : handles) {
        // Held here, so a procedure that removes its own hook finishes safely.
        const std::shared_ptr<HookProc> proc = ProcOf(handle);
        if (proc && *proc)
            (*proc)(virtualKey, message);
    }
}

bool ProgramIsForeground()
{
    if (KeyEventObserver* observer = KeyEventObserver::Instance())
        return observer->ProgramActive();
    return false;
}

int ForegroundSession()
{
    if (KeyEventObserver* observer = KeyEventObserver::Instance())
        return observer->ForegroundSession();
    return 0;
}

} // namespace LowLevelKeyboardHook
