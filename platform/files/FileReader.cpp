#include "platform/files/FileReader.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileReader {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd(fd)
    {
    }
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

Result Fail(Status status, const QString& reason)
{
    Result result;
    result.status = status;
    result.reason = reason;
    return result;
}

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens without waiting and checks what was opened (not what a stat before
// the open saw: the path may change in between).
Result Open(const QString& path, qint64 maxBytes, int* fd, qint64* size)
{
    *fd = -1;
    if (path.isEmpty())
        return Fail(Status::Missing, QStringLiteral("no file named"));
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer.
    const int opened = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (opened < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return Fail(Status::Missing, SystemText(error));
        if (error == ELOOP || error == ENXIO || error == EISDIR)
            return Fail(Status::NotRegularFile, SystemText(error));
        return Fail(Status::Unreadable, SystemText(error));
    }
    struct stat info {};
    if (::fstat(opened, &info) != 0) {
        const int error = errno;
        ::close(opened);
        return Fail(Status::Unreadable, SystemText(error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(opened);
        return Fail(Status::NotRegularFile, QStringLiteral("not a regular file"));
    }
    if (maxBytes < 0 || info.st_size > maxBytes) {
        ::close(opened);
        return Fail(Status::TooLarge, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    }
    *fd = opened;
    *size = info.st_size;
    Result result;
    result.status = Status::Ok;
    return result;
}

} // namespace

Result Read(const QString& path, qint64 maxBytes)
{
    int fd = -1;
    qint64 size = 0;
    Result result = Open(path, maxBytes, &fd, &size);
    if (!result.ok())
        return result;
    const Descriptor guard(fd);
    // One byte beyond the bound tells a file that grew since the check.
    const qint64 limit = maxBytes + 1;
    QByteArray bytes;
    bytes.resize(int(qMin(limit, size + 1)));
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled >= limit)
                break;
            bytes.resize(int(qMin(limit, filled * 2 + 4096)));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return Fail(Status::Unreadable, SystemText(errno));
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        return Fail(Status::TooLarge, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    bytes.resize(int(filled));
    result.bytes = bytes;
    return result;
}

Status Check(const QString& path, qint64 maxBytes)
{
    int fd = -1;
    qint64 size = 0;
    const Result result = Open(path, maxBytes, &fd, &size);
    if (fd >= 0)
        ::close(fd);
    return result.status;
}

QString StatusText(Status status)
{
    switch (status) {
    case Status::Ok:
        return QStringLiteral("read");
    case Status::Missing:
        return QStringLiteral("missing");
    case Status::NotRegularFile:
        return QStringLiteral("not a regular file");
    case Status::TooLarge:
        return QStringLiteral("too large");
    case Status::Unreadable:
        return QStringLiteral("unreadable");
    }
    return QString();
}

} // namespace FileReader
