#include "widgets/PictureFile.h"
#include "platform/files/FileReader.h"

#include <QBuffer>
#include <QImageReader>

namespace PictureFile {

QImage Read(const QString& path)
{
    // A folder or a FIFO is no picture; opening a FIFO would wait for a writer.
    FileReader::Result file = FileReader::Read(path, kMaxBytes);
    if (!file.ok() || file.bytes.isEmpty())
        return QImage();
    QByteArray bytes = file.bytes;
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
