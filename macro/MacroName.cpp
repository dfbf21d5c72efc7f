#include "macro/MacroName.h"

#include <QChar>

namespace MacroName {

namespace {

const QString kSuffix = QStringLiteral(".ini");
const QString kSkipped = QStringLiteral("xml");

} // namespace

bool IsSafe(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.category() == QChar::Other_Control)
            return false;
    }
    // A macro the list would not show, or show under another name, is lost
    // to the user after a restart.
    return ListedName(name + kSuffix) == name;
}

QString ListedName(const QString& fileName)
{
    if (fileName.startsWith(QLatin1Char('.')) || fileName.contains(kSkipped))
        return QString();
    return QString(fileName).remove(kSuffix);
}

QByteArray LocalBytes(const QString& name)
{
    return name.toUtf8();
}

QString CutToBytes(const QString& text, int maxBytes)
{
    if (LocalBytes(text).size() <= maxBytes)
        return text;
    int bytes = 0;
    int i = 0;
    while (i < text.size()) {
        // A surrogate pair is one character of four UTF-8 bytes.
        const int length = (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        const int charBytes = LocalBytes(text.mid(i, length)).size();
        if (bytes + charBytes > maxBytes)
            break;
        bytes += charBytes;
        i += length;
    }
    return text.left(i);
}

QString MakeSafe(const QString& name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString(name.size(), QLatin1Char('_'));
    QString safe = name;
    for (QChar& ch : safe) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.category() == QChar::Other_Control)
            ch = QLatin1Char('_');
    }
    if (safe.startsWith(QLatin1Char('.')))
        safe[0] = QLatin1Char('_');
    // "_" is in neither, so no new one can appear.
    safe.replace(kSkipped, QStringLiteral("xm_"));
    safe.replace(kSuffix, QStringLiteral("_ini"));
    return safe;
}

namespace {

// Bytes a UTF-8 sequence has by its lead byte; 0 for a continuation byte.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

// Drops a character whose last bytes are missing at the end of the bytes.
QByteArray WithoutCutTail(QByteArray bytes)
{
    for (int back = 1; back <= 4 && back <= bytes.size(); ++back) {
        const int length = SequenceLength(static_cast<unsigned char>(bytes.at(bytes.size() - back)));
        if (length == 0)
            continue;
        if (length > back)
            bytes.chop(back);
        break;
    }
    return bytes;
}

} // namespace

QString FromDeviceField(const QByteArray& field)
{
    const int end = field.indexOf('\0');
    const QByteArray bytes = WithoutCutTail(end < 0 ? field : field.left(end));
    QString name = QString::fromUtf8(bytes);
    name.replace(QChar(QChar::ReplacementCharacter), QLatin1Char('_'));
    return CutToBytes(MakeSafe(name), MaxBytes);
}

} // namespace MacroName
