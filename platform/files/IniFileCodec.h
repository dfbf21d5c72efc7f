#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The bytes of an INI store (Config.ini, Macro.ini, Registry.ini) to and from
// the values QSettings reads in them. The file itself is read and written by
// FileReader and FileWriter. Reading hands the bytes to QSettings itself,
// through an anonymous in-memory file, so the store reads what QSettings
// reads and nothing lands on disk. Writing lays the values out the way
// QSettings writes a file and checks the text by letting QSettings read it
// back.
namespace IniFileCodec {

// "group/key" to what QSettings reads: text, a list of texts, or one of the
// few kinds it spells out in text (@ByteArray, @Rect, @Size, @Point, a list
// holding them, @Invalid()).
using Values = QMap<QString, QVariant>;

struct Document {
    Values values;
    // Values QSettings would hand to QDataStream ("@Variant(...)",
    // "@DateTime(...)"): never decoded from untrusted bytes, so never read;
    // kept as the text that stands after '=' so a rewrite keeps them.
    QMap<QString, QByteArray> unread;
};

// False when the bytes are not in INI format as QSettings sees it (the
// values found are still given). A leading UTF-8 signature is skipped.
bool Parse(const QByteArray& bytes, Document* document, QString* reason = nullptr);
bool Parse(const QByteArray& bytes, Values* values, QString* reason = nullptr);

// The INI text of the document, checked by reading it back.
bool Serialise(const Document& document, QByteArray* bytes, QString* reason = nullptr);
bool Serialise(const Values& values, QByteArray* bytes, QString* reason = nullptr);

} // namespace IniFileCodec
