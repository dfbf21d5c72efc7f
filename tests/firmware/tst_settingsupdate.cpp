// The settings page's firmware update end to end against the simulated
// mouse on its cable beside its receiver: the prompt, the receiver then the
// mouse written, the versions shown and stored.
#include "FirmwareDevices.h"
#include "FirmwareFixtures.h"
#include "NoticeTestSupport.h"
#include "RepairDialogTestSupport.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateController.h"
#include "settings/FirmwareUpdateMachine.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpDateWarning.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareFixtures;

namespace {

DeviceAllInfo Entry(const QString& device, bool wired, const QString& version)
{
    DeviceAllInfo info = FirmwareDevices::Entry(device, wired);
    if (wired)
        info.mouseVersion = version;
    else
        info.deviceVersion = version;
    if (!wired)
        info.addressBytes = {1, 2, 3};
    return info;
}

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(languageIndex, QLatin1String(section), QLatin1String(key));
}

// The settings page's firmware update button.
QToolButton* UpdateButton(FormSetting& page)
{
    return page.findChild<QToolButton*>(QStringLiteral("Receive_2"));
}

// The simulated devices of a scenario, quick to write, on the device pages.
bool LoadDevices(const char* scenario)
{
    if (!SimulatedDeviceControl::loadScenarioJson(scenario))
        return false;
    SimulatedDeviceControl::setTiming(20, 2);
    SimulatedDeviceControl::clearCalls();
    devicePageShown = 1;
    return true;
}

// The settings page on screen, its update machine ticking fast.
void ShowPage(FormSetting& page)
{
    page.resize(800, 600);
    page.show();
    page.UpdateController()->Machine()->SetTiming(5, 3000);
}

// The receiver and its mouse on the cable, with the versions given; the
// mouse is the current device.
void UseMouseBesideReceiver(const QString& mouse, const QString& mouseVersion, const QString& receiverVersion)
{
    CurrentDevice::SetInfo(Entry(mouse, true, mouseVersion));
    sessionDeviceList = {Entry(mouse, true, mouseVersion), Entry(QStringLiteral("r4k"), false, receiverVersion)};
}

} // namespace

