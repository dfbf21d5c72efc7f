#pragma once

#include <QByteArray>
#include <QString>

// Reads a file whole for a parser, the only way the program reads a file.
// A path may name anything: a FIFO (whose open would wait for a writer), a
// folder, a device that never ends, a link that loops, or a file far larger
// than its format. The file is opened without waiting, must be a regular
// file no larger than the caller's bound, and no more than the bound is ever
// read.
namespace FileReader {

enum class Status {
    Ok,
    Missing,        // nothing at the path (or an empty path)
    NotRegularFile, // a FIFO, folder, device, socket or looping link
    TooLarge,       // more bytes than the format can hold
    Unreadable,     // no permission, or the read itself failed
};

struct Result {
    Status status = Status::Missing;
    QByteArray bytes;
    // Why the file was not read, in words for a log or a notice.
    QString reason;
    bool ok() const { return status == Status::Ok; }
};

Result Read(const QString& path, qint64 maxBytes);

// Whether a path names a regular file that can be opened, without reading it.
Status Check(const QString& path, qint64 maxBytes);

QString StatusText(Status status);

} // namespace FileReader
