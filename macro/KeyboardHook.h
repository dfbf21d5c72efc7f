#pragma once

#include <functional>

// The three users of the keyboard hook. Each has one process-wide set of
// hook state (handle, callback, last key, last down, last repeat), whichever
// KeyboardHook object of that user installs it.
enum class KeyboardHookInstance {
    Recording,   // the macro page's recording
    SingleKey,   // the single-key capture dialog addKey
    Combination, // the key-combination capture dialog GroupKey
};

// Watches the keyboard while one of the program's windows is in the
// foreground and calls its user's callback for every key press and release,
// with the virtual-key code, whether the key went down, and whether it is
// the same key as the event before (a key held down repeats). It only
// observes: every key still reaches its normal receiver.
class KeyboardHook {
public:
    using Callback = std::function<void(int virtualKey, bool down, bool repeat)>;

    explicit KeyboardHook(KeyboardHookInstance instance);
    // Removes the hook and drops the callback: the callback is usually bound
    // to the object that owns this one.
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Starts watching. Installing an installed hook keeps the one there, so a
    // key is never reported twice.
    void InstallKeyboardHook();
    // Stops watching; nothing when not installed. The callback stays.
    void RemoveKeyboardHook();
    bool IsInstalled() const;

    // What the hook calls for each key event; an empty callback calls nothing.
    void SetCallback(Callback callback);

    KeyboardHookInstance Instance() const { return instance; }

private:
    KeyboardHookInstance instance;
};
