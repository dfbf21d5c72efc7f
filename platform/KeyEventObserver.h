#pragma once

#include "platform/KeyEventMapping.h"
#include "platform/KeyMessageTracker.h"

#include <QObject>

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
};
