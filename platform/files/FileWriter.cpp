#include "platform/files/FileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileWriter {

namespace {

bool Fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool WriteAll(int fd, const QByteArray& bytes, int* error)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        if (wrote == 0) {
            *error = ENOSPC;
            return false;
        }
        done += wrote;
    }
    return true;
}

} // namespace

bool Replace(const QString& path, const QByteArray& bytes, QString* reason)
{
    if (path.isEmpty())
        return Fail(reason, QStringLiteral("no file named"));
    // A link is followed to the file it names, which keeps the link.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        target = info.canonicalFilePath();
        if (target.isEmpty())
            return Fail(reason, QStringLiteral("a link to nothing"));
    }
    const QByteArray native = QFile::encodeName(target);
    mode_t mode = 0644;
    struct stat existing {};
    if (::stat(native.constData(), &existing) == 0) {
        // A FIFO, folder or device in the file's place is not replaced.
        if (!S_ISREG(existing.st_mode))
            return Fail(reason, QStringLiteral("not a regular file"));
        mode = existing.st_mode & 07777;
    }

    const QFileInfo targetInfo(target);
    QByteArray temporary = QFile::encodeName(targetInfo.absolutePath() + QStringLiteral("/.")
                                             + targetInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(reason, SystemText(errno));
    int error = 0;
    bool written = WriteAll(fd, bytes, &error);
    if (written && ::fchmod(fd, mode) != 0) {
        error = errno;
        written = false;
    }
    // The data must be on disk before the name points at it.
    if (written && ::fsync(fd) != 0) {
        error = errno;
        written = false;
    }
    if (::close(fd) != 0 && written) {
        error = errno;
        written = false;
    }
    if (written && ::rename(temporary.constData(), native.constData()) != 0) {
        error = errno;
        written = false;
    }
    if (!written) {
        ::unlink(temporary.constData());
        return Fail(reason, SystemText(error));
    }
    // The new name is made durable too; a file system that cannot sync a
    // folder still has the file whole, so that result is not a failure.
    const int folder = ::open(QFile::encodeName(targetInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace FileWriter
