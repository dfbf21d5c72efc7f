#include "macro/MacroExportFile.h"

#include "macro/KeyNameTable.h"
#include "macro/MacroName.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

namespace MacroExportFile {

namespace {

const QByteArray kTag = QByteArrayLiteral("Tesmo");

// A fixed-size field: the text's bytes, zero-filled to the size.
QByteArray FixedField(const QByteArray& bytes, int size)
{
    QByteArray field = bytes.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    return field;
}

// A field up to its first zero byte (all of it when there is none).
QByteArray UpToZero(const QByteArray& field)
{
    const int zero = field.indexOf('\0');
    return zero < 0 ? field : field.left(zero);
}

bool IsKnownKey(const QString& name)
{
    return KeyNameTable::KeyNameToUsageText(name).size() == 2;
}

bool IsDelayValue(const QString& text)
{
    static const QRegularExpression delay(QStringLiteral("^[0-9]{1,10}ms$"));
    return delay.match(text).hasMatch();
}

bool IsRepeatMode(const QString& text)
{
    bool ok = false;
    const int mode = text.toInt(&ok, 10);
    return ok && QString::number(mode) == text && (mode == 253 || mode == 254 || mode == 255 || (mode >= 1 && mode <= 250));
}

// A PNG image as the framework writes it into the stream, without a length:
// the signature, then chunks (length, type, data, CRC) up to IEND. Each
// length is checked against what is left, so nothing is read past the field.
bool SkipPng(QDataStream& stream)
{
    static const QByteArray signature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
    QByteArray head(signature.size(), '\0');
    if (stream.readRawData(head.data(), head.size()) != head.size() || head != signature)
        return false;
    QIODevice* device = stream.device();
    bool first = true;
    for (;;) {
        quint32 length = 0;
        char type[4];
        stream >> length;
        if (stream.status() != QDataStream::Ok || stream.readRawData(type, 4) != 4)
            return false;
        for (const char c : type) {
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return false;
        }
        const QByteArray name(type, 4);
        if (first && (name != "IHDR" || length != 13))
            return false;
        first = false;
        // Data and CRC.
        const qint64 rest = qint64(length) + 4;
        if (length > 0x7FFFFFFFu || device->bytesAvailable() < rest || !device->seek(device->pos() + rest))
            return false;
        if (name == "IEND")
            return true;
    }
}

// A text of the picture field within its bound.
bool ReadPictureText(QDataStream& stream, QString* text)
{
    quint32 bytes = 0;
    QIODevice* device = stream.device();
    const qint64 start = device->pos();
    stream >> bytes;
    if (stream.status() != QDataStream::Ok)
        return false;
    if (bytes != 0xFFFFFFFFu && (bytes > quint32(MaxPictureText) * 2 || (bytes & 1u)))
        return false;
    if (!device->seek(start))
        return false;
    stream >> *text;
    return stream.status() == QDataStream::Ok;
}

// Steps over one item's picture field: the icon engine's name (empty for no
// picture), then for the pixmap engine its entries, each an image marker
// (0 none, 1 a PNG follows), a file name, a size, a mode (0 to 3) and a
// state (0 or 1); the theme engine has one name. Anything else is refused:
// its length is unknown, so the items after it cannot be found.
bool SkipPicture(QDataStream& stream)
{
    QString engine;
    if (!ReadPictureText(stream, &engine))
        return false;
    if (engine.isEmpty())
        return true;
    if (engine == QLatin1String("QIconLoaderEngine")) {
        QString themeName;
        return ReadPictureText(stream, &themeName);
    }
    if (engine != QLatin1String("QPixmapIconEngine"))
        return false;
    qint32 entries = -1;
    stream >> entries;
    if (stream.status() != QDataStream::Ok || entries < 0 || entries > MaxPictureEntries)
        return false;
    for (qint32 i = 0; i < entries; ++i) {
        qint32 marker = -1;
        stream >> marker;
        if (stream.status() != QDataStream::Ok || (marker != 0 && marker != 1))
            return false;
        if (marker == 1 && !SkipPng(stream))
            return false;
        QString fileName;
        if (!ReadPictureText(stream, &fileName))
            return false;
        qint32 width = 0;
        qint32 height = 0;
        quint32 mode = 0;
        quint32 state = 0;
        stream >> width >> height >> mode >> state;
        if (stream.status() != QDataStream::Ok || width < -1 || height < -1 || mode > 3 || state > 1)
            return false;
    }
    return true;
}

} // namespace

QByteArray Write(const Content& content)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << FixedField(kTag, TagBytes);
    // Cut at a character boundary, so the import never meets half a character.
    stream << FixedField(MacroName::CutToBytes(content.name, NameBytes).toUtf8(), NameBytes);
    stream << FixedField(content.modeText.toUtf8(), ModeBytes);
    stream << static_cast<qint32>(content.items.size());
    for (const Item& item : content.items) {
        stream << item.event.text << item.icon;
        if (!item.event.IsDelay())
            stream << (item.event.release ? QByteArray("1", 2) : QByteArray("0", 2));
    }
    return bytes;
}

ReadStatus Read(const QByteArray& bytes, Content* content)
{
    QDataStream stream(bytes);
    stream.setVersion(StreamVersion);
    QByteArray tag;
    QByteArray name;
    QByteArray mode;
    stream >> tag >> name >> mode;
    if (stream.status() != QDataStream::Ok)
        return ReadStatus::HeaderUnreadable;
    content->name = QString::fromUtf8(UpToZero(name));
    content->modeText = QString::fromUtf8(UpToZero(mode));
    content->items.clear();
    if (UpToZero(tag) != kTag)
        return ReadStatus::WrongTag;
    if (!MacroName::IsSafe(content->name))
        return ReadStatus::BadName;
    if (!IsRepeatMode(content->modeText))
        return ReadStatus::BadMode;

    qint32 count = -1;
    stream >> count;
    if (stream.status() != QDataStream::Ok || count < 0 || count > MaxItems)
        return ReadStatus::BadCount;

    QList<Item> items;
    for (qint32 i = 0; i < count; ++i) {
        Item item;
        stream >> item.event.text;
        if (stream.status() != QDataStream::Ok || !SkipPicture(stream))
            return ReadStatus::BadItem;
        if (item.event.IsDelay()) {
            if (!IsDelayValue(item.event.text))
                return ReadStatus::BadItem;
        } else {
            QByteArray flag;
            stream >> flag;
            const QByteArray value = UpToZero(flag);
            if (stream.status() != QDataStream::Ok || (value != "0" && value != "1") || !IsKnownKey(item.event.text))
                return ReadStatus::BadItem;
            item.event.release = value == "1";
        }
        items.append(item);
    }
    content->items = items;
    return ReadStatus::Ok;
}

} // namespace MacroExportFile
