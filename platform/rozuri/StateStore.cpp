#include "platform/rozuri/StateStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString StateStore::defaultPath()
{
    const QString env = qEnvironmentVariable("NK_SIM_STATE");
    if (!env.isEmpty())
        return env;
    return QDir::homePath() + QStringLiteral("/AppData/Local/Nevrix Kazmo/SimulatedDevices.json");
}

void StateStore::setPath(const QString &path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    path_ = path;
    written_ = 0;
}

QString StateStore::path() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return path_;
}

QByteArray StateStore::read() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool StateStore::write(quint64 sequence, const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (path_.isEmpty() || sequence < written_)
        return true;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() misses a failed flush: a full disk would leave a cut file.
    // Uncommitted, the temporary file is dropped and the old one stays.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return false;
    if (!file.commit())
        return false;
    written_ = sequence;
    ++writes_;
    return true;
}

int StateStore::writes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
}
