#pragma once

#include "device/CurrentDevice.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Writes firmware image files into a folder from one-line descriptions:
//   "<file> <target> <cid> <mid> <major>.<minor hex> <image name> [<size>]"
//   "<file> dir"   (an entry of that name that cannot be opened as a file)
// Every image gets a payload after its header, so a test can tell that the
// whole file was taken.
namespace FirmwareFixtures {

inline QByteArray MakeImage(int target, int cid, int mid, quint32 major, int minor, const QByteArray& name,
                            int size = 1000)
{
    QByteArray image(size, '\0');
    for (int i = 728; i < size; ++i)
        image[i] = static_cast<char>((i * 7 + target) & 0xFF);
    const quint32 word = (major << 8) | static_cast<quint32>(minor & 0xFF);
    for (int i = 0; i < 4 && 0x10 + i < size; ++i)
        image[0x10 + i] = static_cast<char>((word >> (8 * i)) & 0xFF);
    if (size > 0x16) {
        image[0x14] = static_cast<char>(target);
        image[0x15] = static_cast<char>(cid);
        image[0x16] = static_cast<char>(mid);
    }
    for (int i = 0; i < name.size() && i < 64 && 0x57 + i < size; ++i)
        image[0x57 + i] = name.at(i);
    return image;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Returns an empty text on success, else what went wrong.
inline QString WriteImages(const QString& folder, const QStringList& descriptions)
{
    for (const QString& line : descriptions) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() == 2 && f.at(1) == QLatin1String("dir")) {
            if (!QDir(folder).mkdir(f.at(0)))
                return QStringLiteral("cannot make %1").arg(f.at(0));
            continue;
        }
        if (f.size() < 6)
            return QStringLiteral("bad description: %1").arg(line);
        const QStringList version = f.at(4).split(QLatin1Char('.'));
        const QByteArray image = MakeImage(f.at(1).toInt(), f.at(2).toInt(), f.at(3).toInt(), version.at(0).toUInt(),
                                           version.at(1).toInt(nullptr, 16), f.at(5).toLocal8Bit(),
                                           f.size() > 6 ? f.at(6).toInt() : 1000);
        if (!WriteFile(folder + QLatin1Char('/') + f.at(0), image))
            return QStringLiteral("cannot write %1").arg(f.at(0));
    }
    return QString();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes the current device one of the given model, as the scans read it.
inline void SetModelIndex(int modelIndex)
{
    DeviceAllInfo info;
    info.modelIndex = modelIndex;
    CurrentDevice::SetInfo(info);
}

} // namespace FirmwareFixtures