class TestSettingsUpdate : public QObject {
    Q_OBJECT

private:
    ConfigSettings* m_config = nullptr;
    QTemporaryDir m_images;

private slots:
    void initTestCase()
    {
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_config = new ConfigSettings(QStringLiteral(FIRMWARE_FIXTURES "/firmware.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        SetFirmwareFolder(m_images.path());
        QCOMPARE(WriteImages(m_images.path(), {QStringLiteral("a.bin 210 5 3 1.03 MouseOne.bin"),
                                               QStringLiteral("b.bin 211 5 3 1.06 R4K-One.bin")}),
                 QString());
    }

    void cleanupTestCase()
    {
        ConfigSettings::ReplaceInstance(nullptr);
        delete m_config;
        SetFirmwareFolder(QString());
    }

    void receiverThenMouseAreWritten()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        SimulatedDeviceControl::setTiming(20, 2);
        SimulatedDeviceControl::clearCalls();
        devicePageShown = 1;
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true, QStringLiteral("v1.02")));
        sessionDeviceList = {Entry(QStringLiteral("m"), true, QStringLiteral("v1.02")),
                             Entry(QStringLiteral("r4k"), false, QStringLiteral("v1.05"))};
        FormSetting page;
        page.resize(800, 600);
        page.show();
        page.UpdateController()->Machine()->SetTiming(5, 3000);
        QSignalSpy markers(PostMsg::Instance(), SIGNAL(SigAddUpdate(int,bool)));
        page.SetVer(0);
        QVERIFY(markers.contains({0, true}));
        QVERIFY(markers.contains({1, true}));
        QVERIFY(repairDialog && repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"),
                                                                  QStringLiteral("ReadyUpdate")));
        const QString shots = qEnvironmentVariable("NK_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            SimulatedDeviceControl::setTiming(20, 150); // slow enough to be seen
            repairDialog->grab().save(shots + QStringLiteral("/update-ready.png"));
        }
        repairDialog->on_NewHong_2_clicked(); // start
        if (!shots.isEmpty()) {
            QTRY_VERIFY(repairDialog->ProgressValue() >= 30);
            repairDialog->grab().save(shots + QStringLiteral("/update-running.png"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103, 8000);
        QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("label_5"))->text(), QStringLiteral("v1.06"));
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("label_7"))->text(), QStringLiteral("v1.03"));
        QCOMPARE(FirmwareState::StoredMouseVersion(), QStringLiteral("v1.03"));
        QCOMPARE(repairDialog->ProgressValue(), 100);
        if (!shots.isEmpty())
            repairDialog->grab().save(shots + QStringLiteral("/update-done.png"));
        const QList<QJsonObject> starts = SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start"));
        QCOMPARE(starts.size(), 2);
        repairDialog->close();
    }

    // Whether an update can start, and otherwise the reason the dialog shows.
    void theCheckSaysWhy_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("devices"); // "m" a mouse on its cable, "r" a receiver
        QTest::addColumn<QString>("key");         // empty: ready
        QTest::newRow("nothing found") << "" << QStringList() << "Error";
        QTest::newRow("a receiver, no record") << "" << QStringList{"r"} << "NoUSB";
        QTest::newRow("a cabled mouse, no record") << "" << QStringList{"m"} << "NoRecieve";
        QTest::newRow("receiver failed, only a receiver") << "211,4,5,3" << QStringList{"r"} << "NoUSB";
        QTest::newRow("mouse failed, only a cabled mouse") << "210,4,5,3" << QStringList{"m"} << "NoRecieve";
        QTest::newRow("record of another target") << "212,4,5,3" << QStringList{"m"} << "Error";
        QTest::newRow("record of another CID") << "211,4,6,3" << QStringList{"m"} << "Error";
        QTest::newRow("receiver failed, none in boot mode") << "211,4,5,3" << QStringList{"m"} << "NoDevice";
        QTest::newRow("receiver failed, in boot mode") << "211,4,5,3" << QStringList{"m", "boot r"} << "";
        QTest::newRow("two receivers") << "" << QStringList{"r", "r"} << "NoUSB";
        QTest::newRow("three receivers") << "" << QStringList{"r", "r", "r"} << "MultiDongle";
        QTest::newRow("two receivers, two mice") << "" << QStringList{"m", "r", "m", "r"} << "MultiMouse";
    }

    void theCheckSaysWhy()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, devices);
        QFETCH(QString, key);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        FirmwareState::RemoveFailRecord();
        if (!record.isEmpty()) {
            const QStringList parts = record.split(QLatin1Char(','));
            FirmwareState::WriteFailRecord(parts.at(0).toInt(), parts.at(1).toInt(), parts.at(2).toInt(),
                                           parts.at(3).toInt());
        }
        sessionDeviceList.clear();
        for (const QString& device : devices) {
            if (device == QLatin1String("boot r"))
                QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("r4k"), true)); // not enumerated
            else
                sessionDeviceList.append(Entry(device == QLatin1String("m") ? QStringLiteral("m") : QStringLiteral("r4k"),
                                               device == QLatin1String("m"), QStringLiteral("v1.00")));
        }
        CurrentDevice::SetInfo(sessionDeviceList.isEmpty() ? Entry(QStringLiteral("m"), true, QStringLiteral("v1.00"))
                                                           : sessionDeviceList.first());
        FormSetting page;
        repairDialog->ResetToStart();
        const bool ready = page.UpdateController()->ChechIsUpDate();
        QCOMPARE(ready, key.isEmpty());
        if (!ready)
            QCOMPARE(repairDialog->StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("home"), key));
        FirmwareState::RemoveFailRecord();
        sessionDeviceList.clear();
    }

    // A receiver update that failed, finished from the settings page of the
    // mouse on its cable: the receiver waits in boot mode, unseen, and is
    // written with the image of the class the record names.
    void aFailedReceiverIsFinishedFromTheMouse()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105", "bootMode": true}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0103"}]
        })"));
        SimulatedDeviceControl::setTiming(20, 2);
        SimulatedDeviceControl::clearCalls();
        FirmwareState::WriteFailRecord(211, 4, 5, 3);
        devicePageShown = 1;
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true, QStringLiteral("v1.03")));
        sessionDeviceList = {Entry(QStringLiteral("m"), true, QStringLiteral("v1.03"))};
        FormSetting page;
        page.UpdateController()->Machine()->SetTiming(5, 3000);
        repairDialog->ResetToStart();
        QVERIFY(page.UpdateController()->ChechIsUpDate());
        repairDialog->ShowReadyState();
        repairDialog->on_NewHong_2_clicked(); // start
        QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106, 8000);
        QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
        QVERIFY(!SimulatedDeviceControl::inBootMode(QStringLiteral("r4k")));
        QVERIFY(FirmwareState::UpdateFailInfo().isEmpty());
        QCOMPARE(repairDialog->StatusText(), LanguageTables::Text(languageIndex, QStringLiteral("update"),
                                                                  QStringLiteral("DialogUpgradeSuccess")));
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).size(), 1);
        repairDialog->close();
        sessionDeviceList.clear();
    }

    // A receiver stage that fails ends the update as failed, even when the
    // mouse the failed record names would be written after it.
    void aFailedReceiverStageEndsTheUpdate()
    {
        QVERIFY(LoadDevices(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "version": "0x0102", "bootMode": true}]
        })"));
        SimulatedDeviceControl::setUpgradeFailure(40, 1); // only the receiver's write
        FirmwareState::WriteFailRecord(210, 4, 5, 3);
        CurrentDevice::SetInfo(Entry(QStringLiteral("r4k"), false, QStringLiteral("v1.05")));
        sessionDeviceList = {Entry(QStringLiteral("r4k"), false, QStringLiteral("v1.05"))};
        FormSetting page;
        ShowPage(page);
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "ReadyUpdate"));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
        QTRY_VERIFY_WITH_TIMEOUT(!SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!page.UpdateController()->Machine()->Running(), 8000);
        QTest::qWait(100); // a stage chained after it would start now
        QVERIFY(!page.UpdateController()->Machine()->Running());
        QCOMPARE(repairDialog->StatusText(), Text("update", "DialogUpgradeFail"));
        QVERIFY(repairDialog->ProgressValue() < 100);
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("211,4,5,3"));
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).size(), 1);
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("r4k")));
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("m")));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        repairDialog->close();
        FirmwareState::RemoveFailRecord();
        sessionDeviceList.clear();
    }

    // An update whose start finds no device to write, or two, or that the
    // library refuses, ends as failed in the dialog: the failure in red, the
    // record as it was, and the dialog closes from its close button. So
    // does a mouse stage chained after the receiver's that finds no mouse.
    void aStartThatCannotWriteEndsAsFailed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("record"); // the failure record at the end
        QTest::newRow("no boot device found") << "unplug" << "211,4,5,3";
        QTest::newRow("several found") << "second" << "211,4,5,3";
        QTest::newRow("start refused") << "refuse" << "211,4,5,3";
        QTest::newRow("chained mouse stage finds no mouse") << "no mouse" << "";
        QTest::newRow("chained mouse stage finds two mice") << "two mice" << "";
    }

    void aStartThatCannotWriteEndsAsFailed()
    {
        QFETCH(QString, how);
        QFETCH(QString, record);
        const bool chained = how.endsWith(QLatin1String("mouse")) || how.endsWith(QLatin1String("mice"));
        QVERIFY(LoadDevices(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"},
                          {"name": "r4k2", "kind": 1, "cid": 5, "mid": 3, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        QVERIFY(SimulatedDeviceControl::plug(QStringLiteral("r4k2"), false));
        FormSetting page;
        ShowPage(page);
        if (chained) {
            // Both images newer: the receiver first, the mouse chained after it.
            UseMouseBesideReceiver(QStringLiteral("m"), QStringLiteral("v1.02"), QStringLiteral("v1.05"));
        } else {
            // A failed receiver finished from the mouse on its cable.
            QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("r4k"), true));
            FirmwareState::WriteFailRecord(211, 4, 5, 3);
            CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true, QStringLiteral("v1.03")));
            sessionDeviceList = {Entry(QStringLiteral("m"), true, QStringLiteral("v1.03"))};
        }
        if (chained)
            PostMsg::Instance()->EmitSigSetver(0); // offered by the version report
        else
            page.UpdateController()->UpdatePrompt(); // as the update button asks
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "ReadyUpdate"));
        // Between the check and the start, or while the receiver is written.
        if (how == QLatin1String("no mouse"))
            sessionDeviceList = {Entry(QStringLiteral("r4k"), false, QStringLiteral("v1.05"))};
        else if (how == QLatin1String("two mice"))
            sessionDeviceList.append(Entry(QStringLiteral("m"), true, QStringLiteral("v1.02")));
        else
            QVERIFY(RepairDialogTest::SpoilTheStart(how));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
        if (chained)
            QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106, 8000);
        QTRY_VERIFY_WITH_TIMEOUT(!page.UpdateController()->Machine()->Running(), 8000);
        QTest::qWait(100);
        QVERIFY(!page.UpdateController()->Machine()->Running());
        QCOMPARE(repairDialog->StatusText(), Text("update", "DialogUpgradeFail"));
        QVERIFY(RepairDialogTest::StatusDrawnInRed(*repairDialog));
        QCOMPARE(FirmwareState::UpdateFailInfo(), record);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        QCOMPARE(repairDialog->StartButtonText(), Text("common", "OK"));
        QVERIFY(NoticeTest::ButtonOf(repairDialog, QStringLiteral("NewHong"))->isVisible());
        for (UpDateWarning* warning : page.findChildren<UpDateWarning*>())
            warning->close(); // the reason, shown beside a chained stage
        NoticeTest::Answer(repairDialog, QStringLiteral("CloseButton"));
        QTRY_VERIFY(!repairDialog->isVisible());
        SimulatedDeviceControl::setUpgradeRefused(false);
        FirmwareState::RemoveFailRecord();
        sessionDeviceList.clear();
    }

    // Each check works from the record it reads: a record that names no
    // receiver class finds no receiver image, whatever an earlier one named.
    void theCheckUsesTheRecordItReads()
    {
        QVERIFY(LoadDevices(FirmwareDevices::kScenario));
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("r4k"), true));
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true, QStringLiteral("v1.03")));
        sessionDeviceList = {Entry(QStringLiteral("m"), true, QStringLiteral("v1.03"))};
        FormSetting page;
        ShowPage(page);
        FirmwareState::WriteFailRecord(211, 4, 5, 3);
        page.UpdateController()->UpdatePrompt();
        QCOMPARE(repairDialog->StatusText(), Text("home", "ReadyUpdate"));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong")); // Cancel
        QVERIFY(!repairDialog->isVisible());

        FirmwareState::WriteFailRecord(211, 0, 5, 3);
        page.UpdateController()->UpdatePrompt();
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "NoDevice"));
        QCOMPARE(repairDialog->StartButtonText(), Text("common", "OK"));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
        QTest::qWait(100);
        QVERIFY(!page.UpdateController()->Machine()->Running());
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        repairDialog->close();
        FirmwareState::RemoveFailRecord();
        sessionDeviceList.clear();
    }

    // A second mouse of the model, older than the first, is offered the
    // image: the check compares with the versions it has just reported.
    void anOlderSecondMouseIsOfferedTheImage()
    {
        QVERIFY(LoadDevices(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 5, "mid": 3, "version": "0x0106"}],
            "mice": [{"name": "m1", "cid": 5, "mid": 3, "receiver": "r4k", "cablePlugged": true, "version": "0x0103"},
                     {"name": "m2", "cid": 5, "mid": 3, "version": "0x0102"}]
        })"));
        FirmwareState::RemoveFailRecord();
        FormSetting page;
        ShowPage(page);
        UseMouseBesideReceiver(QStringLiteral("m1"), QStringLiteral("v1.03"), QStringLiteral("v1.06"));
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(!repairDialog->isVisible()); // nothing newer for the first mouse
        // The first mouse's cable is pulled, the second one's plugged in.
        QVERIFY(SimulatedDeviceControl::plug(QStringLiteral("m1"), false));
        QVERIFY(SimulatedDeviceControl::plug(QStringLiteral("m2"), true));
        PostMsg::Instance()->EmitSigSetver(4);
        UseMouseBesideReceiver(QStringLiteral("m2"), QStringLiteral("v1.02"), QStringLiteral("v1.06"));
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "ReadyUpdate"));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
        QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m2")), 0x0103, 8000);
        QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
        QCOMPARE(page.findChild<QLabel*>(QStringLiteral("label_7"))->text(), QStringLiteral("v1.03"));
        repairDialog->close();
        sessionDeviceList.clear();
    }

    // The prompt the version report opens is dismissed; the update the
    // overview still marks is started with the page's update button.
    void aDismissedOfferIsStartedFromThePage()
    {
        QVERIFY(LoadDevices(FirmwareDevices::kScenario));
        FirmwareState::RemoveFailRecord();
        UseMouseBesideReceiver(QStringLiteral("m"), QStringLiteral("v1.02"), QStringLiteral("v1.05"));
        FormSetting page;
        ShowPage(page);
        QSignalSpy markers(PostMsg::Instance(), SIGNAL(SigAddUpdate(int,bool)));
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(repairDialog->isVisible());
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong")); // Cancel
        QVERIFY(!repairDialog->isVisible());
        QVERIFY(markers.contains({0, true}));
        QToolButton* button = UpdateButton(page);
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "ReadyUpdate"));
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
        QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103, 8000);
        QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        repairDialog->close();
        sessionDeviceList.clear();
    }

    // While the receiver or the mouse is written, at 0 % or half way,
    // neither Escape nor the window system's close request hides the
    // dialog, as the disabled close button does not: the update goes on in
    // view to its end. Afterwards either closes the dialog.
    void theDialogStaysWhileTheImagesAreWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("holdAt");      // the receiver's write waits there
        QTest::addColumn<int>("mouseHoldAt"); // then the mouse's (-1: not held)
        QTest::addColumn<int>("shown");       // the bar meanwhile
        QTest::newRow("Escape at 0 %") << "Escape" << 0 << -1 << 0;
        QTest::newRow("Escape while the receiver is written") << "Escape" << 40 << -1 << 20;
        QTest::newRow("Escape while the mouse is written") << "Escape" << 40 << 30 << 65;
        QTest::newRow("close request while the receiver is written") << "close request" << 40 << -1 << 20;
    }

    void theDialogStaysWhileTheImagesAreWritten()
    {
        QFETCH(QString, how);
        QFETCH(int, holdAt);
        QFETCH(int, mouseHoldAt);
        QFETCH(int, shown);
        QVERIFY(LoadDevices(FirmwareDevices::kScenario));
        FirmwareState::RemoveFailRecord();
        UseMouseBesideReceiver(QStringLiteral("m"), QStringLiteral("v1.02"), QStringLiteral("v1.05"));
        FormSetting page;
        ShowPage(page);
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(repairDialog->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(repairDialog));
        SimulatedDeviceControl::holdUpgradeAt(holdAt);
        NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2")); // start
        QTRY_COMPARE_WITH_TIMEOUT(repairDialog->ProgressValue(), holdAt / 2, 5000);
        if (mouseHoldAt >= 0) {
            SimulatedDeviceControl::holdUpgradeAt(mouseHoldAt);
            QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106, 5000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(repairDialog->ProgressValue(), shown, 5000);

        RepairDialogTest::Dismiss(repairDialog, how);
        QVERIFY(repairDialog->isVisible());
        QVERIFY(repairDialog->ProgressShown());
        QVERIFY(page.UpdateController()->Machine()->Running());

        SimulatedDeviceControl::holdUpgradeAt(-1);
        QTRY_COMPARE_WITH_TIMEOUT(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103, 8000);
        QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("update", "DialogUpgradeSuccess"));
        QCOMPARE(repairDialog->ProgressValue(), 100);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);

        RepairDialogTest::Dismiss(repairDialog, how);
        QTRY_VERIFY(!repairDialog->isVisible());
        sessionDeviceList.clear();
    }

    // What the update button says once there is nothing to update: after a
    // completed update, and when the user asks while nothing is newer.
    void theUpdateButtonSaysItIsUpToDate_data()
    {
        QTest::addColumn<bool>("update");
        QTest::newRow("after a completed update") << true;
        QTest::newRow("nothing newer") << false;
    }

    void theUpdateButtonSaysItIsUpToDate()
    {
        QFETCH(bool, update);
        QVERIFY(LoadDevices(FirmwareDevices::kScenario));
        FirmwareState::RemoveFailRecord();
        UseMouseBesideReceiver(QStringLiteral("m"), QStringLiteral("v1.02"), QStringLiteral("v1.05"));
        FormSetting page;
        ShowPage(page);
        PostMsg::Instance()->EmitSigSetver(0);
        QVERIFY(repairDialog->isVisible());
        QToolButton* button = UpdateButton(page);
        if (update) {
            NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2"));
            QTRY_COMPARE_WITH_TIMEOUT(repairDialog->ProgressValue(), 100, 8000);
            QTRY_VERIFY(!page.UpdateController()->Machine()->Running());
            NoticeTest::Answer(repairDialog, QStringLiteral("NewHong_2")); // OK
        } else {
            NoticeTest::Answer(repairDialog, QStringLiteral("NewHong")); // Cancel
            // Both were brought up to date meanwhile; the user asks again.
            UseMouseBesideReceiver(QStringLiteral("m"), QStringLiteral("v1.03"), QStringLiteral("v1.06"));
            PostMsg::Instance()->EmitSigSetver(0);
            QVERIFY(button->isVisible());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QVERIFY(!repairDialog->isVisible());
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), QStringLiteral("Up to date"));
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->text()) <= button->width());
        sessionDeviceList.clear();
    }
};

QTEST_MAIN(TestSettingsUpdate)
#include "tst_settingsupdate.moc"
