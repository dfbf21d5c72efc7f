#include "widgets/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace PictureFile {

QImage Read(const QString& path)
{
    // A folder or a FIFO is no picture; opening a FIFO would wait for a writer.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxBytes)
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    QByteArray bytes = file.read(kMaxBytes + 1);
    if (bytes.isEmpty() || bytes.size() > kMaxBytes)
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The header's dimensions are checked before any pixel is allocated.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide)
        return QImage();
    return reader.read();
}

} // namespace PictureFile
