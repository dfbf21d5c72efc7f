// The one reader of files, and the INI stores read and written through it:
// what it gives for each kind of path, that it never reads past a bound, and
// that the stores read and write the INI files QSettings has always written.

#include "BadFile.h"

#include "app/ConfigSettings.h"
#include "app/UserSettings.h"
#include "platform/RegistryStore.h"
#include "platform/files/FileReader.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

const QString kRegistryKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Nevrix Kazmo\\Nevrix Kazmo\\Ruzaz Arode Dazo");

// Texts that QSettings quotes or escapes.
QList<QPair<QString, QString>> TrickyValues()
{
    return {
        {QStringLiteral("Plain/Number"), QStringLiteral("3")},
        {QStringLiteral("Plain/Empty"), QString()},
        {QStringLiteral("Odd/Commas"), QStringLiteral("210,0,1,2")},
        {QStringLiteral("Odd/Spaces"), QStringLiteral("  both ends  ")},
        {QStringLiteral("Odd/Semicolon"), QStringLiteral("a;b=c")},
        {QStringLiteral("Odd/Quotes"), QStringLiteral("say \"hi\" \\ back")},
        {QStringLiteral("Odd/At"), QStringLiteral("@not a variant")},
        {QStringLiteral("Odd/Unicode"), QString::fromUtf8("\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9")},
        {QStringLiteral("Key With Spaces/Name.With-Dots_"), QStringLiteral("/home/user/My Files")},
    };
}

} // namespace

Q_DECLARE_METATYPE(FileReader::Status)

