#include "platform/files/FileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
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

// ".<name>.nkw-<pid>-<random>": the process that made it is in its name,
// so a later write can tell a copy whose writer was killed from one still
// being written.
QByteArray TemporaryPrefix(const QString& fileName)
{
    return QFile::encodeName(QStringLiteral(".") + fileName) + ".nkw-";
}

void RemoveStaleTemporaries(const QString& folder, const QString& fileName)
{
    const QByteArray nativeFolder = QFile::encodeName(folder);
    DIR* dir = ::opendir(nativeFolder.constData());
    if (!dir)
        return;
    const QByteArray prefix = TemporaryPrefix(fileName);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix))
            continue;
        const int dash = name.indexOf('-', prefix.size());
        bool ok = false;
        const qint64 pid = name.mid(prefix.size(), dash - prefix.size()).toLongLong(&ok);
        if (dash == -1 || !ok || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        const QByteArray path = nativeFolder + '/' + name;
        struct stat info {};
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlink(path.constData());
    }
    ::closedir(dir);
}

// Made as any new file is (0666 less the umask, and the folder's default
// access list), never replacing what is there.
int CreateTemporary(const QString& folder, const QString& fileName, QByteArray* path)
{
    const QByteArray stem = QFile::encodeName(folder) + '/' + TemporaryPrefix(fileName) + QByteArray::number(::getpid()) + '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        *path = stem + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(path->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

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
    bool keepMode = false;
    mode_t mode = 0;
    struct stat existing {};
    if (::stat(native.constData(), &existing) == 0) {
        // A FIFO, folder or device in the file's place is not replaced.
        if (!S_ISREG(existing.st_mode))
            return Fail(reason, QStringLiteral("not a regular file"));
        keepMode = true;
        mode = existing.st_mode & 07777;
    }

    const QFileInfo targetInfo(target);
    RemoveStaleTemporaries(targetInfo.absolutePath(), targetInfo.fileName());
    QByteArray temporary;
    const int fd = CreateTemporary(targetInfo.absolutePath(), targetInfo.fileName(), &temporary);
    if (fd < 0)
        return Fail(reason, SystemText(errno));
    int error = 0;
    bool written = WriteAll(fd, bytes, &error);
    if (written && keepMode && ::fchmod(fd, mode) != 0) {
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
