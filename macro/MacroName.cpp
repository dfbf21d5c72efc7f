#include "macro/MacroName.h"

#include <QChar>

namespace MacroName {

bool IsSafe(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.category() == QChar::Other_Control)
            return false;
    }
    return true;
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

} // namespace MacroName