class TestFileReader : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void aRegularFileIsReadWithinItsBound_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("bound");
        QTest::addColumn<FileReader::Status>("status");
        QTest::newRow("small") << QByteArray("hello\n") << qint64(64) << FileReader::Status::Ok;
        QTest::newRow("empty") << QByteArray() << qint64(64) << FileReader::Status::Ok;
        QTest::newRow("exactly the bound") << QByteArray(64, 'a') << qint64(64) << FileReader::Status::Ok;
        QTest::newRow("one byte over") << QByteArray(65, 'a') << qint64(64) << FileReader::Status::TooLarge;
        QTest::newRow("larger than a first guess") << QByteArray(100000, 'b') << qint64(200000) << FileReader::Status::Ok;
        QTest::newRow("binary") << QByteArray("\0\xff\0\x01", 4) << qint64(4) << FileReader::Status::Ok;
    }

    void aRegularFileIsReadWithinItsBound()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, bound);
        QFETCH(FileReader::Status, status);
        const QString path = folder.filePath("regular.bin");
        QVERIFY(WriteAll(path, bytes));
        const FileReader::Result result = FileReader::Read(path, bound);
        QCOMPARE(result.status, status);
        QCOMPARE(result.bytes, status == FileReader::Status::Ok ? bytes : QByteArray());
        QCOMPARE(result.reason.isEmpty(), status == FileReader::Status::Ok);
        QCOMPARE(FileReader::Check(path, bound), status);
    }

    void aLinkToARegularFileIsRead()
    {
        const QString target = folder.filePath("target.txt");
        QVERIFY(WriteAll(target, "linked"));
        const QString link = folder.filePath("link.txt");
        QVERIFY(QFile::link(target, link));
        QCOMPARE(FileReader::Read(link, 64).bytes, QByteArray("linked"));
    }

    void nothingThereIsMissing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("no name") << QString();
        QTest::newRow("no file") << QStringLiteral("/nonexistent-folder-of-nk/file.ini");
        QTest::newRow("a dangling link") << QStringLiteral("dangling");
    }

    void nothingThereIsMissing()
    {
        QFETCH(QString, path);
        if (path == QLatin1String("dangling")) {
            path = folder.filePath("dangling");
            QVERIFY(QFile::link(folder.filePath("gone"), path));
        }
        const FileReader::Result result = FileReader::Read(path, 64);
        QCOMPARE(result.status, FileReader::Status::Missing);
        QVERIFY(result.bytes.isEmpty());
    }

    void whatIsNoFileIsRefusedAtOnce_data()
    {
        QTest::addColumn<BadFileKind>("kind");
        QTest::addColumn<FileReader::Status>("status");
        for (BadFileKind kind : AllBadFileKinds()) {
            const bool large = kind == BadFileKind::OneByteTooLarge || kind == BadFileKind::HugeSparse;
            QTest::newRow(BadFileKindName(kind))
                << kind << (large ? FileReader::Status::TooLarge : FileReader::Status::NotRegularFile);
        }
    }

    void whatIsNoFileIsRefusedAtOnce()
    {
        QFETCH(BadFileKind, kind);
        QFETCH(FileReader::Status, status);
        const QString path = folder.filePath("bad");
        BadFile bad(kind, path, 1024);
        QVERIFY(bad.Placed());
        QElapsedTimer timer;
        timer.start();
        const FileReader::Result result = FileReader::Read(path, 1024);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(result.status, status);
        QVERIFY(result.bytes.isEmpty());
        QVERIFY(!result.reason.isEmpty());
        QVERIFY(bad.StillThere());
    }

    // Earlier runs wrote the stores with QSettings: every value reads back.
    void theStoresReadWhatQSettingsWrote()
    {
        const QString path = folder.filePath("written-by-qsettings.ini");
        QFile::remove(path);
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setIniCodec("UTF-8");
            for (const auto& value : TrickyValues())
                settings.setValue(value.first, value.second);
            settings.setValue("List/Items", QStringList{"a", "b", "c"});
            settings.setValue(QString(kRegistryKey).replace('\\', '/') + "/UpdateFailInfo", "210,0,1,2");
            settings.sync();
            QCOMPARE(settings.status(), QSettings::NoError);
        }
        ConfigSettings config(path);
        UserSettings user(path);
        RegistryStore registry(path);
        for (const auto& value : TrickyValues()) {
            const QString group = value.first.section('/', 0, 0);
            const QString key = value.first.section('/', 1);
            QCOMPARE(config.Value(group, key), value.second);
            QCOMPARE(user.Value(group, key), value.second);
        }
        QCOMPARE(config.ListValue("List", "Items"), (QStringList{"a", "b", "c"}));
        QCOMPARE(registry.Value(kRegistryKey, "UpdateFailInfo"), QStringLiteral("210,0,1,2"));
    }

    // What the stores write, QSettings (and so an earlier program) reads.
    void whatTheStoresWriteQSettingsReads()
    {
        const QString path = folder.filePath("written-by-store.ini");
        QFile::remove(path);
        {
            UserSettings user(path);
            for (const auto& value : TrickyValues())
                QVERIFY(user.SetValue(value.first.section('/', 0, 0), value.first.section('/', 1), value.second));
            RegistryStore registry(path);
            QVERIFY(registry.SetValue(kRegistryKey, "UpdateFailInfo", "210,0,1,2"));
        }
        QSettings settings(path, QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        for (const auto& value : TrickyValues())
            QCOMPARE(settings.value(value.first).toString(), value.second);
        QCOMPARE(settings.value(QString(kRegistryKey).replace('\\', '/') + "/UpdateFailInfo").toString(),
                 QStringLiteral("210,0,1,2"));
        // The registry's write kept what the settings store wrote before it.
        QCOMPARE(UserSettings(path).Value("Plain", "Number"), QStringLiteral("3"));
    }

    // A store holds text only: a value QSettings would decode into an object
    // is never handed to its decoder, and the other values still read.
    void aSerialisedObjectIsNotDecoded_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("a variant") << QByteArray("Picture=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x6QImage)");
        QTest::newRow("a variant in quotes") << QByteArray("Picture=\"@Variant(\\0\\0\\0\\n)\"");
        QTest::newRow("spelled by hex escapes") << QByteArray("Picture=\\x40Variant(\\0\\0\\0\\n)");
        QTest::newRow("spelled by octal escapes") << QByteArray("Picture=\\100Variant(\\0\\0\\0\\n)");
    }

    void aSerialisedObjectIsNotDecoded()
    {
        QFETCH(QByteArray, line);
        const QString path = folder.filePath("variant.ini");
        QVERIFY(WriteAll(path, "[Option]\nDeviceTotal=1\n" + line + "\nColour=#112233\n"));
        ConfigSettings config(path);
        QCOMPARE(config.Value("Option", "DeviceTotal"), QStringLiteral("1"));
        QCOMPARE(config.Value("Option", "Colour"), QStringLiteral("#112233"));
        QCOMPARE(config.Value("Option", "Picture"), QString());
    }
};

QTEST_GUILESS_MAIN(TestFileReader)
#include "tst_filereader.moc"
