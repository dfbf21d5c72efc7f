// The repair of a failed firmware update against the simulated devices: the
// update fails, the repair dialog checks the devices and writes the receiver
// image and then the mouse image, and the failure record goes away.
#include "FirmwareDevices.h"
#include "FirmwareFixtures.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateMachine.h"
#include "settings/UpDateRepair.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareDevices;
using namespace FirmwareFixtures;

class TestFirmwareRepair : public QObject {
    Q_OBJECT

private:
    ConfigSettings* m_config = nullptr;
    QTemporaryDir m_images;

    // A mouse update on the cable that fails as the simulator is told.
    void FailMouseUpdate()
    {
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true));
        sessionDeviceList = {Entry(QStringLiteral("m"), true)};
        FirmwareUpdateMachine machine;
        machine.SetTiming(5, 1500);
        QSignalSpy finished(&machine, &FirmwareUpdateMachine::Finished);
        QVERIFY(machine.Start(210, QStringLiteral("v1.02"), 4, 1));
        QVERIFY(finished.wait(5000) || finished.count() == 1);
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("210,4,5,3"));
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(FIRMWARE_FIXTURES "/firmware.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        QVERIFY(m_images.isValid());
        SetFirmwareFolder(m_images.path());
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        QVERIFY(!LanguageTables::Text(languageIndex, QStringLiteral("common"), QStringLiteral("OK")).isEmpty());
    }

    void cleanupTestCase()
    {
        ConfigSettings::ReplaceInstance(nullptr);
        delete m_config;
        SetFirmwareFolder(QString());
    }

    void init()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(kScenario));
        SimulatedDeviceControl::setTiming(20, 2);
        SimulatedDeviceControl::clearCalls();
        FirmwareState::RemoveFailRecord();
        devicePageShown = 0;
        QDir(m_images.path()).removeRecursively();
        QDir().mkpath(m_images.path());
        QCOMPARE(WriteImages(m_images.path(), {QStringLiteral("a.bin 210 5 3 1.03 MouseOne.bin"),
                                               QStringLiteral("b.bin 211 5 3 1.06 R4K-One.bin")}),
                 QString());
    }

    void failedUpdateIsRepaired_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("failure at 40 %") << "fail";
        QTest::newRow("boot device never appeared") << "noboot";
    }

    void failedUpdateIsRepaired()
    {
        QFETCH(QString, how);
        if (how == QLatin1String("fail"))
            SimulatedDeviceControl::setUpgradeFailure(40);
        else
            SimulatedDeviceControl::setBootDeviceNeverAppears(true);
        FailMouseUpdate();
        SimulatedDeviceControl::setUpgradeFailure(-1);
        SimulatedDeviceControl::setBootDeviceNeverAppears(false);
        SimulatedDeviceControl::clearCalls();

        // The chooser now finds the receiver; the mouse waits in boot mode.
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        dialog.ResetToStart();
        QVERIFY(dialog.CheckRepairReady());
        dialog.ShowReadyState();
        QSignalSpy shownValues(PostMsg::Instance(), SIGNAL(SigAutoRepairProgress(int)));
        QSignalSpy button(PostMsg::Instance(), SIGNAL(SigUpDateButton(bool)));
        dialog.on_NewHong_2_clicked();
        QVERIFY(dialog.ProgressShown());
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QCOMPARE(dialog.ProgressValue(), 100);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103);
        QVERIFY(FirmwareState::UpdateFailInfo().isEmpty());
        QCOMPARE(button.count(), 1);
        QCOMPARE(button.at(0).at(0).toBool(), true);
        // Receiver first, on the lower half of the bar; the mouse on the upper.
        const QList<QJsonObject> starts = SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start"));
        QCOMPARE(starts.size(), 2);
        int highestFirstHalf = 0;
        for (const QList<QVariant>& v : shownValues)
            highestFirstHalf = qMax(highestFirstHalf, v.at(0).toInt());
        QCOMPARE(highestFirstHalf, 100);
        QCOMPARE(shownValues.first().at(0).toInt(), 0);
    }

    void receiverRepairThatFailsAgainKeepsTheRecord_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("failure at 40 %") << "fail";
        QTest::newRow("start refused") << "refuse";
        QTest::newRow("receiver vanishes") << "vanish";
    }

    void receiverRepairThatFailsAgainKeepsTheRecord()
    {
        QFETCH(QString, how);
        FirmwareState::WriteFailRecord(211, 4, 5, 3);
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("r4k"), true));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("m"), true)};
        UpDateRepair dialog;
        dialog.ResetToStart();
        QVERIFY(dialog.CheckRepairReady());
        if (how == QLatin1String("fail"))
            SimulatedDeviceControl::setUpgradeFailure(40);
        else if (how == QLatin1String("refuse"))
            SimulatedDeviceControl::setUpgradeRefused(true);
        else
            SimulatedDeviceControl::setUpgradeVanishes(20);
        QSignalSpy button(PostMsg::Instance(), SIGNAL(SigUpDateButton(bool)));
        dialog.StartRepair();
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QTRY_COMPARE(button.count(), 1);
        QCOMPARE(button.at(0).at(0).toBool(), false);
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("211,4,5,3"));
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("update"),
                                                           QStringLiteral("DialogUpgradeFail")));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        QCOMPARE(int(pollAllowed), 1);
    }

    void noImageWritesNothing()
    {
        FirmwareState::WriteFailRecord(210, 4, 5, 3);
        QDir(m_images.path()).removeRecursively();
        QDir().mkpath(m_images.path());
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("m"), true));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        dialog.ResetToStart();
        QVERIFY(!dialog.CheckRepairReady());
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), QStringLiteral("ErrorFile")));
        dialog.StartRepair();
        dialog.StartDirectUpdate(0);
        QTest::qWait(50);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgradeC_FindBootDevices")).isEmpty());
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("210,4,5,3"));
    }

    void directStartWritesTheImage()
    {
        // The Space key's start: no check runs; the one receiver found names
        // the model and the receiver class, and its image is written.
        FirmwareState::WriteFailRecord(211, 4, 5, 3);
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("r4k"), true));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        dialog.StartDirectUpdate(0);
        QVERIFY(UpDateRepair::RepairRunning());
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QVERIFY(FirmwareState::UpdateFailInfo().isEmpty());
    }

    void checkRefusals_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QString>("key");
        QTest::newRow("receiver failed, only a receiver") << "211,4,5,3" << QStringList{"r4k"} << "NoUSB";
        QTest::newRow("mouse failed, only a cabled mouse") << "210,4,5,3" << QStringList{"m"} << "NoRecieve";
        QTest::newRow("two cabled mice") << "210,4,5,3" << QStringList{"m", "m"} << "MultiMouse";
        QTest::newRow("nothing found, mouse failed") << "210,4,5,3" << QStringList() << "NoRecieve";
        QTest::newRow("no boot device") << "210,4,5,3" << QStringList{"r4k"} << "NotDevice";
    }

    void checkRefusals()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, devices);
        QFETCH(QString, key);
        const QStringList parts = record.split(QLatin1Char(','));
        FirmwareState::WriteFailRecord(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(), parts.at(3).toInt());
        DeviceDiscovery::foundDeviceList.clear();
        for (const QString& d : devices)
            DeviceDiscovery::foundDeviceList.append(Entry(d, d == QLatin1String("m")));
        UpDateRepair dialog;
        dialog.ResetToStart();
        QVERIFY(!dialog.CheckRepairReady());
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), key));
    }

    void noRecordLeavesTheDialogAlone()
    {
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        dialog.ResetToStart();
        const QString before = dialog.StatusText();
        QVERIFY(!dialog.CheckRepairReady());
        QCOMPARE(dialog.StatusText(), before);
    }
};

QTEST_MAIN(TestFirmwareRepair)
#include "tst_firmwarerepair.moc"
