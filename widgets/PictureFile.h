#pragma once

#include <QImage>
#include <QString>

// Reads a picture file beside the program for a widget to show. The file is
// untrusted like any other: only a regular file of modest size is read, and
// only a picture of modest dimensions is decoded.
namespace PictureFile {

constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
constexpr int kMaxSide = 4096;

// The picture; a null image when the path names no regular file, the file is
// too large, or it holds no picture within the limits.
QImage Read(const QString& path);

} // namespace PictureFile
