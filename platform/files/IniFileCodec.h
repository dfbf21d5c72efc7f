#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The bytes of an INI store (Config.ini, Macro.ini, Registry.ini) in the
// format QSettings has always written them, to and from a map of
// "group/key" to text (or a list of texts, for a value with commas). The
// file itself is read and written by FileReader and FileWriter. Reading
// parses the bytes in memory, as QSettings would (quotes, escapes, lists,
// sections), so it needs no disk; writing lets QSettings lay out a private
// copy and checks it by reading it back, so it can neither wait on a FIFO
// nor leave a cut file behind.
namespace IniFileCodec {

using Values = QMap<QString, QVariant>;

// False when the bytes are not in INI format (the values found are still
// given). A value that QSettings would deserialise into an object
// ("@Variant(...)" and the like) is left out: the stores only hold text.
bool Parse(const QByteArray& bytes, Values* values, QString* reason = nullptr);

// The INI text of the values, checked by reading it back.
bool Serialise(const Values& values, QByteArray* bytes, QString* reason = nullptr);

} // namespace IniFileCodec
