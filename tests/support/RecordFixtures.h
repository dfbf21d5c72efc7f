#pragma once

#include "device/FlashDataMap.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstring>

// Writes a fixture file into the test's folder; a test cannot go on without it.
inline QString WriteFixtureFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A profile file byte by byte as the export writes it: three arrays, each
// after its 32-bit big-endian length: the tag, the sensor name (both padded
// to 12 bytes) and the record.
inline QByteArray ProfileFixture(const QByteArray& sensor, const QByteArray& record)
{
    QByteArray file = QByteArray::fromHex("0000000C") + QByteArray("Tesmo") + QByteArray(7, '\0');
    file += QByteArray::fromHex("0000000C") + sensor + QByteArray(12 - sensor.size(), '\0');
    file += QByteArray::fromHex("000028D0") + record;
    return file;
}

inline QByteArray ProfileFixture(const QByteArray& sensor, const FlashDataMap& record)
{
    return ProfileFixture(sensor, QByteArray(reinterpret_cast<const char*>(&record), sizeof(record)));
}

// Names the macro of a button's block as the mouse keeps it (30 bytes at most).
inline void SetMacroName(FlashDataMap& record, int button, const QByteArray& name)
{
    MacroBlock& block = record.macroBlocks[button];
    std::memset(block.name, 0, sizeof(block.name));
    std::memcpy(block.name, name.constData(), static_cast<size_t>(qMin(name.size(), 30)));
    block.nameLength = static_cast<uint8_t>(qMin(name.size(), 30));
}
