#pragma once

#include "macro/MacroEventList.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The text file of one macro, "<name>.ini" in the macro folder: line 1 the
// repeat mode, then one line per event-list item. A key line is the usage
// text, the kind digit and 0 (press) or 1 (release), separated by single
// spaces ("0x04 1 0"); a delay line is the item's text ("10ms"). Files written
// whole end their lines with CR LF, lines appended to a file with LF alone;
// the reader takes both. The button page writes and reads the same format.
namespace MacroTextFile {

// A macro file is a few kilobytes of text; a larger one is not read.
constexpr qint64 kMaxFileBytes = 1 << 20;

const QByteArray WholeFileLineEnd = QByteArrayLiteral("\r\n");
const QByteArray AppendedLineEnd = QByteArrayLiteral("\n");

// The event lines of a list. A key whose name is in no key table has no line:
// a line with only the press digit would read back as a delay.
QByteArray EventLines(const QList<MacroEvent>& events, const QByteArray& lineEnd);

// A whole file: the mode text, then the event lines, CR LF throughout.
QByteArray Content(const QString& modeText, const QList<MacroEvent>& events);

struct Parsed {
    // False when the file has no line at all: the repeat controls stay as they are.
    bool hasModeLine = false;
    // 254, 255, 253 or 1 ... 250; any other first line reads as 1.
    int repeatMode = 1;
    QList<MacroEvent> events;
};

// Reads a file's bytes: runs of spaces do not count, lines with a bad press
// digit or with two or more than three fields are skipped, blank lines too.
// The last line may lack its line end.
Parsed Parse(const QByteArray& content);

// The repeat mode a mode line stands for (surrounding white space allowed).
int RepeatModeOfLine(const QByteArray& line);

// Creates the file or empties it; an earlier file stays whole when that fails.
bool Truncate(const QString& path);
// Replaces the file whole with these bytes, or leaves it as it was; reason
// (when given) then says why.
bool Replace(const QString& path, const QByteArray& content, QString* reason = nullptr);
// Adds bytes at the end of an existing file, by replacing it whole with its
// old and the new bytes; false when there is no such file (or one too large
// to read) or the new file could not be written.
bool Append(const QString& path, const QByteArray& content);

} // namespace MacroTextFile
