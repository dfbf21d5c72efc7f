#pragma once

#include <QByteArray>
#include <QString>

// Macro names become file names ("<name>.ini" in the macro folder) and the
// name field of a device macro block; every place that takes a name from the
// user, from a file or from the mouse goes through here.
namespace MacroName {

// Bytes of the name field of a device macro block, and the longest name the
// name dialog lets through.
constexpr int MaxBytes = 30;

// Whether a name can be used as a macro's file name: not empty, not "." or
// "..", no "/" or "\", no control characters.
bool IsSafe(const QString& name);

// The name in the system's local 8-bit encoding, which is UTF-8 here.
QByteArray LocalBytes(const QString& name);

// The longest start of a text whose local bytes fit in maxBytes; a character
// is kept whole or dropped, never split.
QString CutToBytes(const QString& text, int maxBytes = MaxBytes);

} // namespace MacroName
