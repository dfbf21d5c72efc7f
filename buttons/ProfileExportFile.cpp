#include "buttons/ProfileExportFile.h"

#include "platform/files/FileWriter.h"

#include <QDataStream>

namespace {

QByteArray Padded(const QByteArray& bytes, int length)
{
    QByteArray field = bytes.left(length);
    field.append(QByteArray(length - field.size(), '\0'));
    return field;
}

} // namespace

QByteArray ProfileExportFile::KeptSensorName(const QString& sensorName)
{
    return sensorName.toUtf8().left(kSensorNameLength);
}

QByteArray ProfileExportFile::Encode(const QString& sensorName, const FlashDataMap& record)
{
    QByteArray bytes;
    bytes.reserve(kFileLength);
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << Padded(QByteArray(Tag()), kTagLength)
           << Padded(KeptSensorName(sensorName), kSensorNameLength)
           << QByteArray(reinterpret_cast<const char*>(&record), kRecordLength);
    return bytes;
}

bool ProfileExportFile::Write(const QString& path, const QString& sensorName, const FlashDataMap& record,
                              QString* reason)
{
    return FileWriter::Replace(path, Encode(sensorName, record), reason);
}
