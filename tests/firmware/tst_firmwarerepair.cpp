// The repair of a failed firmware update against the simulated devices: the
// update fails, the repair dialog checks the devices and writes the receiver
// image and then the mouse image, and the failure record goes away.
#include "CallLogNames.h"
#include "FirmwareDevices.h"
#include "FirmwareFixtures.h"
#include "NoticeTestSupport.h"
#include "RepairDialogTestSupport.h"
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

#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareDevices;
using namespace FirmwareFixtures;
using RepairDialogTest::StatusDrawnInRed;

namespace {

void WriteRecord(const QString& record)
{
    const QStringList parts = record.split(QLatin1Char(','));
    FirmwareState::WriteFailRecord(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(), parts.at(3).toInt());
}

// The dialog as the chooser's repair button opens it: reset, shown, checked.
void OpenAsTheChooserDoes(UpDateRepair& dialog)
{
    dialog.ResetToStart();
    dialog.show();
    PostMsg::Instance()->EmitSigRepairCheckUpdate();
}

// The targets (210 mouse, 211 receiver) of the images handed to the library.
QList<int> WrittenTargets()
{
    QList<int> targets;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")))
        targets.append(QByteArray::fromHex(call.value(QStringLiteral("image")).toString().toLatin1()).at(0x14) & 0xFF);
    return targets;
}

} // namespace

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

    // A start that finds no device to write, or two, or that the library
    // refuses, ends as failed: the failure shown in red, the record kept,
    // and the dialog closes from its close button.
    void aStartThatCannotWriteEndsAsFailed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("no boot device found") << "unplug";
        QTest::newRow("several found") << "second";
        QTest::newRow("start refused") << "refuse";
    }

    void aStartThatCannotWriteEndsAsFailed()
    {
        QFETCH(QString, how);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105", "bootMode": true},
                          {"name": "r4k2", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        SimulatedDeviceControl::setTiming(20, 2);
        QVERIFY(SimulatedDeviceControl::plug(QStringLiteral("r4k2"), false));
        WriteRecord(QStringLiteral("211,4,5,3"));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("m"), true)};
        UpDateRepair dialog;
        OpenAsTheChooserDoes(dialog);
        QCOMPARE(dialog.StatusText(), NoticeTest::Text("home", "ReadyUpdate"));
        QVERIFY(RepairDialogTest::SpoilTheStart(how)); // between the check and the start
        SimulatedDeviceControl::clearCalls();
        NoticeTest::Answer(&dialog, QStringLiteral("NewHong_2"));
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QTest::qWait(50);
        QCOMPARE(dialog.StatusText(), NoticeTest::Text("update", "DialogUpgradeFail"));
        QVERIFY(StatusDrawnInRed(dialog));
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("211,4,5,3"));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        QVERIFY(NoticeTest::ButtonOf(&dialog, QStringLiteral("NewHong"))->isVisible());
        NoticeTest::Answer(&dialog, QStringLiteral("CloseButton"));
        QTRY_VERIFY(!dialog.isVisible());
        SimulatedDeviceControl::setUpgradeRefused(false);
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

    // The mouse's image vanishes while the receiver is written: the mouse
    // the record names is not repaired, and the repair says so.
    void aMouseLeftWithoutItsImageIsNoSuccess()
    {
        FirmwareState::WriteFailRecord(210, 4, 5, 3);
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("m"), true));
        SimulatedDeviceControl::setTiming(20, 30);
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        OpenAsTheChooserDoes(dialog);
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), QStringLiteral("ReadyUpdate")));
        QSignalSpy button(PostMsg::Instance(), SIGNAL(SigUpDateButton(bool)));
        NoticeTest::Answer(&dialog, QStringLiteral("NewHong_2"));
        QVERIFY(QFile::remove(m_images.path() + QStringLiteral("/a.bin")));
        QTRY_VERIFY_WITH_TIMEOUT(!UpDateRepair::RepairRunning(), 5000);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("m")));
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("update"),
                                                           QStringLiteral("DialogUpgradeFail")));
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("210,4,5,3"));
        QCOMPARE(button.count(), 1);
        QCOMPARE(button.at(0).at(0).toBool(), false);
        dialog.close();
    }

    // While an image is written, at 0 % or half way, neither Escape nor the
    // window system's close request hides the dialog: the repair goes on in
    // view to its end. Afterwards either closes the dialog.
    void theDialogStaysWhileTheImagesAreWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("holdAt"); // the receiver's write waits there
        QTest::newRow("Escape at 0 %") << "Escape" << 0;
        QTest::newRow("Escape at 40 %") << "Escape" << 40;
        QTest::newRow("close request at 40 %") << "close request" << 40;
    }

    void theDialogStaysWhileTheImagesAreWritten()
    {
        QFETCH(QString, how);
        QFETCH(int, holdAt);
        FirmwareState::WriteFailRecord(210, 4, 5, 3);
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("m"), true));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        SimulatedDeviceControl::holdUpgradeAt(holdAt);
        UpDateRepair dialog;
        dialog.setModal(true);
        OpenAsTheChooserDoes(dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        NoticeTest::Answer(&dialog, QStringLiteral("NewHong_2")); // start
        QTRY_VERIFY(!SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
        QTRY_COMPARE(dialog.ProgressValue(), holdAt / 2); // two images: the receiver's half

        RepairDialogTest::Dismiss(&dialog, how);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.ProgressShown());
        QVERIFY(UpDateRepair::RepairRunning());

        SimulatedDeviceControl::holdUpgradeAt(-1);
        QTRY_VERIFY_WITH_TIMEOUT(!UpDateRepair::RepairRunning(), 8000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("update"),
                                                           QStringLiteral("DialogUpgradeSuccess")));
        QCOMPARE(dialog.ProgressValue(), 100);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103);
        QVERIFY(FirmwareState::UpdateFailInfo().isEmpty());

        RepairDialogTest::Dismiss(&dialog, how);
        QTRY_VERIFY(!dialog.isVisible());
    }

    // Each check works from the record it reads, never from the model or
    // the receiver class of an earlier check.
    void theCheckUsesTheRecordItReads_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("refusal"); // empty: ready
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("a model not configured") << "210,4,5,3" << "210,4,5,9"
                                                << "No firmware file for this device was found" << QList<int>();
        QTest::newRow("no receiver class") << "210,8,5,3" << "210,0,5,3" << "" << QList<int>{210};
    }

    void theCheckUsesTheRecordItReads()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, record);
        QFETCH(QString, refusal);
        QFETCH(QList<int>, written);
        QCOMPARE(WriteImages(m_images.path(), {QStringLiteral("c.bin 211 5 3 1.06 R8K-One.bin")}), QString());
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("m"), true));
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        WriteRecord(earlier);
        OpenAsTheChooserDoes(dialog);
        QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), QStringLiteral("ReadyUpdate")));
        dialog.close();

        WriteRecord(record);
        DeviceDiscovery::foundDeviceList.first().mid = record.section(QLatin1Char(','), 3).toInt(); // as identified
        OpenAsTheChooserDoes(dialog);
        if (refusal.isEmpty())
            QCOMPARE(dialog.StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), QStringLiteral("ReadyUpdate")));
        else
            QCOMPARE(dialog.StatusText(), refusal);
        NoticeTest::Answer(&dialog, QStringLiteral("NewHong_2"));
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QTest::qWait(50);
        QTRY_VERIFY(!UpDateRepair::RepairRunning());
        QCOMPARE(WrittenTargets(), written);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        dialog.close();
    }

    // What the status line says when the repair cannot start.
    void theRefusalSaysWhatIsTheCase_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("waiting"); // devices in boot mode
        QTest::addColumn<bool>("images");
        QTest::addColumn<QString>("text");
        QTest::newRow("no device waiting") << "210,4,5,3" << QStringList() << true
                                           << "No device is waiting for a firmware repair";
        QTest::newRow("two devices waiting") << "211,4,5,3" << QStringList{"r4k", "r2"} << true
                                             << "More than one device could take the firmware: connect only one";
        QTest::newRow("no firmware file") << "210,4,5,3" << QStringList{"m"} << false
                                          << "No firmware file for this device was found";
    }

    void theRefusalSaysWhatIsTheCase()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, waiting);
        QFETCH(bool, images);
        QFETCH(QString, text);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"},
                          {"name": "r2", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        if (!images) {
            QDir(m_images.path()).removeRecursively();
            QDir().mkpath(m_images.path());
        }
        for (const QString& device : waiting)
            QVERIFY(SimulatedDeviceControl::setBootMode(device, true));
        WriteRecord(record);
        DeviceDiscovery::foundDeviceList = {record.startsWith(QLatin1String("211")) ? Entry(QStringLiteral("m"), true)
                                                                                    : Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        OpenAsTheChooserDoes(dialog);
        QCOMPARE(dialog.StatusText(), text);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
    }

    // The status line is red for a failure or a refusal only.
    void theAlarmColourIsForFailuresOnly_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("red");
        QTest::newRow("ready") << "ready" << false;
        QTest::newRow("refused") << "refused" << true;
        QTest::newRow("complete") << "complete" << false;
        QTest::newRow("failed") << "failed" << true;
    }

    void theAlarmColourIsForFailuresOnly()
    {
        QFETCH(QString, how);
        QFETCH(bool, red);
        FirmwareState::WriteFailRecord(210, 4, 5, 3);
        if (how != QLatin1String("refused"))
            QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("m"), true));
        if (how == QLatin1String("failed"))
            SimulatedDeviceControl::setUpgradeFailure(40);
        DeviceDiscovery::foundDeviceList = {Entry(QStringLiteral("r4k"), false)};
        UpDateRepair dialog;
        OpenAsTheChooserDoes(dialog);
        if (how == QLatin1String("complete") || how == QLatin1String("failed")) {
            NoticeTest::Answer(&dialog, QStringLiteral("NewHong_2"));
            QTRY_VERIFY(!UpDateRepair::RepairRunning());
            QTRY_COMPARE(dialog.StatusText(),
                         LanguageTables::Text(languageIndex, QStringLiteral("update"),
                                              how == QLatin1String("complete") ? QStringLiteral("DialogUpgradeSuccess")
                                                                               : QStringLiteral("DialogUpgradeFail")));
        }
        QVERIFY(!dialog.StatusText().isEmpty());
        QCOMPARE(StatusDrawnInRed(dialog), red);
        SimulatedDeviceControl::setUpgradeFailure(-1);
        dialog.close();
    }

    // The receiver's id copied into the mice on their cables: they pair
    // with it.
    void theReceiverIdIsCopiedToWiredMice_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("copied");
        QTest::newRow("receiver answers") << "normal" << true;
        QTest::newRow("receiver does not answer") << "offline" << false;
        QTest::newRow("the mouse refuses the id") << "refuse" << false;
    }

    void theReceiverIdIsCopiedToWiredMice()
    {
        QFETCH(QString, how);
        QFETCH(bool, copied);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "address": "a1b2c3"}],
            "mice": [{"name": "w", "cid": 5, "mid": 3, "receiver": "r4k"},
                     {"name": "c", "cid": 5, "mid": 3, "cablePlugged": true}]
        })"));
        if (how == QLatin1String("offline"))
            QVERIFY(SimulatedDeviceControl::setOnline(QStringLiteral("w"), false));
        SimulatedDeviceControl::setMiceRefuseReceiverId(how == QLatin1String("refuse"));
        SimulatedDeviceControl::clearCalls();
        DeviceDiscovery::foundDeviceListCopy = {Entry(QStringLiteral("r4k"), false), Entry(QStringLiteral("c"), true)};
        UpDateRepair dialog;
        QCOMPARE(dialog.CopyDongleIdToMouse(), copied);
        const QList<QJsonObject> sent = SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetDongleIDToMouse"));
        if (how == QLatin1String("offline")) {
            QVERIFY(sent.isEmpty());
        } else {
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent.at(0).value(QStringLiteral("path")).toString(), SimulatedDeviceControl::pathOf(QStringLiteral("c")));
            QCOMPARE(sent.at(0).value(QStringLiteral("id")).toString(), QStringLiteral("c3b2a10001"));
        }
        QCOMPARE(SimulatedDeviceControl::pairedReceiver(QStringLiteral("c")), copied ? QStringLiteral("r4k") : QString());
        // Sent again, as far as the first copy got.
        SimulatedDeviceControl::clearCalls();
        QCOMPARE(dialog.ResendDongleIdToMouse(), copied);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetDongleIDToMouse")).size(),
                 how == QLatin1String("offline") ? 0 : 1);
        SimulatedDeviceControl::setMiceRefuseReceiverId(false);
        DeviceDiscovery::foundDeviceListCopy.clear();
    }
};

QTEST_MAIN(TestFirmwareRepair)
#include "tst_firmwarerepair.moc"
