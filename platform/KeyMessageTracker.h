#pragma once

#include "platform/KeyMessage.h"

#include <QSet>
#include <Qt>

// Decides, as the Windows keyboard does, whether a key event is an ordinary
// or a system key message: F10, and every key while Alt is held without
// Ctrl (Ctrl+Alt is AltGr on many layouts), are system keys; Alt pressed and
// released on its own is a system key both ways, but released after another
// key it is an ordinary key-up. It follows which keys are down from the
// events it is given; the event's modifiers correct it for keys pressed or
// released while the program did not see the keyboard.
class KeyMessageTracker {
public:
    KeyMessage Classify(int virtualKey, bool down, Qt::KeyboardModifiers modifiers);

    // Forgets the keys held down: the program no longer sees the keyboard.
    void Reset();

private:
    bool Held(int left, int right) const;
    void ForgetUnless(bool stillHeld, int left, int right);

    QSet<int> down;
    bool altAloneDown = false;
};
