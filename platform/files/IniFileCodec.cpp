#include "platform/files/IniFileCodec.h"

#include "platform/files/MemoryFile.h"

#include <QFile>
#include <QPoint>
#include <QRandomGenerator>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QStringList>


namespace IniFileCodec {

namespace {

const QByteArray kSignature("\xEF\xBB\xBF");

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// One logical line as QSettings splits them: a ';' outside quotes starts a
// comment, a backslash joins the next line, quotes may span lines.
bool ReadLine(const QByteArray& data, int* pos, int* lineStart, int* lineLength, int* equals)
{
    const int size = data.size();
    bool inQuotes = false;
    *equals = -1;
    int start = *pos;
    while (start < size && IsSpace(data.at(start)))
        ++start;
    int i = start;
    while (i < size) {
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && *equals == -1)
                *equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == start + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < size && IsSpace(data.at(i)))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    *pos = i;
    *lineStart = start;
    *lineLength = i - start;
    return *lineLength > 0;
}


// Enough of a value's escapes to see what text it spells; used only to find
// the values QSettings would deserialise, so quotes and list commas need no
// care: the whole value is searched.
QByteArray SpelledText(const QByteArray& data, int from, int to)
{
    static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                       {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QByteArray text;
    int i = from;
    while (i < to) {
        const char ch = data.at(i++);
        if (ch == '"')
            continue;
        if (ch != '\\' || i >= to) {
            text += ch;
            continue;
        }
        const char code = data.at(i++);
        bool known = false;
        for (const auto& escape : kEscapes) {
            if (code == escape[0]) {
                text += escape[1];
                known = true;
                break;
            }
        }
        if (known || !(code == 'x' || (code >= '0' && code <= '7')))
            continue;
        const bool hex = code == 'x';
        uint value = hex ? 0 : uint(code - '0');
        while (i < to) {
            const char digit = data.at(i);
            int add = -1;
            if (digit >= '0' && digit <= (hex ? '9' : '7'))
                add = digit - '0';
            else if (hex && digit >= 'a' && digit <= 'f')
                add = digit - 'a' + 10;
            else if (hex && digit >= 'A' && digit <= 'F')
                add = digit - 'A' + 10;
            if (add < 0)
                break;
            value = ((value << (hex ? 4 : 3)) + uint(add)) & 0xFFFF;
            ++i;
        }
        // Only ASCII matters to the search.
        text += value < 0x80 ? char(value) : '?';
    }
    return text;
}

bool Deserialised(const QByteArray& text)
{
    return text.contains("@Variant(") || text.contains("@DateTime(");
}

QString UnreadToken(quint64 nonce, int index)
{
    return QStringLiteral("@nk-unread-%1-%2").arg(nonce, 16, 16, QLatin1Char('0')).arg(index);
}

// The bytes QSettings is given: each value it would hand to QDataStream is
// swapped for a token it reads as plain text, and kept aside.
QByteArray Defused(const QByteArray& bytes, quint64 nonce, QVector<QByteArray>* unread)
{
    QByteArray result;
    int copied = 0;
    int pos = 0;
    int lineStart = 0;
    int lineLength = 0;
    int equals = -1;
    while (ReadLine(bytes, &pos, &lineStart, &lineLength, &equals)) {
        if (bytes.at(lineStart) == '[' || equals == -1)
            continue;
        const int lineEnd = lineStart + lineLength;
        if (!Deserialised(bytes.mid(equals + 1, lineEnd - equals - 1)) && !Deserialised(SpelledText(bytes, equals + 1, lineEnd)))
            continue;
        result += bytes.mid(copied, equals + 1 - copied);
        result += '@';
        result += UnreadToken(nonce, unread->size()).toLatin1();
        unread->append(bytes.mid(equals + 1, lineEnd - equals - 1));
        copied = lineEnd;
    }
    if (copied == 0)
        return bytes;
    return result + bytes.mid(copied);
}

// The text forms below are the ones QSettings writes (its
// iniEscapedKey, iniEscapedString and variantToString).

const char kHexDigits[] = "0123456789ABCDEF";

void AppendEscapedKey(const QString& key, QByteArray* result)
{
    for (const QChar c : key) {
        uint ch = c.unicode();
        if (ch == '/') {
            *result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_'
                   || ch == '-' || ch == '.') {
            *result += char(ch);
        } else if (ch <= 0xFF) {
            *result += '%';
            *result += kHexDigits[ch / 16];
            *result += kHexDigits[ch % 16];
        } else {
            *result += "%U";
            QByteArray code;
            for (int i = 0; i < 4; ++i) {
                code.prepend(kHexDigits[ch % 16]);
                ch >>= 4;
            }
            *result += code;
        }
    }
}

void AppendEscapedString(const QString& text, QByteArray* result)
{
    // A byte array is spelled in Latin-1 and escaped above ASCII; other text
    // goes out as UTF-8 (a character beyond 16 bits whole: QSettings would
    // drop it).
    const bool utf8 = !text.startsWith(QLatin1String("@ByteArray(")) && !text.startsWith(QLatin1String("@Variant("));
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const int startPos = result->size();
    for (int i = 0; i < text.size(); ++i) {
        const uint ch = text.at(i).unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'))) {
            *result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            *result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a': *result += "\\a"; break;
        case '\b': *result += "\\b"; break;
        case '\f': *result += "\\f"; break;
        case '\n': *result += "\\n"; break;
        case '\r': *result += "\\r"; break;
        case '\t': *result += "\\t"; break;
        case '\v': *result += "\\v"; break;
        case '"':
        case '\\':
            *result += '\\';
            *result += char(ch);
            break;
        default:
            if (ch <= 0x1F || (ch >= 0x7F && !utf8)) {
                *result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else if (ch >= 0x7F) {
                const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
                *result += text.mid(i, pair ? 2 : 1).toUtf8();
                i += pair ? 1 : 0;
            } else {
                *result += char(ch);
            }
        }
    }
    if (needsQuotes
        || (startPos < result->size() && (result->at(startPos) == ' ' || result->at(result->size() - 1) == ' '))) {
        result->insert(startPos, '"');
        *result += '"';
    }
}

bool TextOf(const QVariant& value, QString* text)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        *text = QStringLiteral("@Invalid()");
        return true;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        *text = QLatin1String("@ByteArray(") + QLatin1String(bytes.constData(), bytes.size()) + QLatin1Char(')');
        return true;
    }
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
        *text = value.toString();
        if (text->contains(QChar::Null))
            *text = QLatin1String("@String(") + *text + QLatin1Char(')');
        else if (text->startsWith(QLatin1Char('@')))
            text->prepend(QLatin1Char('@'));
        return true;
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        *text = QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
        return true;
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        *text = QString::asprintf("@Size(%d %d)", s.width(), s.height());
        return true;
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        *text = QString::asprintf("@Point(%d %d)", p.x(), p.y());
        return true;
    }
    default:
        // QSettings would write it through QDataStream, which the stores
        // never read back.
        return false;
    }
}

