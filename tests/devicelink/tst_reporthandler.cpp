#include "CallLogNames.h"
#include "HubRecorder.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceServer.h"
#include "device/DeviceSettingSetters.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QElapsedTimer>
#include <QtTest>

#include <cstring>

namespace {

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

QByteArray LastSentRecord()
{
    const QList<QJsonObject> updates = SimulatedDeviceControl::calls("ProtocolDataUpdate");
    return updates.isEmpty() ? QByteArray() : QByteArray::fromHex(updates.last().value("record").toString().toLatin1());
}

// Puts a configuration in place for one test. The report thread reads it
// until the server stops, so the server stops before it goes, also when a
// check fails.
class ConfigWhileServing {
public:
    ConfigWhileServing(ConfigSettings* config, ConfigSettings* kept)
        : m_kept(kept)
    {
        ConfigSettings::ReplaceInstance(config);
    }
    ~ConfigWhileServing()
    {
        UsbServer_Exit();
        ConfigSettings::ReplaceInstance(m_kept);
    }

private:
    ConfigSettings* m_kept;
};

// The record after a re-initialisation where only the third button's
// configuration starts with "0x05": every other key and macro block is zero.
FlashDataMap ClearedButTheThirdButton(FlashDataMap record)
{
    for (int j = 0; j < 16; ++j) {
        if (j == 2)
            continue;
        std::memset(&record.keyBlocks[j], 0, sizeof(KeyBlock));
        std::memset(&record.macroBlocks[j], 0, sizeof(MacroBlock));
    }
    return record;
}

// A record with every key block and a few small macros in use.
FlashDataMap RecordWithBlocks()
{
    FlashDataMap map{};
    map.reportRate = 2;
    map.dpiLevelCount = 4;
    map.reserved17[3] = 0x5A;
    map.gap143 = 0x77;
    for (int b = 0; b < 16; ++b) {
        map.buttons[b] = ButtonFunctionHeader{5, 0, 0};
        map.keyBlocks[b].eventCount = 2;
        map.keyBlocks[b].events[0].usage[0] = uint8_t(4 + b);
        map.keyBlocks[b].events[1].action = 1;
        map.keyBlocks[b].events[1].usage[0] = uint8_t(4 + b);
        map.macroBlocks[b].nameLength = 2;
        map.macroBlocks[b].name[0] = 'M';
        map.macroBlocks[b].name[1] = uint8_t('A' + b);
        map.macroBlocks[b].eventCount = 1;
        map.macroBlocks[b].events[0].kind = 1;
        map.macroBlocks[b].events[0].usage[0] = 4;
        map.macroBlocks[b].events[0].delay[0] = 10;
    }
    return map;
}

} // namespace

