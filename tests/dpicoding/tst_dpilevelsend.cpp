// A DPI value chosen for a level reaches the mouse through the DPI level
// writer with the model's coding, and the sensor page reads the levels of a
// record back with the same tables.

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/Sensor.h"
#include "sensor/SensorCapabilities.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

FlashDataMap PatternRecord()
{
    FlashDataMap map;
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (size_t i = 0; i < sizeof(map); ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + 3) & 0xFF);
    return map;
}

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

QList<QByteArray> SentRecords()
{
    QList<QByteArray> records;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")))
        records.append(QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1()));
    return records;
}

// Model 0: 3950, four ranges by 0x33; model 1: 3395, 0x22 above 10000;
// model 2: 3311 with a code table, 0x11 above 12000 (the shipped Config.ini).
void UseModel(int model)
{
    DeviceAllInfo info = CurrentDevice::Info();
    info.modelIndex = model;
    info.online = true;
    CurrentDevice::SetInfo(info);
    CurrentSensorName = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(model), QStringLiteral("Sensor"));
    DpiValueCoding::ParseDpiRanges();
}

} // namespace

class TestDpiLevelSend : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(DEVICE_FIXTURES "/one_mouse.json", &error), qPrintable(error));
        const QByteArray path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k")).toLatin1();
        CurrentDevice::SetPath(path);
        // The library stores a record only on the device its server talks to.
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), nullptr));
        SensorCapabilities::LoadHeader(nullptr);
    }

    void cleanupTestCase() { UsbServer_Exit(); }

    void init()
    {
        buttonPageFilling = false;
        lightPageFilling = false;
        sensorPageFilling = false;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        CurrentFlashMapLock lock;
        lock.Map() = PatternRecord();
        SimulatedDeviceControl::clearCalls();
    }

    void theLevelsCodeIsSent_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("previousFlags");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("shown");

        QTest::newRow("3950 first range") << 0 << 0 << 0 << 800 << 15 << 0x00 << 800;
        QTest::newRow("3950 second range") << 0 << 1 << 0 << 12000 << 119 << 0x22 << 12000;
        QTest::newRow("3950 third range") << 0 << 2 << 0 << 25000 << 249 << 0x11 << 25000;
        QTest::newRow("3950 third range, high bit") << 0 << 3 << 0 << 30000 << 43 << 0x55 << 30000;
        QTest::newRow("3950 fourth range") << 0 << 7 << 0 << 42000 << 209 << 0x33 << 42000;
        QTest::newRow("3395 first maximum") << 1 << 4 << 0 << 10000 << 199 << 0x00 << 10000;
        QTest::newRow("3395 one step above") << 1 << 5 << 0 << 10100 << 100 << 0x22 << 10100;
        QTest::newRow("3395 largest") << 1 << 0 << 0 << 26000 << 3 << 0x66 << 26000;
        QTest::newRow("3311 table") << 2 << 0 << 0 << 1600 << 15 << 0x00 << 1600;
        QTest::newRow("3311 table, 0x11") << 2 << 1 << 0 << 12200 << 60 << 0x11 << 12200;
        QTest::newRow("3311 table, largest") << 2 << 2 << 0 << 24000 << 119 << 0x11 << 24000;
        // A miss follows the step the level has now in the record.
        QTest::newRow("3311 miss, plain level") << 2 << 3 << 0x00 << 150 << 3 << 0x00 << 400;
        QTest::newRow("3311 miss, level of 100s") << 2 << 3 << 0x22 << 150 << 1 << 0x00 << 200;
    }

    void theLevelsCodeIsSent()
    {
        QFETCH(int, model);
        QFETCH(int, level);
        QFETCH(int, previousFlags);
        QFETCH(int, dpi);
        QFETCH(int, x);
        QFETCH(int, flags);
        QFETCH(int, shown);
        UseModel(model);
        FlashDataMap before = PatternRecord();
        before.dpiLevels[level].rangeFlags = uint8_t(previousFlags);
        {
            CurrentFlashMapLock lock;
            lock.Map() = before;
        }

        DpiValueCoding::sendDpiLevel(level, dpi);

        const QList<QByteArray> sent = SentRecords();
        QCOMPARE(sent.size(), 1);
        FlashDataMap expected = before;
        expected.dpiLevels[level].xCode = uint8_t(x);
        expected.dpiLevels[level].yCode = uint8_t(x);
        expected.dpiLevels[level].rangeFlags = uint8_t(flags);
        // Only the three value bytes change; colours and other levels stay.
        QCOMPARE(sent.first(), Bytes(expected));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(expected));
        // Read back as the page shows it.
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(expected.dpiLevels[level]), shown);
    }

    void noLevelSendsNothing_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("no level selected") << -1;
        QTest::newRow("beyond the record") << 8;
        QTest::newRow("far beyond") << 255;
        QTest::newRow("negative") << -2;
    }

    void noLevelSendsNothing()
    {
        QFETCH(int, level);
        UseModel(0);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        DpiValueCoding::sendDpiLevel(level, 800);
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
        QCOMPARE(offline.size(), 0);
    }

    void anOfflineMouseGetsNothing_data()
    {
        QTest::addColumn<bool>("filling");
        QTest::addColumn<int>("notices");
        QTest::newRow("user change") << false << 1;
        QTest::newRow("while the page fills") << true << 0;
    }

    void anOfflineMouseGetsNothing()
    {
        QFETCH(bool, filling);
        QFETCH(int, notices);
        UseModel(0);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        sensorPageFilling = filling;
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        DpiValueCoding::sendDpiLevel(2, 1600);
        sensorPageFilling = false;
        QVERIFY(SentRecords().isEmpty());
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
        QCOMPARE(offline.size(), notices);
    }

    void theMouseKeepsWhatWasSent()
    {
        // With the link's server up, the simulated mouse stores the record.
        UseModel(1);
        DpiValueCoding::sendDpiLevel(5, 26000);
        QByteArray record;
        QVERIFY(FlashImageCodec::decode(SimulatedDeviceControl::flashImage(QStringLiteral("drive1")), &record));
        FlashDataMap stored;
        std::memcpy(&stored, record.constData(), sizeof(stored));
        QCOMPARE(int(stored.dpiLevels[5].xCode), 3);
        QCOMPARE(int(stored.dpiLevels[5].yCode), 3);
        QCOMPARE(int(stored.dpiLevels[5].rangeFlags), 0x66);
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(stored.dpiLevels[5]), 26000);
    }

    void theFillReadsLevelsWithTheModelsTables_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("maximum");
        QTest::newRow("3950, 0x33") << 0 << 209 << 0x33 << 42000 << 42000;
        QTest::newRow("3395, 0x22 and high bit") << 1 << 3 << 0x66 << 26000 << 26000;
        QTest::newRow("3311 code table, 0x11") << 2 << 60 << 0x11 << 12200 << 24000;
        QTest::newRow("3311 code not in the table") << 2 << 200 << 0x00 << 0 << 24000;
    }

    void theFillReadsLevelsWithTheModelsTables()
    {
        QFETCH(int, model);
        QFETCH(int, x);
        QFETCH(int, flags);
        QFETCH(int, shown);
        QFETCH(int, maximum);
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = model;
        CurrentDevice::SetInfo(info);
        DpiRangeTable::Current() = DpiRangeTable();
        CurrentSensorName.clear();

        Sensor page;
        QSignalSpy dpi(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        FlashDataMap record = PatternRecord();
        record.currentDpiLevel = 2;
        record.dpiLevels[2] = DpiLevelEntry{uint8_t(x), uint8_t(x), uint8_t(flags), 0, 0, 0};
        page.SlotUpDataSenSorUISensor(record);

        QCOMPARE(dpi.size(), 1);
        QCOMPARE(dpi.first().first().toInt(), shown);
        QCOMPARE(DpiRangeTable::Current().Maximum(), maximum);
        QCOMPARE(CurrentSensorName,
                 ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(model), QStringLiteral("Sensor")));
        // The features follow the model's sensor: the shipped header gives
        // lift-off calibration to the 3950 alone.
        QCOMPARE(SensorCapabilities::Supports(page.featureLists().lodCalSensors, CurrentSensorName), model == 0);
        QVERIFY(SensorCapabilities::Supports(page.featureLists().rippleSensors, CurrentSensorName));
        // The fill only reads.
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void aRecordsCurrentLevelBeyondTheModelIndexesNothing_data()
    {
        QTest::addColumn<QByteArray>("maxGrade");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("announced");
        QTest::newRow("more levels than a record holds, level 8") << QByteArray("12") << 8 << 0;
        QTest::newRow("more levels than a record holds, level 255") << QByteArray("12") << 255 << 0;
        QTest::newRow("more levels than a record holds, level 7") << QByteArray("12") << 7 << 1;
        QTest::newRow("level beyond the model") << QByteArray("4") << 4 << 0;
        QTest::newRow("no level count") << QByteArray("x") << 0 << 0;
    }

    void aRecordsCurrentLevelBeyondTheModelIndexesNothing()
    {
        QFETCH(QByteArray, maxGrade);
        QFETCH(int, current);
        QFETCH(int, announced);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Drive1]\nSensor=MzMyNw==\nDPIRange=50,12000,50,0x00\nDPIMaxGrade=" + maxGrade + "\n");
        file.close();
        auto* fixture = new ConfigSettings(path);
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(fixture);
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = 0;
        CurrentDevice::SetInfo(info);

        {
            Sensor page;
            QSignalSpy dpi(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
            FlashDataMap record = PatternRecord();
            record.currentDpiLevel = uint8_t(current);
            page.SlotUpDataSenSorUISensor(record);
            QCOMPARE(dpi.size(), announced);
            if (announced)
                QCOMPARE(dpi.first().first().toInt(), DpiValueCoding::DpiOfEntry(record.dpiLevels[current], "3327"));
        }
        ConfigSettings::ReplaceInstance(shipped);
        delete fixture;
    }
};

QTEST_MAIN(TestDpiLevelSend)
#include "tst_dpilevelsend.moc"