bool AppendValue(const QVariant& value, QByteArray* result)
{
    // A one-item list is written as its item, as QSettings does.
    if (value.userType() == QMetaType::QStringList
        || (value.userType() == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList items = value.toList();
        if (items.isEmpty()) {
            *result += "@Invalid()";
            return true;
        }
        for (int i = 0; i < items.size(); ++i) {
            QString text;
            if (!TextOf(items.at(i), &text))
                return false;
            if (i != 0)
                *result += ", ";
            AppendEscapedString(text, result);
        }
        return true;
    }
    QString text;
    if (!TextOf(value, &text))
        return false;
    AppendEscapedString(text, result);
    return true;
}

// Each value as the line QSettings would give it, for the check after a
// write: what is read back must be written the same.
bool SameLines(const Document& a, const Document& b)
{
    if (a.values.keys() != b.values.keys() || a.unread != b.unread)
        return false;
    for (auto it = a.values.cbegin(); it != a.values.cend(); ++it) {
        QByteArray left;
        QByteArray right;
        if (!AppendValue(it.value(), &left) || !AppendValue(b.values.value(it.key()), &right) || left != right)
            return false;
    }
    return true;
}

bool Fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

} // namespace

bool Parse(const QByteArray& bytes, Document* document, QString* reason)
{
    document->values.clear();
    document->unread.clear();
    // QSettings sees the signature and means to skip it, but still reads it
    // as a line of its own.
    const QByteArray body = bytes.startsWith(kSignature) ? bytes.mid(kSignature.size()) : bytes;
    const quint64 nonce = QRandomGenerator::global()->generate64();
    QVector<QByteArray> unread;
    const MemoryFile copy(Defused(body, nonce, &unread));
    if (!copy.ok())
        return Fail(reason, copy.ErrorText());
    QSettings settings(copy.Path(), QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    const QString tokenStart = UnreadToken(nonce, 0).chopped(1);
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys) {
        const QVariant value = settings.value(key);
        if (value.userType() == QMetaType::QString && value.toString().startsWith(tokenStart)) {
            bool ok = false;
            const int index = value.toString().mid(tokenStart.size()).toInt(&ok);
            if (ok && index >= 0 && index < unread.size()) {
                document->unread.insert(key, unread.at(index));
                continue;
            }
        }
        document->values.insert(key, value);
    }
    if (settings.status() != QSettings::NoError)
        return Fail(reason, QStringLiteral("not in INI format"));
    return true;
}

