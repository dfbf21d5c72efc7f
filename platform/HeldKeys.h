#pragma once

#include <QSet>

// The keys held down, as the key events of a keyboard hook tell them. A
// press of a key that is already down is the keyboard's auto-repeat, never a
// new press, whichever keys were pressed or released since. Keys released
// while another program had the keyboard are never seen, so the set starts
// afresh once the program has lost the foreground.
class HeldKeys {
public:
    // Takes one key event: true for a release and for a new press, false for
    // an auto-repeat of a held key.
    bool Take(int virtualKey, bool down);
    void Clear();

private:
    QSet<int> keys;
    int foregroundSession = -1;
};
