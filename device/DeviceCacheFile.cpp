#include "device/DeviceCacheFile.h"
#include "platform/files/FileWriter.h"
#include "platform/files/FileReader.h"

#include "app/AppPaths.h"
#include "app/UserFolderProblem.h"

#include <QByteArray>
#include <QDataStream>
#include <mutex>

#include <cstring>

namespace {

std::mutex namesMutex;
QString selectionCacheName;
QString dumpCacheName;

// Fixed so that the files read the same whatever Qt writes them.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_5_9;

// The stream's length word and one record: anything longer is no cache.
constexpr qint64 kMaxFileBytes = 4 + qint64(sizeof(FlashDataMap));

} // namespace

QString DeviceCacheFile::Folder()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/Device_Info/");
}

QString DeviceCacheFile::CacheName(uint8_t cid, uint8_t mid)
{
    return QStringLiteral("Device_CID%1_MID%2.bin")
        .arg(QStringLiteral("%1").arg(cid, 2, 16, QLatin1Char('0')).toUpper(),
             QStringLiteral("%1").arg(mid, 2, 16, QLatin1Char('0')).toUpper());
}

bool DeviceCacheFile::ReadFlashCache(const QString& name, FlashDataMap* destination)
{
    // A missing, damaged or short file, or one whose length prefix is not
    // one record's, counts as no cache at all, and the pages then get
    // defaults: never a half-filled record.
    std::memset(destination, 0, sizeof(FlashDataMap));
    if (name.isEmpty())
        return false;
    const FileReader::Result file = FileReader::Read(Folder() + name, kMaxFileBytes);
    if (!file.ok())
        return false;
    QDataStream stream(file.bytes);
    stream.setVersion(kStreamVersion);
    QByteArray bytes;
    stream >> bytes;
    if (stream.status() != QDataStream::Ok || bytes.size() != static_cast<int>(sizeof(FlashDataMap)))
        return false;
    std::memcpy(destination, bytes.constData(), sizeof(FlashDataMap));
    return true;
}

void DeviceCacheFile::WriteFlashCache(const QString& name, const FlashDataMap& record)
{
    if (name.isEmpty())
        return;
    // The old cache stays whole unless the new one reached the disk.
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(kStreamVersion);
        stream << QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
    }
    const QString path = Folder() + name;
    if (!FileWriter::Replace(path, bytes))
        UserFolderProblem::Report(path);
}

QString DeviceCacheFile::SelectionCacheName()
{
    std::unique_lock<std::mutex> lock(namesMutex);
    return selectionCacheName;
}

void DeviceCacheFile::SetSelectionCacheName(const QString& name)
{
    std::unique_lock<std::mutex> lock(namesMutex);
    selectionCacheName = name;
}

QString DeviceCacheFile::DumpCacheName()
{
    std::unique_lock<std::mutex> lock(namesMutex);
    return dumpCacheName;
}

void DeviceCacheFile::SetDumpCacheName(const QString& name)
{
    std::unique_lock<std::mutex> lock(namesMutex);
    dumpCacheName = name;
}
