#pragma once

#include "device/FlashDataMap.h"

#include <QString>
#include <QStringList>

// Key-combination texts ("Shift+A") and the key block a mouse button plays
// for them. A block presses the keys in text order and releases them in the
// reverse order, 10 ms apart. Key names are the keyboard keys of the macro
// editor's table and four side-less modifiers, "Ctrl", "Shift", "Alt" and
// "Win", which always press the left-hand key. Pure functions: no device, no
// record, no widget.
namespace KeyBlockCodec {

// A block holds six events: three keys.
constexpr int MaxKeys = 3;
constexpr quint32 EventDelayMs = 10;

// The key names of a combination text: the text split at every "+", empty
// parts kept (each is a key of usage 0), except that the numpad's "Num+"
// stays one name. The empty text is one empty name.
QStringList SplitCombination(const QString& text);

// Whether a text names one to three keys, every one of them a key or a
// modifier of the vocabulary: a text a block can play as written.
bool IsPlayableCombination(const QString& text);

// The block of a combination text's names (see SplitCombination). Only the
// first three keys fit a block; the rest are left out.
KeyBlock BuildKeyBlock(const QString& text);

// The block with the press (event k) and the release (event 2n - 1 - k) of
// one named key written; other bytes as they were. A name outside the
// vocabulary gives kind 1, usage 0. Positions outside 0 <= k < n <= 3 leave
// the block as it is.
KeyBlock KeyNameToEvents(KeyBlock block, const QString& name, int k, int n);

// The name of an event's usage low byte under its kind (1 keyboard, 0
// modifier bit); empty when the pair has no name. Modifiers read side-less.
QString UsageToKeyName(int value, int mode);

} // namespace KeyBlockCodec
