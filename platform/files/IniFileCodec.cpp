#include "platform/files/IniFileCodec.h"

#include "platform/files/FileReader.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

namespace IniFileCodec {

namespace {

constexpr qint64 kMaxCopyBytes = 64 * 1024 * 1024;

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

// A key or section name: '\' is a level, %XX and %UXXXX are characters.
QString UnescapedKey(const QByteArray& key, int from, int to)
{
    QString result;
    int i = from;
    while (i < to) {
        const char ch = key.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }
        int digits = 2;
        int first = i + 1;
        if (key.at(first) == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code = first + digits <= to ? key.mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

void ChopTrailingSpaces(QString* text, int limit)
{
    int size = text->size();
    while (size > limit && (text->at(size - 1) == QLatin1Char(' ') || text->at(size - 1) == QLatin1Char('\t')))
        --size;
    text->truncate(size);
}

// A value: quotes, C escapes and commas (a list) as QSettings reads them;
// the bytes between are UTF-8.
QStringList UnescapedValue(const QByteArray& data, int from, int to, bool* isList)
{
    static const char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                       {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QStringList items;
    QString current;
    *isList = false;
    bool inQuotes = false;
    bool quoted = false;
    int i = from;
    auto skipSpaces = [&] {
        while (i < to && (data.at(i) == ' ' || data.at(i) == '\t'))
            ++i;
    };
    skipSpaces();
    int chopLimit = 0;
    while (i < to) {
        const char ch = data.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= to)
                break;
            const char code = data.at(i++);
            bool known = false;
            for (const auto& escape : kEscapes) {
                if (code == escape[0]) {
                    current += QLatin1Char(escape[1]);
                    known = true;
                    break;
                }
            }
            if (known)
                continue;
            if (code == 'x' || (code >= '0' && code <= '7')) {
                const bool hex = code == 'x';
                uint value = hex ? 0 : uint(code - '0');
                bool any = !hex;
                while (i < to) {
                    char digit = data.at(i);
                    if (hex && digit >= 'a')
                        digit = char(digit - ('a' - 'A'));
                    int add = -1;
                    if (digit >= '0' && digit <= (hex ? '9' : '7'))
                        add = digit - '0';
                    else if (hex && digit >= 'A' && digit <= 'F')
                        add = digit - 'A' + 10;
                    if (add < 0)
                        break;
                    value = ((value << (hex ? 4 : 3)) + uint(add)) & 0xFFFF;
                    any = true;
                    ++i;
                }
                if (any)
                    current += QChar(ushort(value));
                continue;
            }
            if ((code == '\n' || code == '\r') && i < to) {
                const char next = data.at(i);
                if ((next == '\n' || next == '\r') && next != code)
                    ++i;
            }
            chopLimit = current.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces();
        } else if (ch == ',' && !inQuotes) {
            if (!quoted)
                ChopTrailingSpaces(&current, chopLimit);
            *isList = true;
            items.append(current);
            current.clear();
            quoted = false;
            chopLimit = 0;
            ++i;
            skipSpaces();
        } else {
            int j = i + 1;
            while (j < to && data.at(j) != '\\' && data.at(j) != '"' && data.at(j) != ',')
                ++j;
            current += QString::fromUtf8(data.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted)
        ChopTrailingSpaces(&current, chopLimit);
    items.append(current);
    return items;
}

// Text only: "@@" stands for one '@', "@String(...)" and "@ByteArray(...)"
// for their text; any other "@Type(...)" is an object QSettings would
// deserialise, and is never decoded here.
bool TextOf(const QString& stored, QString* text)
{
    if (!stored.startsWith(QLatin1Char('@'))) {
        *text = stored;
        return true;
    }
    if (stored.startsWith(QLatin1String("@@"))) {
        *text = stored.mid(1);
        return true;
    }
    if (stored.endsWith(QLatin1Char(')'))) {
        if (stored.startsWith(QLatin1String("@String("))) {
            *text = stored.mid(8, stored.size() - 9);
            return true;
        }
        if (stored.startsWith(QLatin1String("@ByteArray("))) {
            *text = QString::fromUtf8(stored.mid(11, stored.size() - 12).toLatin1());
            return true;
        }
        if (stored.startsWith(QLatin1String("@Variant(")) || stored.startsWith(QLatin1String("@DateTime("))
            || stored.startsWith(QLatin1String("@Rect(")) || stored.startsWith(QLatin1String("@Size("))
            || stored.startsWith(QLatin1String("@Point(")) || stored == QLatin1String("@Invalid()"))
            return false;
    }
    *text = stored;
    return true;
}

// The key as QSettings gives it back: no empty sections between slashes.
QString NormalisedKey(const QString& key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

// A one-item list reads back as plain text; the texts are what count.
bool SameTexts(const Values& a, const Values& b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (it.value().toStringList() != b.value(it.key()).toStringList())
            return false;
    }
    return true;
}

} // namespace

bool Parse(const QByteArray& bytes, Values* values, QString* reason)
{
    values->clear();
    bool wellFormed = true;
    QString section;
    int pos = 0;
    int lineStart = 0;
    int lineLength = 0;
    int equals = -1;
    while (ReadLine(bytes, &pos, &lineStart, &lineLength, &equals)) {
        const int lineEnd = lineStart + lineLength;
        if (bytes.at(lineStart) == '[') {
            const int close = bytes.indexOf(']', lineStart);
            QByteArray name;
            if (close == -1 || close >= lineEnd) {
                wellFormed = false;
                name = bytes.mid(lineStart + 1, lineLength - 1);
            } else {
                name = bytes.mid(lineStart + 1, close - lineStart - 1);
            }
            name = name.trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            else
                section = UnescapedKey(name, 0, name.size()) + QLatin1Char('/');
            continue;
        }
        if (equals == -1) {
            wellFormed = false;
            continue;
        }
        int keyEnd = equals;
        while (keyEnd > lineStart && (bytes.at(keyEnd - 1) == ' ' || bytes.at(keyEnd - 1) == '\t'))
            --keyEnd;
        const QString key = NormalisedKey(section + UnescapedKey(bytes, lineStart, keyEnd));
        if (key.isEmpty())
            continue;
        bool isList = false;
        const QStringList items = UnescapedValue(bytes, equals + 1, lineEnd, &isList);
        QStringList texts;
        bool text = true;
        for (const QString& item : items) {
            QString one;
            text = text && TextOf(item, &one);
            texts.append(one);
        }
        if (!text) {
            // Not text: left out, as if the line were not there.
            values->remove(key);
            continue;
        }
        if (isList)
            values->insert(key, texts);
        else
            values->insert(key, texts.first());
    }
    if (!wellFormed) {
        if (reason)
            *reason = QStringLiteral("not in INI format");
        return false;
    }
    return true;
}

bool Serialise(const Values& values, QByteArray* bytes, QString* reason)
{
    bytes->clear();
    if (values.isEmpty())
        return true;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        if (reason)
            *reason = folder.errorString();
        return false;
    }
    const QString copy = folder.filePath(QStringLiteral("store.ini"));
    {
        QSettings settings(copy, QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            if (reason)
                *reason = QStringLiteral("cannot write the settings");
            return false;
        }
    }
    // QSettings does not see a cut write: what it wrote must read back whole.
    const FileReader::Result written = FileReader::Read(copy, kMaxCopyBytes);
    if (!written.ok()) {
        if (reason)
            *reason = written.reason;
        return false;
    }
    Values back;
    if (!Parse(written.bytes, &back, reason))
        return false;
    if (!SameTexts(back, values)) {
        if (reason)
            *reason = QStringLiteral("the settings were cut short");
        return false;
    }
    *bytes = written.bytes;
    return true;
}

} // namespace IniFileCodec
