// Applying an exported profile through the please-wait dialog: the file check
// with its results, the record sent to the mouse and shown on the pages, and
// the import-failure notice for a file that is refused.

#include "PleaseWaitSupport.h"
#include "RecordFixtures.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/Startup.h"
#include "dialogs/InportFail.h"

#include <QApplication>
#include <QDataStream>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstring>
#include <memory>

using namespace PleaseWait;

namespace {

// A fixed-size field: the text, then NULs.
QByteArray Field(const QByteArray& text, int size = 12)
{
    QByteArray field = text.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    return field;
}

QByteArray ProfileFile(const QList<QByteArray>& arrays)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    for (const QByteArray& array : arrays)
        stream << array;
    return out;
}

QByteArray Uint32(quint32 value)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << value;
    return out;
}

const QByteArray kMissing = QByteArrayLiteral("<missing>");

QByteArray SensorOf(int modelIndex)
{
    return ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(modelIndex), QStringLiteral("Sensor")).toLatin1();
}

int MaxLevelsOf(int modelIndex)
{
    return ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(modelIndex), QStringLiteral("DPIMaxGrade")).toInt();
}

// What the user sees of the import-failure notice; answered with its OK button.
struct NoticeWatch {
    int seen = 0;
    QString text;
    QPoint position;
    QTimer poll;

    NoticeWatch()
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto* notice = qobject_cast<InportFail*>(QApplication::activeModalWidget());
            if (!notice)
                return;
            ++seen;
            text = notice->findChild<QLabel*>(QStringLiteral("label"))->text();
            position = notice->pos();
            QTest::mouseClick(notice->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
        });
        poll.start(20);
    }
};

} // namespace

