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
// "..", no "/" or "\", no control characters, and the macro list shows it
// again under the same name after a restart (see ListedName): so it does not
// start with ".", and holds neither "xml" nor ".ini".
bool IsSafe(const QString& name);

// The name the macro list shows for a file of the macro folder: the file
// name with every ".ini" removed; empty for a file the list skips (a hidden
// one, or one with "xml" in its name).
QString ListedName(const QString& fileName);

// The name in the system's local 8-bit encoding, which is UTF-8 here.
QByteArray LocalBytes(const QString& name);

// The longest start of a text whose local bytes fit in maxBytes; a character
// is kept whole or dropped, never split.
QString CutToBytes(const QString& text, int maxBytes = MaxBytes);

// The name with every character IsSafe refuses replaced by "_" ("." and ".."
// become "_" and "__", a leading "." "_", "xml" "xm_" and ".ini" "_ini"), so
// that IsSafe takes it. An empty name stays empty.
QString MakeSafe(const QString& name);

// The name a macro read from the mouse is kept under: the name field up to
// its first zero byte, decoded from the local encoding, made safe. Another
// tool may have cut the field inside a character: such a tail is dropped,
// other bytes that decode to nothing become "_". The result fits MaxBytes;
// it is empty when the field holds no name.
QString FromDeviceField(const QByteArray& field);

} // namespace MacroName
