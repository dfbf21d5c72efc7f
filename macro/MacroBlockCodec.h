#pragma once

#include "device/FlashDataMap.h"
#include "macro/MacroEventList.h"

#include <QList>
#include <QString>

// A macro as the mouse keeps it for one button: the name, the event count
// and up to 70 key events, each with the pause after it. The macro page
// builds one from its event list to send it, and turns one read from the
// mouse back into event-list items.
namespace MacroBlockCodec {

constexpr int MaxEvents = 70;

// The block of a macro: the name's local bytes (whole characters, at most 30)
// and one event per key item, the pause after it taken from the delay item
// that follows. A list ending with a pause gets a last, empty event that
// keeps the pause. Key items beyond the 70th are left out.
MacroBlock Encode(const QString& name, const QList<MacroEvent>& events);

// The safe name of a block read from the mouse; empty when it has none.
QString NameOf(const MacroBlock& block);

// The items of a block: each event (at most 70) as a press or release item,
// with a delay item after every event but the last. A code the key tables do
// not name gives an item with an empty name.
QList<MacroEvent> Decode(const MacroBlock& block);

// The milliseconds of a delay item's text ("10ms"); 0 when it holds no number.
quint32 DelayOfText(const QString& text);

} // namespace MacroBlockCodec