class TestProfileApply : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    QTemporaryDir m_dir;

    QString Write(const QString& name, const QByteArray& content) { return WriteFixtureFile(m_dir, name, content); }

    QString GoodProfile(const FlashDataMap& record)
    {
        return Write(QStringLiteral("good.bin"), ProfileFile({Field("Tesmo"), Field(SensorOf(0)), Bytes(record)}));
    }

    QStringList FillSignals() { return JobSignals(*m_recorder); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_recorder = new HubRecorder;
    }

    void cleanupTestCase()
    {
        UsbServer_Exit();
        delete m_recorder;
    }

    void init()
    {
        OpenLinkToMouse();
        {
            CurrentFlashMapLock lock;
            lock.Map() = PatternRecord(1);
        }
        QFile::remove(CachePath());
        importFailCode = 0;
        m_recorder->Clear();
    }

    void cleanup() { UsbServer_Exit(); }

    void readProfileFileChecksTheFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // kMissing: no such file
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<int>("result");
        // What the caller's buffer holds afterwards: "record" the file's
        // record, "untouched" as it was, "any" not looked at (refused anyway).
        QTest::addColumn<QString>("buffer");

        const int maxLevels = MaxLevelsOf(0);
        QVERIFY(maxLevels > 0);
        const QByteArray tag = Field("Tesmo");
        const QByteArray sensor = Field(SensorOf(0));
        QVERIFY(!SensorOf(0).isEmpty());
        const QByteArray record = Bytes(PatternRecord(8, 3));
        auto profile = [&](const QByteArray& t, const QByteArray& s, const QByteArray& r) { return ProfileFile({t, s, r}); };

        QTest::newRow("accepted") << profile(tag, sensor, record) << 0 << 0 << "record";
        QTest::newRow("DPI levels at the maximum")
            << profile(tag, sensor, Bytes(PatternRecord(8, maxLevels))) << 0 << 0 << "record";
        QTest::newRow("DPI levels above the maximum")
            << profile(tag, sensor, Bytes(PatternRecord(8, maxLevels + 1))) << 0 << 2 << "any";
        QTest::newRow("text after the NUL is ignored")
            << profile(tag, SensorOf(0) + QByteArray(1, '\0') + QByteArray("xyzxyzxyz").left(11 - SensorOf(0).size()), record)
            << 0 << 0 << "record";
        QTest::newRow("no such file") << kMissing << 0 << 1 << "untouched";
        QTest::newRow("empty file") << QByteArray("") << 0 << 1 << "untouched";
        QTest::newRow("wrong tag") << profile(Field("Tesla"), sensor, record) << 0 << 1 << "untouched";
        QTest::newRow("tag without NUL") << profile(QByteArray("TesmoTesmoTe"), sensor, record) << 0 << 1 << "untouched";
        QTest::newRow("other sensor") << profile(tag, Field("9999"), record) << 0 << 2 << "untouched";
        QTest::newRow("profile of another model") << profile(tag, sensor, record) << 1 << 2 << "untouched";
        QTest::newRow("short tag array") << profile(QByteArray("Tesmo"), sensor, record) << 0 << 1 << "untouched";
        QTest::newRow("short sensor array") << profile(tag, SensorOf(0), record) << 0 << 1 << "untouched";
        QTest::newRow("short record") << profile(tag, sensor, record.left(kRecordSize - 1)) << 0 << 1 << "untouched";
        QTest::newRow("long record") << profile(tag, sensor, record + QByteArray(1, 'x')) << 0 << 1 << "untouched";
        QTest::newRow("no record") << ProfileFile({tag, sensor}) << 0 << 1 << "untouched";
        QTest::newRow("record cut off in the file")
            << ProfileFile({tag, sensor}) + Uint32(quint32(kRecordSize)) + record.left(3000) << 0 << 1 << "untouched";
        QTest::newRow("huge record length") << ProfileFile({tag, sensor}) + Uint32(0x7FFFFFF0u) + record << 0 << 1 << "untouched";
        QTest::newRow("null record") << ProfileFile({tag, sensor}) + Uint32(0xFFFFFFFFu) << 0 << 1 << "untouched";
    }
    void readProfileFileChecksTheFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, modelIndex);
        QFETCH(int, result);
        QFETCH(QString, buffer);
        const QString path = content == kMissing ? m_dir.filePath(QStringLiteral("missing.bin"))
                                              : Write(QStringLiteral("profile.bin"), content);
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = modelIndex;
        CurrentDevice::SetInfo(info);

        // Exactly one record long, so any write past it is caught.
        auto target = std::make_unique<uchar[]>(kRecordSize);
        std::memset(target.get(), 0xA5, kRecordSize);
        UpDataParam dialog;
        QCOMPARE(dialog.ReadProfileFile(path, target.get()), result);
        const QByteArray after(reinterpret_cast<const char*>(target.get()), kRecordSize);
        if (buffer == QLatin1String("record"))
            QCOMPARE(after, content.right(kRecordSize)); // the record is the file's last array
        else if (buffer == QLatin1String("untouched"))
            QCOMPARE(after, QByteArray(kRecordSize, char(0xA5)));
    }

    // A sensor name longer than the file's 12 bytes: the model's own export
    // keeps its first 12 bytes, and that is what its import compares.
    void longSensorNameComparesItsFirstTwelveBytes_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("result");
        QTest::newRow("first twelve bytes") << QByteArray("ABCDEFGHIJKL") << 0;
        QTest::newRow("another name's twelve bytes") << QByteArray("ABCDEFGHIJKX") << 2;
        QTest::newRow("shorter text") << Field("ABCDEFGHIJK") << 2;
    }
    void longSensorNameComparesItsFirstTwelveBytes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, result);
        QFile shipped(AppPaths::ApplicationFolder() + QStringLiteral("/usersetting/Config.ini"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray ini = shipped.readAll();
        const QByteArray sensorLine = "Sensor=" + SensorOf(0).toBase64();
        const int at = ini.indexOf(sensorLine);
        QVERIFY(at >= 0);
        ini.replace(at, sensorLine.size(), "Sensor=" + QByteArray("ABCDEFGHIJKLMNOP").toBase64());
        const QString path = Write(QStringLiteral("Config.ini"), ini);
        ConfigSettings longName(path);
        ConfigSettings* shippedConfig = ConfigSettings::ReplaceInstance(&longName);
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = 0;
        CurrentDevice::SetInfo(info);

        const QString profile = Write(QStringLiteral("long.bin"),
                                      ProfileFile({Field("Tesmo"), stored, Bytes(PatternRecord(8, 3))}));
        FlashDataMap target{};
        UpDataParam dialog;
        const int got = dialog.ReadProfileFile(profile, reinterpret_cast<uchar*>(&target));
        ConfigSettings::ReplaceInstance(shippedConfig);
        QCOMPARE(got, result);
    }

    // Accepted: the record becomes the current record, goes to the mouse
    // whole, and the pages show it; the dialog stays 2.5 s more, then closes.
    void acceptedProfileIsSentAndShown()
    {
        const FlashDataMap record = PatternRecord(42, 5);
        UpDataParam dialog;
        dialog.importMode = true;
        dialog.profilePath = GoodProfile(record);
        NoticeWatch notice;
        const qint64 ms = ExecAsCaller(&dialog);

        QVERIFY2(ms >= 4800 && ms < 6000, qPrintable(QString::number(ms)));
        QCOMPARE(notice.seen, 0);
        QCOMPARE(importFailCode, 0);
        QVERIFY(!dialog.importMode);
        QVERIFY(!dialog.isVisible());

        const QList<QJsonObject> sent = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(QByteArray::fromHex(sent.first().value("record").toString().toLatin1()), Bytes(record));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(record));

        QCOMPARE(FillSignals(), QStringList({"SigUpDataLightUIA", "SigUpDataSensorUIB", "SigUpDataButtonUIC", "SigFormB"}));
        for (const HubRecorder::Event& e : m_recorder->Events()) {
            QCOMPARE(e.thread, QThread::currentThread());
            if (e.name.startsWith(QLatin1String("SigUpData")))
                QCOMPARE(e.record, Bytes(record));
        }
        // Applying a profile leaves the device cache alone.
        QVERIFY(!QFile::exists(CachePath()));
    }

    void refusedProfileShowsTheImportFailure_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("key");
        const QByteArray record = Bytes(PatternRecord(42, 5));
        QTest::newRow("not a profile file") << ProfileFile({Field("Other"), Field(SensorOf(0)), record}) << 1
                                            << "DialogConfigError";
        QTest::newRow("short record") << ProfileFile({Field("Tesmo"), Field(SensorOf(0)), record.left(6912)}) << 1
                                      << "DialogConfigError";
        QTest::newRow("other sensor") << ProfileFile({Field("Tesmo"), Field("1234"), record}) << 2
                                      << "DialogEConfigMismatch";
    }
    void refusedProfileShowsTheImportFailure()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, key);
        const QByteArray before = Bytes(CurrentFlashMapLock::Snapshot());
        UpDataParam dialog;
        dialog.importMode = true;
        dialog.profilePath = Write(QStringLiteral("refused.bin"), content);
        dialog.move(140, 90);
        NoticeWatch notice;
        const qint64 ms = ExecAsCaller(&dialog);

        QCOMPARE(notice.seen, 1);
        const QString expected = LanguageTables::Text(0, QStringLiteral("key"), key);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(notice.text, expected);
        // Centred over the dialog, which has the notice's size.
        QCOMPARE(notice.position, dialog.pos());
        QCOMPARE(importFailCode, code);
        QVERIFY2(ms >= 2300 && ms < 4000, qPrintable(QString::number(ms)));
        QVERIFY(!dialog.importMode);
        QVERIFY(!dialog.isVisible());

        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), before);
        QVERIFY(FillSignals().isEmpty());
    }

    // Esc before the timer fires: the caller's dialog goes, and its timer with it.
    void importCancelledEarlyAppliesNothing()
    {
        const QByteArray before = Bytes(CurrentFlashMapLock::Snapshot());
        {
            UpDataParam dialog;
            dialog.importMode = true;
            dialog.profilePath = GoodProfile(PatternRecord(42, 5));
            QTimer::singleShot(200, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
            QVERIFY(ExecAsCaller(&dialog) < 1500);
        }
        QTest::qWait(2800);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), before);
        QVERIFY(m_recorder->Names().isEmpty());
    }
};

QTEST_MAIN(TestProfileApply)
#include "tst_profileapply.moc"
