#include "platform/rozuri/StateStore.h"
#include "platform/files/FileWriter.h"
#include "platform/files/FileReader.h"

#include <QDir>
#include <QFileInfo>

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
    return FileReader::Read(path(), kMaxFileBytes).bytes;
}

bool StateStore::write(quint64 sequence, const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (path_.isEmpty() || sequence < written_)
        return true;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (!FileWriter::Replace(path_, bytes))
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
