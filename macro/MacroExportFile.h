#pragma once

#include "macro/MacroEventList.h"

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>

// The file one macro is exported to and imported from: a data stream
// (stream version 17, big-endian) of the tag "Tesmo" in 12 bytes, the name
// in 48 bytes, the repeat mode text in 12 bytes, the item count, and per item
// its text, its picture (the framework's stream form of an icon) and, for a
// key item, "0" or "1" with its terminating zero (press or release).
//
// The file comes from anywhere: its pictures are never handed to the
// framework's icon reader (a crafted one recurses until the stack is gone,
// or names a file the reader then opens). The reader checks each picture
// field as plain bounded bytes and steps over it; the page shows imported
// items with its own pictures.
namespace MacroExportFile {

// The stream version of the format; a newer framework writes a newer one by default.
constexpr int StreamVersion = 17;
constexpr int TagBytes = 12;
constexpr int NameBytes = 48;
constexpr int ModeBytes = 12;
// More items than any macro the page can make usefully hold; a count above
// it means a damaged file.
constexpr int MaxItems = 10000;
// Bounds of one picture field: more pictures or a longer file name than an
// icon of the page ever has mean a damaged or crafted file.
constexpr int MaxPictureEntries = 64;
constexpr int MaxPictureText = 4096;
// A file larger than the items and pictures above can fill is not read.
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

struct Item {
    MacroEvent event;
    // Written as the item's picture; the reader leaves it empty.
    QIcon icon;
};

struct Content {
    QString name;
    QString modeText;
    QList<Item> items;
};

QByteArray Write(const Content& content);

enum class ReadStatus {
    Ok,
    HeaderUnreadable, // the tag, name or mode field is missing or cut short
    WrongTag,
    BadName,          // not usable as a macro file name
    BadMode,
    BadCount,         // negative or above MaxItems
    BadItem,          // an item cut short, an unknown key, a bad press flag or a bad picture field
};

// Reads a whole file. The name is filled whenever the header could be read
// (so a caller can check it against its list before anything else); the
// rest only when the status is Ok.
ReadStatus Read(const QByteArray& bytes, Content* content);

} // namespace MacroExportFile
