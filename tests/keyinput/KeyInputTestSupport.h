#pragma once

// Helpers for the keyboard tests: a hook that writes down what it sees, and a
// window of the program that has the keyboard.

#include "platform/KeyMessage.h"
#include "platform/LowLevelKeyboardHook.h"

#include <QApplication>
#include <QLineEdit>
#include <QPair>
#include <QVector>
#include <QtTest>

#include <memory>

using KeySeen = QPair<int, int>; // virtual key, message number

inline KeySeen Seen(int virtualKey, KeyMessage message)
{
    return {virtualKey, static_cast<int>(message)};
}

// A low-level hook that records every (virtual key, message) pair.
class KeyRecorder {
public:
    KeyRecorder()
        : handle(LowLevelKeyboardHook::SetHook(
              [this](int vk, KeyMessage message) { seen.append(Seen(vk, message)); }))
    {
    }
    ~KeyRecorder() { LowLevelKeyboardHook::Unhook(handle); }
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    QVector<KeySeen> seen;
    LowLevelKeyboardHook::HookHandle handle;
};

// A shown, active window with a line edit that has the focus.
class ActiveWindow {
public:
    ActiveWindow()
    {
        window = std::make_unique<QWidget>();
        window->resize(200, 80);
        field = new QLineEdit(window.get());
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get());
        field->setFocus();
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* field = nullptr;
    bool active = false;
};

// Tells the program that another application came to the foreground, or
// that it came back, as the window system does.
inline void SetProgramActive(bool active)
{
    QApplicationStateChangeEvent event(active ? Qt::ApplicationActive : Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &event);
}
