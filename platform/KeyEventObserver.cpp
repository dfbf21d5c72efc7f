#include "platform/KeyEventObserver.h"

#include "platform/LowLevelKeyboardHook.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

bool KeyEventObserver::Signature::operator==(const Signature& other) const
{
    return type == other.type && key == other.key && modifiers == other.modifiers && scanCode == other.scanCode
        && nativeKey == other.nativeKey && autoRepeat == other.autoRepeat && timestamp == other.timestamp;
}

KeyEventObserver* KeyEventObserver::Instance()
{
    static QPointer<KeyEventObserver> instance;
    QCoreApplication* application = QCoreApplication::instance();
    if (!instance && application) {
        instance = new KeyEventObserver(application);
        application->installEventFilter(instance);
    }
    return instance;
}

KeyEventObserver::KeyEventObserver(QObject* parent)
    : QObject(parent)
    , nativeCodes(KeyEventMapping::NativeCodesOfPlatform())
    , active(qobject_cast<QGuiApplication*>(QCoreApplication::instance())
             && QGuiApplication::applicationState() == Qt::ApplicationActive)
{
    releaseTimer.setSingleShot(true);
    releaseTimer.setInterval(ReleaseHoldMs);
    connect(&releaseTimer, &QTimer::timeout, this, &KeyEventObserver::SendHeldRelease);
}

KeyEventObserver::Signature KeyEventObserver::SignatureOf(const QKeyEvent& event, int type)
{
    return {type,
            event.key(),
            int(event.modifiers()),
            event.nativeScanCode(),
            event.nativeVirtualKey(),
            event.isAutoRepeat(),
            event.timestamp()};
}

bool KeyEventObserver::eventFilter(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationStateChange: {
        const bool nowActive =
            static_cast<QApplicationStateChangeEvent*>(event)->applicationState() == Qt::ApplicationActive;
        if (active && !nowActive) {
            // A release seen while in front still counts.
            SendHeldRelease();
            ++foregroundSession;
        }
        active = nowActive;
        if (!active) {
            // Keys released elsewhere are never seen.
            tracker.Reset();
            pendingPress.reset();
        }
        break;
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        Observe(receiver, static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}

void KeyEventObserver::Observe(QObject* receiver, QKeyEvent* event)
{
    // Key events the program makes up itself, and the copies the framework
    // passes up to parent widgets, are not keyboard input.
    if (!event->spontaneous())
        return;
    // An auto-repeated key sends further key-downs only, as on the desktop;
    // the window system's release of each repeat is dropped.
    if (event->type() == QEvent::KeyRelease && event->isAutoRepeat())
        return;

    const bool atWindow = receiver->isWindowType();
    if (event->type() == QEvent::ShortcutOverride) {
        // Only the window system's check at the window, before the key
        // press itself; the focus widget gets the same check passed on.
        if (!atWindow)
            return;
        pendingPress = SignatureOf(*event, QEvent::KeyPress);
        Report(*event, true);
        return;
    }

    const Signature signature = SignatureOf(*event, event->type());
    if (atWindow) {
        windowEvent = event;
        windowEventSignature = signature;
        const bool alreadyReported = pendingPress && *pendingPress == signature;
        pendingPress.reset();
        if (!alreadyReported)
            Report(*event, event->type() == QEvent::KeyPress);
        return;
    }

    // At a widget: either the window passing its event on to the focus
    // widget, seen already, or a key sent straight to the widget.
    if (event == windowEvent && windowEventSignature && *windowEventSignature == signature) {
        windowEvent = nullptr;
        windowEventSignature.reset();
        return;
    }
    Report(*event, event->type() == QEvent::KeyPress);
}

void KeyEventObserver::Report(const QKeyEvent& event, bool down)
{
    const int virtualKey = KeyEventMapping::VirtualKeyOf(event, nativeCodes);
    if (heldRelease) {
        if (down && heldRelease->virtualKey == virtualKey && heldRelease->timestamp == event.timestamp()) {
            // The key never went up: a held key repeats key-downs only.
            heldRelease.reset();
            releaseTimer.stop();
            Send(virtualKey, true, event.modifiers());
            return;
        }
        SendHeldRelease();
    }
    // Without a timestamp no press can be matched to it.
    if (!down && event.timestamp() != 0) {
        heldRelease = HeldRelease{virtualKey, event.timestamp(), event.modifiers()};
        releaseTimer.start();
        return;
    }
    Send(virtualKey, down, event.modifiers());
}

void KeyEventObserver::SendHeldRelease()
{
    releaseTimer.stop();
    if (!heldRelease)
        return;
    const HeldRelease release = *heldRelease;
    heldRelease.reset();
    Send(release.virtualKey, false, release.modifiers);
}

void KeyEventObserver::Send(int virtualKey, bool down, Qt::KeyboardModifiers modifiers)
{
    const KeyMessage message = tracker.Classify(virtualKey, down, modifiers);
    LowLevelKeyboardHook::SendKeyEvent(virtualKey, message);
}