class TestReportHandler : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    ConfigSettings* m_config = nullptr;

    void LoadScenario(const char* name, const char* device)
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICELINK_FIXTURES "/") + name, &error),
                 qPrintable(error));
        DeviceAllInfo info;
        info.path = SimulatedDeviceControl::pathOf(device);
        info.cid = 7;
        info.mid = 1;
        info.modelIndex = 0;
        const bool cable = QByteArray(device) == "corded";
        info.connectionKind = cable ? ConnectionCable8K : ConnectionReceiver4K;
        info.wired = cable;
        CurrentDevice::SetInfo(info);
        CurrentDevice::SetPath(info.path.toLatin1());
        QVERIFY(DeviceServer::Start(info.path.toLatin1()));
    }

    // Sends the record to the mouse as its stored settings, then asks for a
    // dump and waits until the pages have it.
    void DumpOf(const FlashDataMap& stored)
    {
        {
            CurrentFlashMapLock lock;
            lock.Map() = stored;
            ProtocolDataUpdate(lock.Bytes());
        }
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
        UsbServer_ReadAllFlashData();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);
        // The dump asks for four more reports; the configuration comes last.
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigUpDataConfigUI"), 5000);
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(DEVICELINK_FIXTURES "/spare_third.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        showBatteryValue = 1;
        m_recorder = new HubRecorder;
    }

    void init()
    {
        m_recorder->Clear();
        linkUp = 0;
        workerRunFlag = 1;
        buttonPageReady = true;
        lightPageReady = true;
        sensorPageReady = true;
    }

    void cleanup() { UsbServer_Exit(); }

    void fullDumpFillsTheRecordAndEveryPage()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        const FlashDataMap stored = RecordWithBlocks();
        DumpOf(stored);

        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(stored));
        QCOMPARE(LastSentRecord(), Bytes(stored));
        const QStringList names = m_recorder->Names();
        const int button = names.indexOf("SigUpDataLightUIButton");
        QVERIFY(button >= 0);
        QCOMPARE(names.mid(button, 4),
                 QStringList({"SigUpDataLightUIButton", "SigUpDataLightLight", "SigUpDataLightSensor", "SigForm"}));
        for (const auto& e : m_recorder->Events()) {
            QCOMPARE(e.thread, QThread::currentThread());
            if (!e.record.isEmpty())
                QCOMPARE(e.record, Bytes(stored));
        }
        QVERIFY(!m_recorder->Named("SigUpDataLightUIButton").first().pagesReadyBefore);
        QCOMPARE(linkUp.load(), 1);
        QCOMPARE(workerRunFlag.load(), 0);
        QCOMPARE(DeviceCacheFile::DumpCacheName(), QStringLiteral("Device_CID07_MID01.bin"));
        QTRY_VERIFY(!m_recorder->Named("SigIsUsb").isEmpty());
        QCOMPARE(m_recorder->Named("SigIsUsb").first().args, QVariantList({false, true}));

        // The follow-up reads, in order, before the record goes back.
        // Calls of other threads may fall in between; the reads keep their order.
        const QStringList calls = CallNames();
        const int dpiLed = calls.indexOf("UsbServer_ReadDPILed");
        QVERIFY(dpiLed >= 0);
        QStringList reads;
        for (const QString& name : calls.mid(dpiLed))
            if (name.startsWith(QLatin1String("UsbServer_Read")))
                reads.append(name);
        QCOMPARE(reads.mid(0, 4), QStringList({"UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                                               "UsbServer_ReadVersion", "UsbServer_ReadConfig"}));
        QVERIFY(calls.lastIndexOf("ProtocolDataUpdate") > dpiLed);
    }

    void reinitialisationClearsBlocksButSparesConfiguredButtons()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        const FlashDataMap stored = RecordWithBlocks();
        DumpOf(stored);
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();

        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(9), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);

        const FlashDataMap expected = ClearedButTheThirdButton(stored);
        QCOMPARE(LastSentRecord(), Bytes(expected));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(expected));
        // Defaults of the model: long range on, receiver LED meaning 3.
        const QStringList calls = CallNames();
        QVERIFY(calls.contains("UsbServer_SetBatteryOptimizeEnable"));
        QCOMPARE(SimulatedDeviceControl::calls("UsbFinderC_SetLongRangeMode").last().value("mode").toInt(), 1);
        QVERIFY(m_recorder->Named("SigLongRangeMode").first().args.first().toBool());
        QCOMPARE(m_recorder->Named("SigRGBValue").first().args.first().toInt(), 3);
        // The dump after a re-initialisation does not read the receiver again.
        QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_Get4KDongleRGBValue").isEmpty());
        QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_GetLongRangeMode").isEmpty());

        // The next plain dump leaves the blocks as they are.
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
        UsbServer_ReadAllFlashData();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);
        QCOMPARE(LastSentRecord(), Bytes(expected));
    }

    // A mouse that refuses the cleared record keeps its blocks: the pages
    // show those, and the next full dump clears and sends again.
    void aRefusedClearingIsShownAsTheMouseHoldsItAndTriedAgain()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        const FlashDataMap stored = RecordWithBlocks();
        DumpOf(stored);
        m_recorder->Clear();
        SimulatedDeviceControl::failNextRecordStores(1);

        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(9), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);

        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(stored));
        QCOMPARE(m_recorder->Named("SigUpDataLightUIButton").first().record, Bytes(stored));
        const QByteArray mouse = SimulatedDeviceControl::flashImage(QStringLiteral("drive1"));
        FlashDataMap held{};
        ProtocolDataParser(reinterpret_cast<const unsigned char*>(mouse.constData()),
                           reinterpret_cast<unsigned char*>(&held));
        QCOMPARE(Bytes(held), Bytes(stored));

        m_recorder->Clear();
        UsbServer_ReadAllFlashData();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);
        const FlashDataMap expected = ClearedButTheThirdButton(stored);
        QCOMPARE(LastSentRecord(), Bytes(expected));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(expected));
    }

    void reinitialisationWithoutSparedButtonsClearsAllBlocks()
    {
        ConfigSettings shipped(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        const ConfigWhileServing inPlace(&shipped, m_config);
        LoadScenario("one_mouse.json", "receiver4k");
        DumpOf(RecordWithBlocks());
        m_recorder->Clear();
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(9), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);
        const QByteArray sent = LastSentRecord();
        QCOMPARE(sent.mid(144), QByteArray(10448 - 144, '\0'));
        QCOMPARE(sent.left(144), Bytes(RecordWithBlocks()).left(144));
    }

    void shortConfigurationListsMeanNoDefaults()
    {
        // One Adveanced item: long range on, no receiver LED default; the
        // empty and missing KeyParam lists spare no button.
        ConfigSettings shortLists(QStringLiteral(DEVICELINK_FIXTURES "/short_lists.ini"));
        const ConfigWhileServing inPlace(&shortLists, m_config);
        LoadScenario("one_mouse.json", "receiver4k");
        DumpOf(RecordWithBlocks());
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(9), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->Names().contains("SigForm"), 5000);
        QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_Set4KDongleRGB").isEmpty());
        QCOMPARE(SimulatedDeviceControl::calls("UsbFinderC_SetLongRangeMode").size(), 1);
        QCOMPARE(LastSentRecord().mid(144), QByteArray(10448 - 144, '\0'));
    }

    void anImageThatDoesNotParseChangesNothing()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        const FlashDataMap stored = RecordWithBlocks();
        DumpOf(stored);
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
        linkUp = 0;
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 0), QByteArray(6912, '\x11'));
        // A later report shows the broken one has been handled.
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(14), QByteArray(1, '\x02'));
        QTRY_VERIFY(m_recorder->Names().contains("SigUpDataConfigUI"));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(stored));
        QVERIFY(SimulatedDeviceControl::calls("ProtocolDataUpdate").isEmpty());
        QCOMPARE(m_recorder->Names(), QStringList({"SigUpDataConfigUI"}));
        QCOMPARE(linkUp.load(), 0);
    }

    void singleValueReports_data()
    {
        QTest::addColumn<int>("sub");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("sendsBack");
        QTest::newRow("report rate") << 0 << QByteArray("\x40", 1) << "SigUpDataReportRate" << 0 << QByteArray("\x40", 1) << true;
        QTest::newRow("current DPI") << 4 << QByteArray("\x03", 1) << "SigUpDataDPI" << 2 << QByteArray("\x03", 1) << true;
        QTest::newRow("DPI indicator") << 76 << QByteArray("\x02\x10\x03\x01\0\0\0\0", 8) << "SigUpDataDPILed" << 84
                                       << QByteArray("\x02\x10\x03\x01", 4) << false;
        QTest::newRow("light bar") << 160 << QByteArray("\x04\x0a\x14\x1e\x05\x06\x01\0\0", 9) << "SigUpDataLightLight"
                                   << 88 << QByteArray("\x04\x0a\x14\x1e\x05\x06\x01", 7) << false;
    }
    void singleValueReports()
    {
        QFETCH(int, sub);
        QFETCH(QByteArray, payload);
        QFETCH(QString, signal);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, sendsBack);
        LoadScenario("one_mouse.json", "receiver4k");
        const FlashDataMap stored = RecordWithBlocks();
        DumpOf(stored);
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();

        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, sub), payload);
        QTRY_VERIFY(m_recorder->Names().contains(signal));
        QByteArray expected = Bytes(stored);
        expected.replace(offset, bytes.size(), bytes);
        QTRY_COMPARE(Bytes(CurrentFlashMapLock::Snapshot()), expected);
        const auto event = m_recorder->Named(signal).first();
        if (!event.record.isEmpty())
            QCOMPARE(event.record, expected);
        else
            QCOMPARE(event.args.first().toInt(), int(quint8(payload.at(0))));
        if (sendsBack)
            QTRY_COMPARE(LastSentRecord(), expected);
        else
            QVERIFY(SimulatedDeviceControl::calls("ProtocolDataUpdate").isEmpty());
    }

    void reportsOutsideTheFormatAreIgnored()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        DumpOf(RecordWithBlocks());
        m_recorder->Clear();
        QByteArray header = SimulatedDeviceControl::reportHeader(8, 0);
        header[3] = 1;
        SimulatedDeviceControl::injectReport(header, QByteArray("\x40", 1));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 4), QByteArray("\x01\x02", 2));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 77), QByteArray("\x01", 1));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(23), QByteArray(3, '\0'));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(99), QByteArray(3, '\0'));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(14), QByteArray(2, '\0'));
        QTRY_VERIFY(m_recorder->Names().contains("SigUpDataConfigUI"));
        QCOMPARE(m_recorder->Names(), QStringList({"SigUpDataConfigUI"}));
        QCOMPARE(m_recorder->Named("SigUpDataConfigUI").first().args, QVariantList({0, 0, false}));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(RecordWithBlocks()));
    }

    void batteryConfigurationAndLongRangeReports()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(4), QByteArray("\x3c\x01", 2));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(14), QByteArray("\x02", 1));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(23), QByteArray(10, '\0'));
        QTRY_COMPARE(m_recorder->Names(), QStringList({"SigBattery", "SigUpDataConfigUI", "SigLongRangeMode"}));
        QCOMPARE(m_recorder->Named("SigBattery").first().args, QVariantList({true, 60, true}));
        QCOMPARE(m_recorder->Named("SigUpDataConfigUI").first().args, QVariantList({4, 2, true}));
        QCOMPARE(m_recorder->Named("SigLongRangeMode").first().args, QVariantList({false}));
    }

    void versionReportIsShownAndStored()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(18), QByteArray("\x02\x01", 2));
        QTRY_VERIFY(!m_recorder->Named("SigSetver").isEmpty());
        QCOMPARE(m_recorder->Named("SigSetver").first().args, QVariantList({0}));
        QCOMPARE(CurrentDevice::Info().mouseVersion, QStringLiteral("v1.02"));
        QCOMPARE(RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), "MouseVer71"), QStringLiteral("v1.02"));
    }

    void anUnreadableVersionIsNeitherShownNorStored()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "MouseVer71", "v1.01");
        CurrentDevice::SetMouseVersion("v1.01");
        SimulatedDeviceControl::setOnline("drive1", false);
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(18), QByteArray("\x02\x01", 2));
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(14), QByteArray("\x01", 1));
        QTRY_VERIFY(m_recorder->Names().contains("SigUpDataConfigUI"));
        QVERIFY(m_recorder->Named("SigSetver").isEmpty());
        QCOMPARE(CurrentDevice::Info().mouseVersion, QStringLiteral("v1.01"));
        QCOMPARE(RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), "MouseVer71"), QStringLiteral("v1.01"));
    }

    void receiverLedAndLongRangeAreReadOnlyWhereTheyExist_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QVariantList>("rgb");
        QTest::addColumn<QVariantList>("longRange");
        QTest::newRow("4 kHz receiver") << "receiver_led_longrange.json" << "receiver4k" << QVariantList({2})
                                        << QVariantList({true});
        QTest::newRow("long range off") << "one_mouse.json" << "receiver4k" << QVariantList({1}) << QVariantList();
        QTest::newRow("cable") << "cable_mouse.json" << "corded" << QVariantList() << QVariantList({true});
    }
    void receiverLedAndLongRangeAreReadOnlyWhereTheyExist()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, device);
        QFETCH(QVariantList, rgb);
        QFETCH(QVariantList, longRange);
        LoadScenario(scenario.toLatin1().constData(), device.toLatin1().constData());
        DumpOf(RecordWithBlocks());
        QVariantList seenRgb;
        for (const auto& e : m_recorder->Named("SigRGBValue"))
            seenRgb.append(e.args.first());
        QVariantList seenLongRange;
        for (const auto& e : m_recorder->Named("SigLongRangeMode"))
            seenLongRange.append(e.args.first());
        QCOMPARE(seenRgb, rgb);
        QCOMPARE(seenLongRange, longRange);
        if (device == "corded")
            QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_Get4KDongleRGBValue").isEmpty());
    }

    void statusChangesAskForFreshReads()
    {
        LoadScenario("one_mouse.json", "receiver4k");
        SimulatedDeviceControl::clearCalls();
        restartRequest = 0;
        reinitRequest = 0;
        DeviceReportHandler::StartStatusStopwatch();
        // Flags: DPI level, report rate, battery, light bar, DPI indicator,
        // and a settings change within 3 s of the stopwatch's start.
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(10), QByteArray("\x01\x01\x01\x01\x00\x01\x01", 7));
        QTRY_VERIFY(SimulatedDeviceControl::calls("UsbServer_ReadDPILed").size() >= 1);
        QStringList reads;
        for (const QString& name : CallNames())
            if (name.startsWith("UsbServer_Read"))
                reads.append(name);
        QCOMPARE(reads.mid(0, 5), QStringList({"UsbServer_ReadCurrentDPI", "UsbServer_ReadReportRate",
                                               "UsbServer_ReadBatteryLevel", "UsbServer_ReadLedBar",
                                               "UsbServer_ReadDPILed"}));
        QCOMPARE(restartRequest.load(), 0);

        QTest::qWait(3100);
        const QByteArray settingsChanged("\x00\x00\x01\x00\x00\x00\x00", 7);
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(10), settingsChanged);
        QTRY_COMPARE(restartRequest.load(), 1);
        QCOMPARE(reinitRequest.load(), 1);
        restartRequest = 0;
        reinitRequest = 0;
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(10), settingsChanged);
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(14), QByteArray("\x01", 1));
        QTRY_VERIFY(m_recorder->Names().contains("SigUpDataConfigUI"));
        QCOMPARE(restartRequest.load(), 0);
    }

    void aWriterInAPageSlotDoesNotDeadlockTheDump()
    {
        // The pages may call a writer from the slot the dump raises: the
        // dump must not hold the record while it waits for them.
        LoadScenario("one_mouse.json", "receiver4k");
        bool written = false;
        m_recorder->duringSlotName = "SigUpDataLightUIButton";
        m_recorder->duringSlot = [&] { written = DeviceSettingSetters::SetReportRate(64); };
        DumpOf(RecordWithBlocks());
        QVERIFY(written);
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().reportRate), 64);
    }

    void noReportTouchesTheProgramOnceTheServerStopped()
    {
        // A dump waits in a page signal for the GUI thread when the server
        // stops (as at the close): stopping returns at once, and once the
        // signal is through the dump goes no further.
        LoadScenario("one_mouse.json", "receiver4k");
        {
            CurrentFlashMapLock lock;
            lock.Map() = RecordWithBlocks();
            ProtocolDataUpdate(lock.Bytes());
        }
        SimulatedDeviceControl::clearCalls();
        UsbServer_ReadAllFlashData();
        // Without processing events: the dump sends the record back, then
        // stops in its first page signal.
        QElapsedTimer timer;
        timer.start();
        while (SimulatedDeviceControl::calls("ProtocolDataUpdate").isEmpty() && timer.elapsed() < 5000)
            QThread::msleep(5);
        QThread::msleep(100);
        QVERIFY(m_recorder->Names().isEmpty());

        timer.restart();
        DeviceServer::Stop();
        QVERIFY(timer.elapsed() < 1000);
        QTest::qWait(300);
        // The signal it waited in, and none after it.
        QStringList blocking = m_recorder->Names();
        blocking.removeAll("SigIsUsb");
        QVERIFY2(blocking.size() <= 1, qPrintable(blocking.join(' ')));
        QVERIFY(!blocking.contains("SigForm"));
        QCOMPARE(linkUp.load(), 0);
        QCOMPARE(workerRunFlag.load(), 1);

        // A new start lets the reports in again.
        QVERIFY(DeviceServer::Start(CurrentDevice::Path()));
        DumpOf(RecordWithBlocks());
        QCOMPARE(linkUp.load(), 1);
    }
};

QTEST_MAIN(TestReportHandler)
#include "tst_reporthandler.moc"
