#pragma once

#include "device/FlashDataMap.h"

#include <QString>
#include <QStringList>

// The button page's side of the macro files in the per-user macro folder:
// which macros the list shows, the repeat-mode line it writes and reads, and
// the device block a macro's file gives. Names that are no safe file name
// (see MacroName::IsSafe) name no file here: nothing is read or written.
namespace MacroFolder {

// The per-user macro folder.
QString Path();

// The file of a macro; empty for a name that is no safe file name.
QString FileOf(const QString& name);

// The names of the macro list, in the folder's order (by name, case
// ignored): every file but those whose name holds "xml" or starts with a
// dot, each without its ".ini". A missing folder lists nothing.
QStringList ListedNames();

// Replaces the macro's file with the one line `text` (the repeat mode);
// false when the file could not be written.
bool WriteHeader(const QString& name, const QString& text);

// The first blank-separated token of the file's first line; "0" when the
// file is missing, unreadable or empty, or its first line holds no token.
QString ReadHeader(const QString& name);

// The device block of a macro's file: the name (whole characters, at most 30
// bytes) and its key events with the pause after each, at least one event.
// *loaded is false, and the block all zero, when the file cannot be read.
MacroBlock LoadBlock(const QString& name, bool* loaded);

} // namespace MacroFolder
