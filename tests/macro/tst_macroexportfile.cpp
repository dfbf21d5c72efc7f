// The macro export file: the bytes of its header and items, a round trip,
// and the damaged files an import must refuse.

#include "macro/KeyNameTable.h"
#include "macro/MacroExportFile.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QIcon>
#include <QTemporaryDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QBuffer>
#include <QtTest>

#include <functional>
#include <limits>

#include <sys/stat.h>

Q_DECLARE_METATYPE(MacroExportFile::ReadStatus)

namespace {

using Item = MacroExportFile::Item;

QIcon ColourIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

MacroExportFile::Content Game1()
{
    MacroExportFile::Content content;
    content.name = QStringLiteral("Game1");
    content.modeText = QStringLiteral("254");
    content.items = {
        {{QStringLiteral("A"), false}, ColourIcon(Qt::red)},
        {{QStringLiteral("10ms"), false}, ColourIcon(Qt::blue)},
        {{QStringLiteral("A"), true}, ColourIcon(Qt::green)},
    };
    return content;
}

QByteArray Be32(quint32 value)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << value;
    return bytes;
}

QByteArray Field(const QByteArray& text, int size)
{
    return Be32(quint32(size)) + text + QByteArray(size - text.size(), '\0');
}

// A file written by hand, field by field, at the format's stream version.
QByteArray HandMade(const QByteArray& tag, const QByteArray& name, const QByteArray& mode, qint32 count,
                    const std::function<void(QDataStream&)>& items = {})
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(17);
    stream << tag << name << mode << count;
    if (items)
        items(stream);
    return bytes;
}

// A picture field written by hand: the pixmap engine with one entry.
struct PictureEntry {
    QByteArray image; // after the marker; empty: marker 0
    QString fileName;
    qint32 width = 16;
    qint32 height = 16;
    quint32 mode = 0;
    quint32 state = 0;
};

std::function<void(QDataStream&)> KeyWithPicture(const std::function<void(QDataStream&)>& picture)
{
    return [picture](QDataStream& s) {
        s << QStringLiteral("A");
        picture(s);
        s << QByteArray("0", 2);
    };
}

// The entry count as stated; by default the number of entries.
constexpr qint32 kTrueCount = std::numeric_limits<qint32>::min();

std::function<void(QDataStream&)> PixmapPicture(const QList<PictureEntry>& entries, qint32 count = kTrueCount)
{
    return [entries, count](QDataStream& s) {
        s << QStringLiteral("QPixmapIconEngine") << (count == kTrueCount ? qint32(entries.size()) : count);
        for (const PictureEntry& entry : entries) {
            if (entry.image.isEmpty()) {
                s << qint32(0);
            } else {
                s << qint32(1);
                s.writeRawData(entry.image.constData(), entry.image.size());
            }
            s << entry.fileName << entry.width << entry.height << entry.mode << entry.state;
        }
    };
}

QByteArray PngOf(Qt::GlobalColor colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray Chunk(const char* type, const QByteArray& data)
{
    return Be32(quint32(data.size())) + QByteArray(type, 4) + data + QByteArray(4, '\0');
}

const QByteArray kTag("Tesmo\0\0\0\0\0\0\0", 12);
const QByteArray kMode("254\0\0\0\0\0\0\0\0\0", 12);

} // namespace

class TestMacroExportFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        MouseButtonNames[0] = QStringLiteral("Left button");
    }

    void headerBytes()
    {
        const QByteArray bytes = MacroExportFile::Write(Game1());
        const QByteArray header = Field("Tesmo", 12) + Field("Game1", 48) + Field("254", 12) + Be32(3);
        QCOMPARE(bytes.left(header.size()), header);
    }

    // Text as a UTF-16 string, the icon, and for a key the press flag with
    // its terminating zero; a delay has no flag.
    void itemBytes()
    {
        MacroExportFile::Content content;
        content.name = QStringLiteral("K");
        content.modeText = QStringLiteral("1");
        content.items = {{{QStringLiteral("A"), true}, QIcon()}, {{QStringLiteral("10ms"), false}, QIcon()}};
        const QByteArray bytes = MacroExportFile::Write(content);
        const int itemsStart = 4 + 12 + 4 + 48 + 4 + 12 + 4;
        const QByteArray nullIcon = Be32(0xFFFFFFFF);
        const QByteArray expected = Be32(2) + QByteArray("\0A", 2) + nullIcon + Be32(2) + QByteArray("1\0", 2)
            + Be32(8) + QByteArray("\0" "1\0" "0\0m\0s", 8) + nullIcon;
        QCOMPARE(bytes.mid(itemsStart), expected);
        QCOMPARE(bytes.mid(itemsStart - 4, 4), Be32(2));
    }

    // The pictures are written as they are and stepped over on reading: the
    // items come back without them.
    void roundTrip()
    {
        const MacroExportFile::Content written = Game1();
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(MacroExportFile::Write(written), &read), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(read.name, written.name);
        QCOMPARE(read.modeText, written.modeText);
        QCOMPARE(read.items.size(), written.items.size());
        for (int i = 0; i < read.items.size(); ++i) {
            QCOMPARE(read.items.at(i).event, written.items.at(i).event);
            QVERIFY(read.items.at(i).icon.isNull());
        }
    }

    // Icons as the page has them: loaded from a picture file, so the field
    // carries the file's name too, and an icon of several sizes.
    void picturesOfFilesAndOfSeveralSizesAreSteppedOver()
    {
        QTemporaryDir dir;
        const QString pictureFile = dir.filePath(QStringLiteral("MacroDown.png"));
        QVERIFY(QImage(QSize(12, 12), QImage::Format_ARGB32).save(pictureFile, "PNG"));
        QIcon several;
        for (int size : {16, 24, 32}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::yellow);
            several.addPixmap(pixmap, size == 24 ? QIcon::Active : QIcon::Normal, size == 32 ? QIcon::On : QIcon::Off);
        }
        MacroExportFile::Content content = Game1();
        content.items[0].icon = QIcon(pictureFile);
        content.items[1].icon = several;
        content.items[2].icon = QIcon::fromTheme(QStringLiteral("edit-undo"));
        const QByteArray bytes = MacroExportFile::Write(content);
        // The format is unchanged: the picture's file name is in the file.
        QByteArray nameField;
        QDataStream nameStream(&nameField, QIODevice::WriteOnly);
        nameStream << QFileInfo(pictureFile).absoluteFilePath();
        QVERIFY(bytes.contains(nameField));
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(bytes, &read), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(read.items.size(), 3);
        QCOMPARE(read.items.at(2).event, (MacroEvent{QStringLiteral("A"), true}));
    }

    // A picture that names a file: the framework's reader would open it (a
    // FIFO blocks forever, any other file is read). The reader never does.
    void aPictureNamingAFileIsNotOpened_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO") << true;
        QTest::newRow("picture file") << false;
    }

    void aPictureNamingAFileIsNotOpened()
    {
        QFETCH(bool, fifo);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("named"));
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QImage(QSize(16, 16), QImage::Format_RGB32).save(path, "PNG"));
        PictureEntry entry;
        entry.fileName = path;
        const QByteArray bytes = HandMade(kTag, "Game1", kMode, 1, KeyWithPicture(PixmapPicture({entry})));
        QElapsedTimer clock;
        clock.start();
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(bytes, &read), MacroExportFile::ReadStatus::Ok);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(read.items.size(), 1);
        QVERIFY(read.items.first().icon.isNull());
    }

    // Crafted or damaged picture fields are refused as a bad item; none of
    // them reaches the framework's icon code (an out-of-range mode made it
    // recurse until the stack overflowed).
    void badPictureFields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        auto file = [](const std::function<void(QDataStream&)>& picture) {
            return HandMade(kTag, "Game1", kMode, 1, KeyWithPicture(picture));
        };
        const QByteArray png = PngOf(Qt::red);
        PictureEntry good;
        good.image = png;
        PictureEntry mode = good;
        mode.mode = 7;
        PictureEntry hugeMode = good;
        hugeMode.mode = 0x80000000u;
        PictureEntry state = good;
        state.state = 2;
        PictureEntry size = good;
        size.width = -5;
        PictureEntry signature = good;
        signature.image[1] = 'Q';
        PictureEntry noEnd = good;
        noEnd.image.chop(12);
        PictureEntry longChunk = good;
        longChunk.image = png.left(8) + Be32(0x7FFFFFF0) + QByteArray("IHDR") + png.mid(16);
        PictureEntry notHeaderFirst = good;
        notHeaderFirst.image = png.left(8) + Chunk("tEXt", "a") + png.mid(8);
        PictureEntry badType = good;
        badType.image = png.left(8) + png.mid(8, 33) + Chunk("I\x01ND", "") + Chunk("IEND", "");
        PictureEntry longName = good;
        longName.fileName = QString(MacroExportFile::MaxPictureText + 1, QLatin1Char('x'));

        QTest::newRow("mode out of range") << file(PixmapPicture({mode}));
        QTest::newRow("mode with the top bit") << file(PixmapPicture({hugeMode}));
        QTest::newRow("state out of range") << file(PixmapPicture({state}));
        QTest::newRow("negative size") << file(PixmapPicture({size}));
        QTest::newRow("image marker 2") << file([](QDataStream& s) { s << QStringLiteral("QPixmapIconEngine") << qint32(1) << qint32(2); });
        QTest::newRow("not a PNG") << file(PixmapPicture({signature}));
        QTest::newRow("PNG without its end") << file(PixmapPicture({noEnd}));
        QTest::newRow("PNG chunk longer than the file") << file(PixmapPicture({longChunk}));
        QTest::newRow("PNG not starting with its header") << file(PixmapPicture({notHeaderFirst}));
        QTest::newRow("PNG chunk type no name") << file(PixmapPicture({badType}));
        QTest::newRow("file name too long") << file(PixmapPicture({longName}));
        QTest::newRow("negative entry count") << file(PixmapPicture({}, -1));
        QTest::newRow("huge entry count") << file(PixmapPicture({good}, 0x7FFFFFFF));
        QTest::newRow("more entries than a picture has")
            << file(PixmapPicture({}, MacroExportFile::MaxPictureEntries + 1));
        QTest::newRow("unknown engine") << file([](QDataStream& s) { s << QStringLiteral("QSvgIconEngine") << QByteArray(40, 'x'); });
        QTest::newRow("engine name of odd length")
            << file([](QDataStream& s) { s << quint32(3) << QByteArray("abc"); });
        QTest::newRow("huge engine name") << file([](QDataStream& s) { s << quint32(0x7FFFFFF0); });
    }

    void badPictureFields()
    {
        QFETCH(QByteArray, bytes);
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(bytes, &read), MacroExportFile::ReadStatus::BadItem);
        QVERIFY(read.items.isEmpty());
    }

    void aGoodHandMadePictureIsAccepted()
    {
        PictureEntry entry;
        entry.image = PngOf(Qt::red);
        entry.fileName = QStringLiteral("/nowhere/MacroDown.png");
        entry.mode = 3;
        entry.state = 1;
        PictureEntry noImage;
        noImage.width = -1;
        noImage.height = -1;
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(HandMade(kTag, "Game1", kMode, 1, KeyWithPicture(PixmapPicture({entry, noImage}))), &read),
                 MacroExportFile::ReadStatus::Ok);
        QCOMPARE(read.items.size(), 1);
    }

    void longNamesAreCutAtACharacter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("imported");
        const QString ascii = QString(60, QLatin1Char('n'));
        QTest::newRow("60 ASCII") << ascii << ascii.left(48);
        // 17 three-byte characters are 51 bytes; 16 fit in 48.
        const QString wide(17, QChar(0x5B8F));
        QTest::newRow("three-byte characters") << wide << wide.left(16);
        // 47 bytes and a three-byte character: the character does not fit.
        const QString mixed = QString(47, QLatin1Char('m')) + QChar(0x5B8F);
        QTest::newRow("no half character") << mixed << mixed.left(47);
    }

    void longNamesAreCutAtACharacter()
    {
        QFETCH(QString, name);
        QFETCH(QString, imported);
        MacroExportFile::Content content = Game1();
        content.name = name;
        const QByteArray bytes = MacroExportFile::Write(content);
        QCOMPARE(bytes.mid(16, 4), Be32(48));
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(bytes, &read), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(read.name, imported);
    }

    // Every cut of a good file is refused, wherever the cut falls.
    void everyTruncationIsRefused()
    {
        const QByteArray bytes = MacroExportFile::Write(Game1());
        for (int size = 0; size < bytes.size(); ++size) {
            MacroExportFile::Content read;
            const MacroExportFile::ReadStatus status = MacroExportFile::Read(bytes.left(size), &read);
            QVERIFY2(status != MacroExportFile::ReadStatus::Ok, qPrintable(QString::number(size)));
            QVERIFY(read.items.isEmpty());
        }
    }

    // A file whose last item is a pause has no flag after the icon to
    // betray a cut inside the icon's data.
    void truncationInsideTheLastIconIsRefused()
    {
        MacroExportFile::Content content = Game1();
        content.items.removeLast();
        const QByteArray bytes = MacroExportFile::Write(content);
        for (int size = 0; size < bytes.size(); ++size) {
            MacroExportFile::Content read;
            QVERIFY2(MacroExportFile::Read(bytes.left(size), &read) != MacroExportFile::ReadStatus::Ok,
                     qPrintable(QString::number(size)));
        }
    }

    void damagedFiles_data()
    {
        using S = MacroExportFile::ReadStatus;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<MacroExportFile::ReadStatus>("status");
        const QByteArray tag("Tesmo\0\0\0\0\0\0\0", 12);
        const QByteArray mode("254\0\0\0\0\0\0\0\0\0", 12);
        const QByteArray name("Game1", 5);
        auto key = [](const char* text, const QByteArray& flag) {
            return [=](QDataStream& s) { s << QString::fromUtf8(text) << QIcon() << flag; };
        };
        QTest::newRow("empty file") << QByteArray() << S::HeaderUnreadable;
        QTest::newRow("wrong tag") << HandMade(QByteArray("Tasmo\0\0\0\0\0\0\0", 12), name, mode, 0) << S::WrongTag;
        QTest::newRow("profile tag") << HandMade("Nevrix", name, mode, 0) << S::WrongTag;
        QTest::newRow("empty name") << HandMade(tag, QByteArray(48, '\0'), mode, 0) << S::BadName;
        QTest::newRow("name with a path") << HandMade(tag, "../evil", mode, 0) << S::BadName;
        QTest::newRow("name dot dot") << HandMade(tag, "..", mode, 0) << S::BadName;
        QTest::newRow("name with a backslash") << HandMade(tag, "a\\b", mode, 0) << S::BadName;
        QTest::newRow("name with a line feed") << HandMade(tag, "a\nb", mode, 0) << S::BadName;
        QTest::newRow("mode 251") << HandMade(tag, name, "251", 0) << S::BadMode;
        QTest::newRow("mode abc") << HandMade(tag, name, "abc", 0) << S::BadMode;
        QTest::newRow("no count") << (Field("Tesmo", 12) + Field("Game1", 48) + Field("254", 12)) << S::BadCount;
        QTest::newRow("huge count") << HandMade(tag, name, mode, 0x7FFFFFFF) << S::BadCount;
        QTest::newRow("negative count") << HandMade(tag, name, mode, -1) << S::BadCount;
        QTest::newRow("more items promised than present")
            << HandMade(tag, name, mode, 2, key("A", QByteArray("0", 2))) << S::BadItem;
        QTest::newRow("press flag 2") << HandMade(tag, name, mode, 1, key("A", QByteArray("2", 2))) << S::BadItem;
        QTest::newRow("unknown key") << HandMade(tag, name, mode, 1, key("Hyper", QByteArray("0", 2))) << S::BadItem;
        QTest::newRow("pause that is no number")
            << HandMade(tag, name, mode, 1, [](QDataStream& s) { s << QStringLiteral("abcms") << QIcon(); })
            << S::BadItem;
        QTest::newRow("huge text length")
            << HandMade(tag, name, mode, 1, [](QDataStream& s) { s << quint32(0x7FFFFFF0); }) << S::BadItem;
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(MacroExportFile::ReadStatus, status);
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(bytes, &read), status);
        QVERIFY(read.items.isEmpty());
    }

    // The header is readable before the rest is judged, so the page can
    // report a name it already has.
    void nameIsKnownEvenWhenTheRestIsBad()
    {
        MacroExportFile::Content read;
        QCOMPARE(MacroExportFile::Read(HandMade(QByteArray("Other\0", 6), "Game1", "254", 0), &read),
                 MacroExportFile::ReadStatus::WrongTag);
        QCOMPARE(read.name, QStringLiteral("Game1"));
    }

    void handMadeFlagsWithoutTheirZeroAreAccepted()
    {
        MacroExportFile::Content read;
        const QByteArray bytes = HandMade(QByteArray("Tesmo"), "Game1", "12", 1,
                                          [](QDataStream& s) { s << QStringLiteral("Left button") << QIcon() << QByteArray("1"); });
        QCOMPARE(MacroExportFile::Read(bytes, &read), MacroExportFile::ReadStatus::Ok);
        QCOMPARE(read.modeText, QStringLiteral("12"));
        QCOMPARE(read.items.size(), 1);
        QCOMPARE(read.items.first().event, (MacroEvent{QStringLiteral("Left button"), true}));
    }
};

QTEST_MAIN(TestMacroExportFile)
#include "tst_macroexportfile.moc"
