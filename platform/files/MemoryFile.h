#pragma once

#include <QByteArray>
#include <QString>

// A private copy of bytes in an anonymous file that lives only in memory,
// for QSettings to open by name: nothing of it is ever on disk.
class MemoryFile {
public:
    explicit MemoryFile(const QByteArray& bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool ok() const { return fd >= 0 && error == 0; }
    QString Path() const;
    QString ErrorText() const;

private:
    int fd = -1;
    int error = 0;
};
