// The settings page's firmware update, one image at a time, against the
// simulated mouse and receiver: what reaches the device, the versions shown
// and stored, and the failure record.
#include "CallLogNames.h"
#include "FirmwareDevices.h"
#include "FirmwareFixtures.h"
#include "RepairDialogTestSupport.h"
#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "dialogs/Progress.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateMachine.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareDevices;
using namespace FirmwareFixtures;

namespace {

QList<QPair<int, int>> ProgressReports(const QSignalSpy& spy)
{
    QList<QPair<int, int>> values;
    for (const QList<QVariant>& args : spy)
        values.append({args.at(0).toInt(), args.at(1).toInt()});
    return values;
}

} // namespace

class TestFirmwareUpdate : public QObject {
    Q_OBJECT

private:
    ConfigSettings* m_config = nullptr;
    QTemporaryDir m_images;

    void WriteImages(const QStringList& lines)
    {
        QDir(m_images.path()).removeRecursively();
        QDir().mkpath(m_images.path());
        const QString error = FirmwareFixtures::WriteImages(m_images.path(), lines);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // Runs the machine to its end with a fast tick.
    void Run(FirmwareUpdateMachine& machine, int target, const QString& version, int stages = 1)
    {
        machine.SetTiming(5, 1500);
        machine.SetReasonTexts(QStringLiteral("no mouse"), QStringLiteral("no receiver"), QStringLiteral("several"));
        QSignalSpy finished(&machine, &FirmwareUpdateMachine::Finished);
        QVERIFY(machine.Start(target, version, 4, stages));
        QVERIFY(finished.wait(5000) || finished.count() == 1);
        QVERIFY(!machine.Running());
    }

    void UseMouseOnCable()
    {
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true));
        sessionDeviceList = {Entry(QStringLiteral("m"), true)};
    }

    void UseReceiver()
    {
        CurrentDevice::SetInfo(Entry(QStringLiteral("r4k"), false));
        sessionDeviceList = {Entry(QStringLiteral("r4k"), false)};
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(FIRMWARE_FIXTURES "/firmware.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        QVERIFY(m_images.isValid());
        SetFirmwareFolder(m_images.path());
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
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
        QFile::remove(AppPaths::UserDataFolder() + QStringLiteral("/Exception/UpDateLog.txt"));
        WriteImages({QStringLiteral("a.bin 210 5 3 1.03 MouseOne.bin"),
                     QStringLiteral("b.bin 211 5 3 1.06 R4K-One.bin")});
        pollAllowed = 1;
    }

    void mouseOnItsCableIsWritten()
    {
        UseMouseOnCable();
        QSignalSpy progress(PostMsg::Instance(), SIGNAL(SigProgress(int,int)));
        QSignalSpy labels(PostMsg::Instance(), SIGNAL(SigLabelText(int,QString)));
        FirmwareUpdateMachine machine;
        Run(machine, 210, QStringLiteral("v1.02"));
        QCOMPARE(machine.MouseStage(), int(FirmwareUpdateMachine::Written));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103);
        QCOMPARE(FirmwareState::StoredMouseVersion(), QStringLiteral("v1.03"));
        QVERIFY(ProgressReports(progress).contains(qMakePair(100, 0)));
        QCOMPARE(ProgressReports(progress).last(), qMakePair(0, 2));
        QCOMPARE(labels.count(), 1);
        QCOMPARE(labels.at(0).at(0).toInt(), 1);
        QCOMPARE(labels.at(0).at(1).toString(), QStringLiteral("v1.03"));
        QVERIFY(FirmwareState::UpdateFailInfo().isEmpty());
        QCOMPARE(int(pollAllowed), 1);
        QCOMPARE(CallNames({QStringLiteral("UsbUpgrade_Start")}).size(), 1);
    }

    void receiverIsAskedForItsVersionThenWritten()
    {
        UseReceiver();
        QSignalSpy labels(PostMsg::Instance(), SIGNAL(SigLabelText(int,QString)));
        FirmwareUpdateMachine machine;
        Run(machine, 211, QStringLiteral("v1.05"));
        QCOMPARE(machine.ReceiverStage(), int(FirmwareUpdateMachine::Written));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0106);
        QCOMPARE(labels.count(), 1);
        QCOMPARE(labels.at(0).at(0).toInt(), 0);
        QCOMPARE(labels.at(0).at(1).toString(), QStringLiteral("v1.06"));
        QCOMPARE(CallNames({QStringLiteral("UsbUpgradeC_FindBootDevices"), QStringLiteral("UsbFinderC_GetSlaveVersion"),
                                  QStringLiteral("UsbUpgrade_Start")}),
                 QStringList({QStringLiteral("UsbUpgradeC_FindBootDevices"), QStringLiteral("UsbFinderC_GetSlaveVersion"),
                              QStringLiteral("UsbUpgrade_Start")}));
    }

    void twoStagesSplitTheBar()
    {
        UseReceiver();
        QSignalSpy progress(PostMsg::Instance(), SIGNAL(SigProgress(int,int)));
        FirmwareUpdateMachine machine;
        Run(machine, 211, QStringLiteral("v1.05"), 2);
        int highest = 0;
        for (const auto& p : ProgressReports(progress)) {
            QCOMPARE(p.second, 0); // no success shown before the mouse stage
            highest = qMax(highest, p.first);
        }
        QCOMPARE(highest, 50);
    }

    void failedWriteLeavesTheRecord_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("fails at 40 %") << "fail";
        QTest::newRow("start refused") << "refuse";
        QTest::newRow("device vanishes") << "vanish";
        QTest::newRow("boot device never appears") << "noboot";
        QTest::newRow("end never reported") << "never";
    }

    void failedWriteLeavesTheRecord()
    {
        QFETCH(QString, how);
        if (how == QLatin1String("fail"))
            SimulatedDeviceControl::setUpgradeFailure(40);
        else if (how == QLatin1String("refuse"))
            SimulatedDeviceControl::setUpgradeRefused(true);
        else if (how == QLatin1String("vanish"))
            SimulatedDeviceControl::setUpgradeVanishes(30);
        else if (how == QLatin1String("noboot"))
            SimulatedDeviceControl::setBootDeviceNeverAppears(true);
        else
            SimulatedDeviceControl::setUpgradeNeverEnds(true);
        UseMouseOnCable();
        FirmwareState::StoreMouseVersion(QStringLiteral("v1.02"));
        QSignalSpy progress(PostMsg::Instance(), SIGNAL(SigProgress(int,int)));
        FirmwareUpdateMachine machine;
        QElapsedTimer clock;
        clock.start();
        Run(machine, 210, QStringLiteral("v1.02"));
        // Only a write that never ends waits for the time limit (1500 ms here).
        QCOMPARE(clock.elapsed() >= 1500, how == QLatin1String("never"));
        QCOMPARE(machine.MouseStage(), int(FirmwareUpdateMachine::Failed));
        QCOMPARE(FirmwareState::UpdateFailInfo(), QStringLiteral("210,4,5,3"));
        QVERIFY(QFile::exists(AppPaths::UserDataFolder() + QStringLiteral("/Exception/UpDateLog.txt")));
        QVERIFY(ProgressReports(progress).contains(qMakePair(0, 1)));
        QVERIFY(!ProgressReports(progress).contains(qMakePair(0, 2)));
        QCOMPARE(FirmwareState::StoredMouseVersion(), QStringLiteral("v1.02"));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        QCOMPARE(int(pollAllowed), 1);
    }

    void nothingReachesTheDeviceWithoutAFittingImage_data()
    {
        QTest::addColumn<QStringList>("images");
        QTest::addColumn<int>("target");
        QTest::newRow("no image, mouse") << QStringList() << 210;
        QTest::newRow("no image, receiver") << QStringList() << 211;
        QTest::newRow("other MID") << QStringList{QStringLiteral("a.bin 210 5 4 1.03 MouseOne.bin")} << 210;
        QTest::newRow("other name") << QStringList{QStringLiteral("a.bin 210 5 3 1.03 MouseTwo.bin")} << 210;
        QTest::newRow("receiver image for the mouse") << QStringList{QStringLiteral("a.bin 211 5 3 1.03 MouseOne.bin")}
                                                      << 210;
        QTest::newRow("same version") << QStringList{QStringLiteral("a.bin 210 5 3 1.02 MouseOne.bin")} << 210;
    }

    void nothingReachesTheDeviceWithoutAFittingImage()
    {
        QFETCH(QStringList, images);
        QFETCH(int, target);
        WriteImages(images);
        if (target == 210)
            UseMouseOnCable();
        else
            UseReceiver();
        QSignalSpy progress(PostMsg::Instance(), SIGNAL(SigProgress(int,int)));
        FirmwareUpdateMachine machine;
        Run(machine, target, target == 210 ? QStringLiteral("v1.02") : QStringLiteral("v1.05"));
        QCOMPARE(target == 210 ? machine.MouseStage() : machine.ReceiverStage(),
                 int(FirmwareUpdateMachine::NothingToWrite));
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
        QVERIFY(!ProgressReports(progress).contains(qMakePair(0, 2)));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
    }

    void noDeviceOrSeveralWritesNothing_data()
    {
        QTest::addColumn<int>("wiredMice");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no mouse on a cable") << 0 << "no mouse";
        QTest::newRow("two mice on cables") << 2 << "several";
    }

    void noDeviceOrSeveralWritesNothing()
    {
        QFETCH(int, wiredMice);
        QFETCH(QString, reason);
        CurrentDevice::SetInfo(Entry(QStringLiteral("m"), true));
        sessionDeviceList.clear();
        for (int i = 0; i < wiredMice; ++i)
            sessionDeviceList.append(Entry(QStringLiteral("m"), true));
        FirmwareUpdateMachine machine;
        Run(machine, 210, QStringLiteral("v1.02"));
        QCOMPARE(machine.NoDeviceReason(), reason);
        QCOMPARE(machine.MouseStage(), int(FirmwareUpdateMachine::Idle));
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbUpgrade_Start")).isEmpty());
    }

    // The firmware progress notice over a write: while the image is written
    // neither Escape nor the window system's close request hides it, as its
    // close button does not; the write ends in view, and then either closes it.
    void theProgressNoticeStaysWhileTheImageIsWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("close request") << "close request";
    }

    void theProgressNoticeStaysWhileTheImageIsWritten()
    {
        QFETCH(QString, how);
        UseMouseOnCable();
        SimulatedDeviceControl::holdUpgradeAt(40);
        Progress notice;
        connect(PostMsg::Instance(), SIGNAL(SigProgress(int,int)), &notice, SLOT(SlotProgress(int,int)));
        notice.show();
        QVERIFY(QTest::qWaitForWindowActive(&notice));
        QLabel* label = notice.findChild<QLabel*>(QStringLiteral("label"));
        FirmwareUpdateMachine machine;
        machine.SetTiming(5, 5000);
        QVERIFY(machine.Start(210, QStringLiteral("v1.02"), 4, 1));
        QTRY_VERIFY(label->text().endsWith(QStringLiteral(": 40%")));

        RepairDialogTest::Dismiss(&notice, how);
        QVERIFY(notice.isVisible());

        SimulatedDeviceControl::holdUpgradeAt(-1);
        QTRY_VERIFY(!machine.Running());
        QVERIFY(notice.isVisible());
        QCOMPARE(label->text(), LanguageTables::Text(0, QStringLiteral("update"), QStringLiteral("DialogUpgradeSuccess")));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0103);

        RepairDialogTest::Dismiss(&notice, how);
        QTRY_VERIFY(!notice.isVisible());
    }
};

QTEST_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"
