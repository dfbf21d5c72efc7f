#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all, the only way the program writes a file:
// the bytes go to a temporary file beside it, every write and the sync to
// disk are checked, and only then does the temporary file take the file's
// place. On any failure the earlier file is as it was, the temporary file is
// gone, and the caller is told why. (QSaveFile, and QSettings through it,
// does not see a failed flush in Qt 5.15: a full disk would leave a cut file
// and report success.) A new file is made with the mode any new file gets
// (0666 less the umask); a file that is there keeps its mode. The temporary
// file of a write that was killed is removed by a later write of that file.
namespace FileWriter {

// False when any step failed; reason (when given) gets the system's words
// for what went wrong ("No space left on device").
bool Replace(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// Every byte to an open descriptor, an interrupted write taken up again;
// false with error set to errno (ENOSPC for a write that took nothing).
bool WriteAll(int fd, const QByteArray& bytes, int* error);

} // namespace FileWriter
