#pragma once

#include <QByteArray>
#include <QString>

// Writes a file of the user's (a macro, an export, a profile) whole or not at
// all, through a save file that replaces the old file only once every byte
// is on disk.
namespace UserFileWriter {

// Replaces the file with these bytes. False when any step failed; the old
// file is then as it was, and reason (when given) gets the system's words
// for what went wrong ("No space left on device").
bool Replace(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace UserFileWriter
