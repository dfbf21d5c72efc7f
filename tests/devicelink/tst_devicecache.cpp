// The device cache file: its name per model, its byte layout, the round trip,
// and files that must not count as a cached record.

#include "app/Startup.h"
#include "device/DeviceCacheFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstring>
#include <memory>

namespace {

constexpr int kRecordSize = static_cast<int>(sizeof(FlashDataMap));

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

// Every byte different from its neighbours, reserved bytes included.
FlashDataMap PatternRecord(int seed)
{
    FlashDataMap map;
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (int i = 0; i < kRecordSize; ++i)
        bytes[i] = static_cast<unsigned char>(i * 37 + seed);
    return map;
}

QString PathOf(const QString& name)
{
    return DeviceCacheFile::Folder() + name;
}

void WriteRaw(const QString& name, const QByteArray& content)
{
    QFile file(PathOf(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QByteArray StreamedArray(const QByteArray& bytes)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << bytes;
    return out;
}

QByteArray BigEndian32(quint32 value)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << value;
    return out;
}

// A record followed by bytes that a read must never reach.
struct GuardedRecord {
    FlashDataMap map;
    unsigned char guard[64];
};

QStringList CacheFiles()
{
    return QDir(DeviceCacheFile::Folder()).entryList(QDir::Files);
}

const QString kName = QStringLiteral("Device_CID07_MID01.bin");

} // namespace

class TestDeviceCache : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QVERIFY(QDir(DeviceCacheFile::Folder()).exists());
    }

    void init()
    {
        for (const QString& file : CacheFiles())
            QVERIFY(QFile::remove(PathOf(file)));
    }

    // Runs first: no dump has named a cache file in this process yet, so a
    // close that writes the record under the dump name leaves no file.
    void nothingIsWrittenBeforeTheFirstDump()
    {
        QVERIFY(DeviceCacheFile::DumpCacheName().isEmpty());
        DeviceCacheFile::WriteFlashCache(DeviceCacheFile::DumpCacheName(), PatternRecord(1));
        QVERIFY(CacheFiles().isEmpty());
        FlashDataMap out{};
        QVERIFY(!DeviceCacheFile::ReadFlashCache(DeviceCacheFile::DumpCacheName(), &out));
    }

    void nameHasTwoUpperCaseHexDigitsPerId_data()
    {
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");
        QTest::addColumn<QString>("name");
        QTest::newRow("1A/05") << 0x1A << 5 << "Device_CID1A_MID05.bin";
        QTest::newRow("07/01") << 7 << 1 << "Device_CID07_MID01.bin";
        QTest::newRow("00/00") << 0 << 0 << "Device_CID00_MID00.bin";
        QTest::newRow("FF/AB") << 0xFF << 0xAB << "Device_CIDFF_MIDAB.bin";
    }
    void nameHasTwoUpperCaseHexDigitsPerId()
    {
        QFETCH(int, cid);
        QFETCH(int, mid);
        QFETCH(QString, name);
        QCOMPARE(DeviceCacheFile::CacheName(uint8_t(cid), uint8_t(mid)), name);
    }

    void recordIsWrittenAsOneByteArrayAndReadsBackByteForByte()
    {
        const FlashDataMap record = PatternRecord(11);
        const QString name = DeviceCacheFile::CacheName(0x1A, 5);
        DeviceCacheFile::WriteFlashCache(name, record);

        QFile file(PathOf(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QCOMPARE(content.size(), 10452);
        QCOMPARE(content.left(4), QByteArray::fromHex("000028d0"));
        QCOMPARE(content.mid(4), Bytes(record));

        FlashDataMap out{};
        QVERIFY(DeviceCacheFile::ReadFlashCache(name, &out));
        QCOMPARE(Bytes(out), Bytes(record));

        // Writing again replaces the file rather than appending to it.
        const FlashDataMap second = PatternRecord(99);
        DeviceCacheFile::WriteFlashCache(name, second);
        QCOMPARE(QFileInfo(PathOf(name)).size(), qint64(10452));
        QVERIFY(DeviceCacheFile::ReadFlashCache(name, &out));
        QCOMPARE(Bytes(out), Bytes(second));
    }

    void longerArrayIsNotARecord()
    {
        QByteArray stored = Bytes(PatternRecord(5));
        stored.append(QByteArray(64, char(0xEE)));
        WriteRaw(kName, StreamedArray(stored));

        auto out = std::make_unique<GuardedRecord>();
        std::memset(out.get(), 0x33, sizeof(GuardedRecord));
        QVERIFY(!DeviceCacheFile::ReadFlashCache(kName, &out->map));
        QCOMPARE(Bytes(out->map), QByteArray(kRecordSize, '\0'));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(out->guard), sizeof(out->guard)),
                 QByteArray(sizeof(out->guard), char(0x33)));
    }

    // Such a file must not leave the pages half filled with what the caller
    // had: it reads as no cache, and the destination is zeroed.
    void damagedFileReadsAsNoCache_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("length prefix cut short") << QByteArray::fromHex("0000");
        QTest::newRow("short record") << StreamedArray(Bytes(PatternRecord(3)).left(100));
        QTest::newRow("one byte short") << StreamedArray(Bytes(PatternRecord(3)).left(kRecordSize - 1));
        QTest::newRow("record cut off in the file")
            << BigEndian32(quint32(kRecordSize)) + Bytes(PatternRecord(3)).left(5000);
        QTest::newRow("huge length, little data") << BigEndian32(0x7FFFFFF0u) + QByteArray(200, 'x');
        QTest::newRow("null array") << BigEndian32(0xFFFFFFFFu);
    }
    void damagedFileReadsAsNoCache()
    {
        QFETCH(QByteArray, content);
        WriteRaw(kName, content);
        FlashDataMap out;
        std::memset(&out, 0x5A, sizeof(out));
        QVERIFY(!DeviceCacheFile::ReadFlashCache(kName, &out));
        QCOMPARE(Bytes(out), QByteArray(kRecordSize, '\0'));
    }

    void missingFileOrEmptyNameReadsFalse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing file") << QStringLiteral("Device_CID33_MID44.bin");
        QTest::newRow("empty name") << QString();
    }
    void missingFileOrEmptyNameReadsFalse()
    {
        QFETCH(QString, name);
        // A file of another model is never taken for this one.
        DeviceCacheFile::WriteFlashCache(kName, PatternRecord(7));
        FlashDataMap out;
        std::memset(&out, 0x5A, sizeof(out));
        QVERIFY(!DeviceCacheFile::ReadFlashCache(name, &out));
        QCOMPARE(Bytes(out), QByteArray(kRecordSize, '\0'));
    }
};

QTEST_MAIN(TestDeviceCache)
#include "tst_devicecache.moc"
