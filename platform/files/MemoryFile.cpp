#include "platform/files/MemoryFile.h"

#include "platform/files/FileWriter.h"

#include <QAtomicInteger>

#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MemoryFile::MemoryFile(const QByteArray& bytes)
{
    fd = ::memfd_create("nk-settings", MFD_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return;
    }
    if (!FileWriter::WriteAll(fd, bytes, &error))
        return;
    // QSettings keeps what it read of a file by name and takes it again
    // while size and time are unchanged; descriptor numbers are reused,
    // so each copy gets a time of its own.
    static QAtomicInteger<quint32> stamp;
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(stamp.fetchAndAddRelaxed(1) + 1), 0}};
    if (::futimens(fd, times) != 0)
        error = errno;
}

MemoryFile::~MemoryFile()
{
    if (fd >= 0)
        ::close(fd);
}

QString MemoryFile::Path() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

QString MemoryFile::ErrorText() const
{
    return QString::fromLocal8Bit(std::strerror(error));
}
