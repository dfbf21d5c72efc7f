#pragma once

#include "platform/KeyEventMapping.h"
#include "platform/KeyMessageTracker.h"

#include <QObject>
#include <QTimer>

#include <optional>

class QKeyEvent;

// The application-wide event filter behind the low-level keyboard hooks: it
// watches the key events the window system delivers to the program, turns
// each key press and release into one virtual key and key message and hands
// it to the hooks. It never consumes an event. It also follows whether the
// program is the active application.
class KeyEventObserver : public QObject {
    Q_OBJECT
public:
    // The observer of the application object, installed on first use;
    // nullptr without an application object.
    static KeyEventObserver* Instance();

    bool ProgramActive() const { return active; }
    // Counts the times the program lost the foreground.
    int ForegroundSession() const { return foregroundSession; }

    // How long a release waits for the press that would make it an
    // auto-repeat (see heldRelease).
    static constexpr int ReleaseHoldMs = 15;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    // What tells one delivered key event from another.
    struct Signature {
        int type;
        int key;
        int modifiers;
        quint32 scanCode;
        quint32 nativeKey;
        bool autoRepeat;
        ulong timestamp;
        bool operator==(const Signature& other) const;
    };

    explicit KeyEventObserver(QObject* parent);
    void Observe(QObject* receiver, QKeyEvent* event);
    void Report(const QKeyEvent& event, bool down);
    // Hands one key event to the hooks.
    void Send(int virtualKey, bool down, Qt::KeyboardModifiers modifiers);
    void SendHeldRelease();
    static Signature SignatureOf(const QKeyEvent& event, int type);

    KeyEventMapping::NativeCodes nativeCodes;
    KeyMessageTracker tracker;
    bool active;
    // A press reported when the shortcut check saw it: the window may never
    // get the key itself when a shortcut takes it.
    std::optional<Signature> pendingPress;
    // The last event the window system delivered to a window, which the
    // window passes on to its focus widget.
    const QEvent* windowEvent = nullptr;
    std::optional<Signature> windowEventSignature;

    // On X11 the window system marks a release as auto-repeat only when the
    // repeat's press is already queued behind it; when the press comes a
    // moment later the release looks real. A release followed by a press of
    // the same key with the same timestamp is auto-repeat, so a release (with
    // a timestamp) waits here for the next key event or ReleaseHoldMs.
    struct HeldRelease {
        int virtualKey;
        ulong timestamp;
        Qt::KeyboardModifiers modifiers;
    };
    std::optional<HeldRelease> heldRelease;
    QTimer releaseTimer;
    int foregroundSession = 0;
};
