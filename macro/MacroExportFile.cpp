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

// An icon is its engine's name followed by the engine's data; a file cut
// inside the data can leave the stream looking fine and the icon empty.
bool ReadIcon(QDataStream& stream, QIcon* icon)
{
    QIODevice* device = stream.device();
    const qint64 start = device->pos();
    QString engine;
    stream >> engine;
    if (stream.status() != QDataStream::Ok || !device->seek(start))
        return false;
    stream >> *icon;
    // An icon that was written with an engine has a picture to show.
    return stream.status() == QDataStream::Ok && (engine.isEmpty() || !icon->pixmap(QSize(16, 16)).isNull());
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
        if (stream.status() != QDataStream::Ok || !ReadIcon(stream, &item.icon))
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