bool Parse(const QByteArray& bytes, Values* values, QString* reason)
{
    Document document;
    const bool ok = Parse(bytes, &document, reason);
    *values = document.values;
    return ok;
}

bool Serialise(const Document& document, QByteArray* bytes, QString* reason)
{
    bytes->clear();
    // Laid out as QSettings lays out a new file: sections by the first part
    // of the key, in order, [General] for keys without one.
    QMap<QString, QMap<QString, QByteArray>> sections;
    auto put = [&](const QString& fullKey, const QByteArray& value) {
        const int slash = fullKey.indexOf(QLatin1Char('/'));
        const QString section = slash == -1 ? QString() : fullKey.left(slash);
        sections[section][slash == -1 ? fullKey : fullKey.mid(slash + 1)] = value;
    };
    for (auto it = document.values.cbegin(); it != document.values.cend(); ++it) {
        QByteArray value;
        if (!AppendValue(it.value(), &value))
            return Fail(reason, QStringLiteral("the value of %1 cannot be written as text").arg(it.key()));
        put(it.key(), value);
    }
    for (auto it = document.unread.cbegin(); it != document.unread.cend(); ++it)
        put(it.key(), it.value());
    QByteArray text;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        QByteArray header;
        AppendEscapedKey(section.key(), &header);
        if (header.isEmpty())
            header = "[General]";
        else if (header.compare("general", Qt::CaseInsensitive) == 0)
            header = "[%General]";
        else
            header = '[' + header + ']';
        if (section != sections.cbegin())
            text += '\n';
        text += header + '\n';
        for (auto line = section.value().cbegin(); line != section.value().cend(); ++line) {
            AppendEscapedKey(line.key(), &text);
            text += '=' + line.value() + '\n';
        }
    }
    Document back;
    if (!Parse(text, &back, reason))
        return false;
    if (!SameLines(back, document))
        return Fail(reason, QStringLiteral("the settings do not read back as written"));
    *bytes = text;
    return true;
}

bool Serialise(const Values& values, QByteArray* bytes, QString* reason)
{
    Document document;
    document.values = values;
    return Serialise(document, bytes, reason);
}

} // namespace IniFileCodec
