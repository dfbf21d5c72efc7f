#pragma once

// What a path may name instead of the file a reader expects: a FIFO no one
// writes to, a folder, a link that loops, a device that never ends, and a
// file far larger than its format (sparse, so it costs no disk). A reader
// must return at once from each and read none of it whole.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

enum class BadFileKind { Fifo, Folder, LinkLoop, ZeroDevice, RandomDeviceLink, OneByteTooLarge, HugeSparse };

inline QList<BadFileKind> AllBadFileKinds()
{
    return {BadFileKind::Fifo,           BadFileKind::Folder,          BadFileKind::LinkLoop,
            BadFileKind::ZeroDevice,     BadFileKind::RandomDeviceLink, BadFileKind::OneByteTooLarge,
            BadFileKind::HugeSparse};
}

inline const char* BadFileKindName(BadFileKind kind)
{
    switch (kind) {
    case BadFileKind::Fifo: return "a FIFO";
    case BadFileKind::Folder: return "a folder";
    case BadFileKind::LinkLoop: return "a link loop";
    case BadFileKind::ZeroDevice: return "/dev/zero";
    case BadFileKind::RandomDeviceLink: return "a link to /dev/urandom";
    case BadFileKind::OneByteTooLarge: return "one byte over its bound";
    case BadFileKind::HugeSparse: return "a sparse 8 GiB file";
    }
    return "";
}

// Puts the bad thing at the path for the life of the object. For a FIFO a
// watchdog opens the writing end after a while, so that a reader stuck in
// open() or read() fails the test's time check instead of hanging it (not
// wanted when the reader is another process the test waits for).
class BadFile {
public:
    BadFile(BadFileKind kind, const QString& path, qint64 bound, bool unblockFifo = true)
        : kind(kind)
        , path(path)
        , native(QFile::encodeName(path))
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        Clear();
        switch (kind) {
        case BadFileKind::Fifo:
            placed = ::mkfifo(native.constData(), 0600) == 0;
            if (placed && unblockFifo)
                watchdog = std::thread([this] { Watch(); });
            break;
        case BadFileKind::Folder:
            placed = QDir().mkpath(path);
            break;
        case BadFileKind::LinkLoop:
            placed = ::symlink(native.constData(), native.constData()) == 0;
            break;
        case BadFileKind::ZeroDevice:
            placed = ::symlink("/dev/zero", native.constData()) == 0;
            break;
        case BadFileKind::RandomDeviceLink:
            placed = ::symlink("/dev/urandom", native.constData()) == 0;
            break;
        case BadFileKind::OneByteTooLarge:
        case BadFileKind::HugeSparse: {
            const qint64 size = kind == BadFileKind::HugeSparse ? (qint64(8) << 30) : bound + 1;
            const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            placed = fd >= 0 && ::ftruncate(fd, size) == 0;
            if (fd >= 0)
                ::close(fd);
            break;
        }
        }
    }
    ~BadFile()
    {
        stop = true;
        if (watchdog.joinable())
            watchdog.join();
        Clear();
    }
    BadFile(const BadFile&) = delete;
    BadFile& operator=(const BadFile&) = delete;

    bool Placed() const { return placed; }

    // Whether the path still names what was put there: a reader must not
    // have replaced it, written into it or removed it.
    bool StillThere() const
    {
        struct stat info {};
        if (::lstat(native.constData(), &info) != 0)
            return false;
        switch (kind) {
        case BadFileKind::Fifo: return S_ISFIFO(info.st_mode);
        case BadFileKind::Folder: return S_ISDIR(info.st_mode);
        case BadFileKind::LinkLoop:
        case BadFileKind::ZeroDevice:
        case BadFileKind::RandomDeviceLink: return S_ISLNK(info.st_mode);
        case BadFileKind::OneByteTooLarge:
        case BadFileKind::HugeSparse: return S_ISREG(info.st_mode) && info.st_size > 0;
        }
        return false;
    }

private:
    void Clear()
    {
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink())
            QDir(path).removeRecursively();
        else
            ::unlink(native.constData());
    }

    void Watch()
    {
        const auto start = std::chrono::steady_clock::now();
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
                continue;
            // Succeeds only when a reader holds the other end: it then sees
            // the end of the file.
            const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }

    const BadFileKind kind;
    const QString path;
    const QByteArray native;
    bool placed = false;
    std::atomic<bool> stop{false};
    std::thread watchdog;
};

Q_DECLARE_METATYPE(BadFileKind)
