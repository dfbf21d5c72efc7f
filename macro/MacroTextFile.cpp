#include "macro/MacroTextFile.h"
#include "platform/files/FileReader.h"

#include "platform/files/FileWriter.h"
#include "macro/KeyNameTable.h"

#include <QStringList>

namespace MacroTextFile {

namespace {

QString WithoutLineEnd(QString text)
{
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

// The lines of a file, each with its own line end ("\n" or "\r\n"; the last
// one may have none).
QStringList LinesWithEnds(const QByteArray& content)
{
    QStringList lines;
    int start = 0;
    while (start < content.size()) {
        const int newline = content.indexOf('\n', start);
        const int end = newline < 0 ? content.size() : newline + 1;
        lines.append(QString::fromUtf8(content.mid(start, end - start)));
        start = end;
    }
    return lines;
}

// The action digit of a key line, with its line end; the last line of a
// file may lack one and still says what it does.
bool IsActionDigit(const QString& piece, const QString& digit, bool lastLine)
{
    return piece == digit + QLatin1String("\n") || piece == digit + QLatin1String("\r\n")
        || (lastLine && piece == digit);
}

} // namespace

QByteArray EventLines(const QList<MacroEvent>& events, const QByteArray& lineEnd)
{
    QByteArray lines;
    for (const MacroEvent& event : events) {
        if (event.IsDelay()) {
            lines += event.text.toUtf8() + lineEnd;
            continue;
        }
        const QStringList code = KeyNameTable::KeyNameToUsageText(event.text);
        if (code.size() != 2)
            continue;
        lines += code.at(0).toUtf8() + ' ' + code.at(1).toUtf8() + ' ' + (event.release ? '1' : '0') + lineEnd;
    }
    return lines;
}

QByteArray Content(const QString& modeText, const QList<MacroEvent>& events)
{
    return modeText.toUtf8() + WholeFileLineEnd + EventLines(events, WholeFileLineEnd);
}

int RepeatModeOfLine(const QByteArray& line)
{
    const QStringList pieces = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = false;
    const int mode = pieces.isEmpty() ? 0 : pieces.first().trimmed().toInt(&ok, 10);
    if (ok && (mode == 253 || mode == 254 || mode == 255 || (mode >= 1 && mode <= 250)))
        return mode;
    return 1;
}

Parsed Parse(const QByteArray& content)
{
    Parsed parsed;
    const QStringList lines = LinesWithEnds(content);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (i == 0) {
            parsed.hasModeLine = true;
            parsed.repeatMode = RepeatModeOfLine(line.toUtf8());
            continue;
        }
        const QStringList pieces = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (pieces.size() == 3) {
            bool ok = false;
            const int kind = pieces.at(1).toInt(&ok, 10);
            const QString name = ok ? KeyNameTable::UsageTextToKeyName(pieces.at(0), kind) : QString();
            // A file without a final line end keeps its last key, release
            // or press, as written.
            const bool lastLine = i == lines.size() - 1;
            if (IsActionDigit(pieces.at(2), QStringLiteral("0"), lastLine))
                parsed.events.append({name, false});
            else if (IsActionDigit(pieces.at(2), QStringLiteral("1"), lastLine))
                parsed.events.append({name, true});
        } else if (pieces.size() == 1) {
            const QString text = WithoutLineEnd(pieces.first());
            if (!text.isEmpty())
                parsed.events.append({text, false});
        }
    }
    return parsed;
}

bool Truncate(const QString& path)
{
    return FileWriter::Replace(path, QByteArray());
}

bool Replace(const QString& path, const QByteArray& content, QString* reason)
{
    return FileWriter::Replace(path, content, reason);
}

bool Append(const QString& path, const QByteArray& content)
{
    const FileReader::Result file = FileReader::Read(path, kMaxFileBytes);
    if (!file.ok())
        return false;
    return FileWriter::Replace(path, file.bytes + content);
}

} // namespace MacroTextFile
