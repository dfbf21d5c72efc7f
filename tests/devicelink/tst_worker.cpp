#include "HubRecorder.h"

#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceServer.h"
#include "device/Worker.h"
#include "lighting/LampLight.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/Sensor.h"

#include <QElapsedTimer>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

QStringList ServerStarts()
{
    QStringList paths;
    for (const QJsonObject& call : SimulatedDeviceControl::calls("UsbServerC_Start"))
        paths.append(call.value("path").toString());
    return paths;
}

// Only a bound for what should come: a loaded machine may need long.
constexpr int kEventWaitMs = 30000;

std::atomic<bool> formResetRaised{false};

void WaitForPass()
{
    // A pass asked for while another ran begins once that one has finished:
    // wait until none runs and none is about to.
    for (int round = 0; round < 10; ++round) {
        QTRY_VERIFY_WITH_TIMEOUT(deviceWorker->isFinished() || !deviceWorker->isRunning(), kEventWaitMs);
        QVERIFY(deviceWorker->wait(kEventWaitMs));
        QCoreApplication::sendPostedEvents(deviceWorker, QEvent::MetaCall);
        if (!deviceWorker->isRunning())
            break;
    }
    QCoreApplication::processEvents();
}

// Holds the worker's thread at one point of the next pass that reaches it,
// so that a test acts at that very moment; lets it go when released or
// destroyed.
class PassHold {
public:
    explicit PassHold(Worker::PassPoint point)
    {
        // Shared with the hook: the worker may still be leaving it after a
        // failed test has dropped the hold.
        std::shared_ptr<State> state = m_state;
        Worker::SetPassPointHook([state, point](Worker::PassPoint reached) {
            if (reached != point || state->taken.exchange(true))
                return;
            state->held.release();
            // Never keeps a failed test's thread for ever.
            state->release.tryAcquire(1, kEventWaitMs);
        });
    }
    ~PassHold()
    {
        Release();
        Worker::SetPassPointHook(nullptr);
    }
    // Without handling events: the pass must get there on its own.
    bool WaitHeld() { return m_state->held.tryAcquire(1, kEventWaitMs); }
    void Release()
    {
        if (!m_state->released.exchange(true))
            m_state->release.release();
    }

private:
    struct State {
        std::atomic<bool> taken{false};
        std::atomic<bool> released{false};
        QSemaphore held;
        QSemaphore release;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace

class TestWorker : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    Buttoninterface* m_buttons = nullptr;
    Sensor* m_sensor = nullptr;
    LampLight* m_light = nullptr;

    void Load(const char* scenario)
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICELINK_FIXTURES "/") + scenario, &error),
                 qPrintable(error));
    }

    // What the tile click does: pick the device, show the pages, follow it.
    void Choose(const QString& name)
    {
        DeviceDiscovery::OnUsbDevicesChanged();
        const QString path = SimulatedDeviceControl::pathOf(name);
        DeviceAllInfo chosen;
        for (const DeviceAllInfo& d : DeviceDiscovery::foundDeviceList)
            if (d.path == path)
                chosen = d;
        QCOMPARE(chosen.path, path);
        PostMsg::Instance()->EmitSigSelectMouseInfo(chosen);
        devicePageShown = 1;
        Worker::OnSessionUsbChanged();
        QCoreApplication::processEvents();
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        // Before any page listens: seen on the raising thread before the
        // blocking delivery to the pages begins.
        QObject::connect(PostMsg::Instance(), &PostMsg::SigFormReset, [] { formResetRaised = true; });
        m_recorder = new HubRecorder;
        m_buttons = new Buttoninterface;
        m_sensor = new Sensor;
        m_light = new LampLight;
        QVERIFY(deviceWorker);
    }

    void cleanupTestCase()
    {
        delete m_sensor;
        delete m_light;
        delete m_buttons;
        QCOMPARE(deviceWorker, nullptr);
    }

    void init()
    {
        // Every test starts with a new worker, as after a new start.
        WaitForPass();
        delete m_buttons;
        m_buttons = new Buttoninterface;
        // A report of the last test may still wait for the GUI thread: the
        // stop hands it its events and shuts it out of the program's state.
        DeviceServer::Stop();
        Load("plug_cable.json");
        m_recorder->Clear();
        SimulatedDeviceControl::clearCalls();
        workerRunFlag = 0;
        lastOnline = 0;
        prevOnline = 0;
        offlineWait = 0;
        restartRequest = 0;
        reinitRequest = 0;
        noWaitDialog = 0;
        pollAllowed = 1;
        devicePageShown = 0;
        CurrentDevice::SetInfo(DeviceAllInfo());
        CurrentDevice::SetPath("a");
    }

    void aPassWithoutTheRunFlagDoesNothing()
    {
        linkUp = 7;
        deviceWorker->start();
        WaitForPass();
        QCOMPARE(linkUp.load(), 7);
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
    }

    void choosingAMouseOpensTheLinkAndFillsThePages()
    {
        Choose("receiver4k");
        const QString path = SimulatedDeviceControl::pathOf("receiver4k");
        QCOMPARE(QString::fromLatin1(CurrentDevice::Path()), path);
        buttonPageReady = false;
        lightPageReady = false;
        sensorPageReady = false;
        deviceWorker->StartPass();
        QTRY_VERIFY_WITH_TIMEOUT(buttonPageReady && lightPageReady && sensorPageReady, kEventWaitMs);
        WaitForPass();
        QTRY_VERIFY_WITH_TIMEOUT(!m_recorder->Named("SigUpDataParam").isEmpty(), kEventWaitMs);
        QCOMPARE(m_recorder->Named("SigUpDataParam").first().args, QVariantList({0}));
        QCOMPARE(ServerStarts(), QStringList({path}));
        QStringList calls;
        for (const QJsonObject& call : SimulatedDeviceControl::calls())
            calls.append(call.value("fn").toString());
        // In this order; other threads' calls may fall in between.
        const int start = calls.indexOf("UsbServerC_Start");
        const int status = calls.indexOf("UsbServer_SetPCDriverStatus");
        const int read = calls.indexOf("UsbServer_ReadAllFlashData");
        QVERIFY(start >= 0 && start < status && status < read);
        QCOMPARE(SimulatedDeviceControl::calls("UsbServer_SetPCDriverStatus").first().value("mode").toInt(), 1);
        QCOMPARE(linkUp.load(), 1);
        QCOMPARE(workerRunFlag.load(), 0);

        // Nothing changed: the next pass opens nothing.
        SimulatedDeviceControl::clearCalls();
        m_recorder->Clear();
        deviceWorker->StartPass();
        WaitForPass();
        QVERIFY(ServerStarts().isEmpty());
        QVERIFY(m_recorder->Named("SigUpDataParam").isEmpty());
        QCOMPARE(linkUp.load(), 1);
    }

    void noPassWorksWhileTheChooserIsShown()
    {
        Choose("receiver4k");
        devicePageShown = 0;
        deviceWorker->StartPass();
        WaitForPass();
        QVERIFY(ServerStarts().isEmpty());
        QCOMPARE(linkUp.load(), 1);
    }

    void anOfflineMouseIsShownFromTheCache_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("cache file") << true;
        QTest::newRow("no cache file") << false;
    }
    void anOfflineMouseIsShownFromTheCache()
    {
        QFETCH(bool, cached);
        Choose("receiver4k");
        SimulatedDeviceControl::setOnline("drive1", false);
        FlashDataMap record{};
        record.reportRate = 32;
        record.ledBar.red = 200;
        QFile::remove(DeviceCacheFile::Folder() + "Device_CID07_MID01.bin");
        if (cached)
            DeviceCacheFile::WriteFlashCache("Device_CID07_MID01.bin", record);
        const QByteArray before = Bytes(CurrentFlashMapLock::Snapshot());
        SimulatedDeviceControl::clearCalls();

        deviceWorker->StartPass();
        WaitForPass();

        QCOMPARE(offlineWait.load(), 1);
        QVERIFY(!CurrentDevice::Info().online);
        if (cached) {
            QCOMPARE(m_recorder->Names().mid(0, 4), QStringList({"SigUpDataLightUIButton", "SigUpDataLightLight",
                                                                "SigUpDataLightSensor", "SigForm"}));
            QCOMPARE(m_recorder->Named("SigUpDataLightSensor").first().record, Bytes(record));
        } else {
            QCOMPARE(m_recorder->Names().first(), QStringLiteral("SigFormReset"));
            QVERIFY(m_recorder->Named("SigUpDataLightUIButton").isEmpty());
        }
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), before);
        // The link is opened all the same, for when the mouse comes back.
        QCOMPARE(ServerStarts().size(), 1);
    }

    void thePollClosesTheNoticeAndRestartsOnlyWhenAsked()
    {
        Choose("receiver4k");
        offlineWait = 1;
        deviceWorker->SlotCheckOnline();
        WaitForPass();
        QCOMPARE(m_recorder->Names(), QStringList({"SigCloseOffOnline"}));
        QCOMPARE(offlineWait.load(), 0);
        QVERIFY(ServerStarts().isEmpty());

        offlineWait = 1;
        restartRequest = 1;
        deviceWorker->SlotCheckOnline();
        QTRY_COMPARE_WITH_TIMEOUT(ServerStarts().size(), 1, kEventWaitMs);
        WaitForPass();
        QCOMPARE(restartRequest.load(), 0);
    }

    void thePollKeepsWaitingForASilentMouse()
    {
        Choose("receiver4k");
        SimulatedDeviceControl::setOnline("drive1", false);
        offlineWait = 1;
        restartRequest = 1;
        deviceWorker->SlotCheckOnline();
        QCoreApplication::processEvents();
        QVERIFY(m_recorder->Named("SigCloseOffOnline").isEmpty());
        QCOMPARE(offlineWait.load(), 1);
        QCOMPARE(restartRequest.load(), 1);
    }

    void aReinitialisationRequestIsAnnounced()
    {
        Choose("receiver4k");
        reinitRequest = 1;
        deviceWorker->StartPass();
        WaitForPass();
        QTRY_VERIFY_WITH_TIMEOUT(!m_recorder->Named("SigUpDataParam").isEmpty(), kEventWaitMs);
        QCOMPARE(m_recorder->Named("SigUpDataParam").first().args, QVariantList({1}));
        QCOMPARE(reinitRequest.load(), 0);
    }

    void theMouseOnItsCableBecomesTheCurrentDevice()
    {
        Choose("receiver4k");
        deviceWorker->StartPass();
        WaitForPass();
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::plug("drive1", true);
        Worker::OnSessionUsbChanged();
        WaitForPass();
        const QString cable = SimulatedDeviceControl::pathOf("drive1");
        QCOMPARE(QString::fromLatin1(CurrentDevice::Path()), cable);
        QVERIFY(CurrentDevice::Info().wired);
        // The new pass starts the server on its thread; under load it may
        // not have begun when the last one is seen finished.
        QTRY_COMPARE_WITH_TIMEOUT(ServerStarts(), QStringList({cable}), kEventWaitMs);
        WaitForPass();
    }

    // The mouse put on its cable is taken up whenever the change comes: as
    // the pass that runs ends, or before the next pass has begun while the
    // read the last one asked for still fills the pages.
    void aChangeWhileAPassEndsIsTakenUp_data()
    {
        QTest::addColumn<bool>("duringTheRead");
        QTest::newRow("the pass is ending") << false;
        QTest::newRow("its read ends before the next pass begins") << true;
    }
    void aChangeWhileAPassEndsIsTakenUp()
    {
        QFETCH(bool, duringTheRead);
        Choose("receiver4k");
        // No please-wait announcement: the pass needs nothing of this thread,
        // which handles no events until the change has come, so the record's
        // read cannot end before.
        noWaitDialog = 1;
        const QString cable = SimulatedDeviceControl::pathOf("drive1");
        auto ending = std::make_unique<PassHold>(Worker::PassPoint::Ends);
        deviceWorker->StartPass();
        QVERIFY(ending->WaitHeld());
        QCOMPARE(ServerStarts(), QStringList({SimulatedDeviceControl::pathOf("receiver4k")}));
        SimulatedDeviceControl::clearCalls();

        std::unique_ptr<PassHold> beginning;
        if (duringTheRead) {
            beginning = std::make_unique<PassHold>(Worker::PassPoint::Begins);
            ending->Release();
            QVERIFY(deviceWorker->wait(kEventWaitMs));
        }
        SimulatedDeviceControl::plug("drive1", true);
        Worker::OnSessionUsbChanged();
        QCOMPARE(QString::fromLatin1(CurrentDevice::Path()), cable);
        if (duringTheRead) {
            QVERIFY(beginning->WaitHeld());
            // The read of the whole record ends (it clears the run flag).
            QTRY_COMPARE_WITH_TIMEOUT(workerRunFlag.load(), 0, kEventWaitMs);
            QVERIFY(!m_recorder->Named("SigForm").isEmpty());
            beginning->Release();
        } else {
            ending->Release();
        }
        QTRY_COMPARE_WITH_TIMEOUT(ServerStarts(), QStringList({cable}), kEventWaitMs);
        WaitForPass();
        QCOMPARE(ServerStarts(), QStringList({cable}));
        QCOMPARE(linkUp.load(), 1);
    }

    // Leaving the pages stops the worker: a change it had not yet taken up
    // starts no pass after that.
    void aStoppedWorkerTakesUpNoWaitingChange()
    {
        Choose("receiver4k");
        noWaitDialog = 1;
        PassHold ending(Worker::PassPoint::Ends);
        deviceWorker->StartPass();
        QVERIFY(ending.WaitHeld());
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::plug("drive1", true);
        Worker::OnSessionUsbChanged();
        deviceWorker->Stop();
        ending.Release();
        QVERIFY(deviceWorker->wait(kEventWaitMs));
        // Where a waiting pass would be started.
        QCoreApplication::sendPostedEvents(deviceWorker, QEvent::MetaCall);
        QVERIFY(deviceWorker->wait(kEventWaitMs));
        QVERIFY(ServerStarts().isEmpty());
    }

    void goneDeviceReturnsToTheChooserUnlessAnUpdateRuns_data()
    {
        QTest::addColumn<int>("poll");
        QTest::addColumn<int>("returns");
        QTest::newRow("polling allowed") << 1 << 1;
        QTest::newRow("update running") << 0 << 0;
    }
    void goneDeviceReturnsToTheChooserUnlessAnUpdateRuns()
    {
        QFETCH(int, poll);
        QFETCH(int, returns);
        Choose("receiver4k");
        m_recorder->Clear();
        pollAllowed = poll;
        SimulatedDeviceControl::plug("receiver4k", false);
        Worker::OnSessionUsbChanged();
        QCoreApplication::processEvents();
        QCOMPARE(m_recorder->Named("SigChangeMainDialog").size(), returns);
        if (returns)
            QCOMPARE(m_recorder->Named("SigChangeMainDialog").first().args, QVariantList({0}));
    }

    // While a firmware update runs the mouse on its cable may vanish for a
    // moment (it restarts in boot mode): with nothing found there is no
    // firmware to check; with the mouse there, the check runs.
    void theFirmwareCheckNeedsAFoundDeviceWhileAnUpdateRuns_data()
    {
        QTest::addColumn<bool>("mouseThere");
        QTest::newRow("nothing found") << false;
        QTest::newRow("the mouse on its cable found") << true;
    }
    void theFirmwareCheckNeedsAFoundDeviceWhileAnUpdateRuns()
    {
        QFETCH(bool, mouseThere);
        Choose("receiver4k");
        deviceWorker->StartPass();
        WaitForPass();
        SimulatedDeviceControl::plug("drive1", true);
        Worker::OnSessionUsbChanged();
        WaitForPass();
        QVERIFY(CurrentDevice::Info().wired);

        pollAllowed = 0;
        SimulatedDeviceControl::plug("receiver4k", false);
        if (!mouseThere)
            SimulatedDeviceControl::plug("drive1", false);
        m_recorder->Clear();
        Worker::OnSessionUsbChanged();
        QCoreApplication::processEvents();
        QCOMPARE(m_recorder->Named("SigLabelTextB").size(), mouseThere ? 1 : 0);
        QVERIFY(m_recorder->Named("SigChangeMainDialog").isEmpty());
        QVERIFY(CurrentDevice::Info().wired);
    }

    void closingThePageWhileAPassWaitsForItDoesNotHang()
    {
        // A pass blocked in a device-data signal needs the GUI thread; the
        // page's destructor must keep events going while it waits.
        Choose("receiver4k");
        SimulatedDeviceControl::setOnline("drive1", false);
        QFile::remove(DeviceCacheFile::Folder() + "Device_CID07_MID01.bin");
        SimulatedDeviceControl::clearCalls();
        formResetRaised = false;
        deviceWorker->StartPass();
        // Without processing events, wait until the pass raises SigFormReset:
        // it then waits there for us.
        QElapsedTimer timer;
        timer.start();
        while (!formResetRaised && timer.elapsed() < kEventWaitMs)
            QThread::msleep(5);
        QVERIFY(formResetRaised);
        QVERIFY(deviceWorker->isRunning());
        QVERIFY(m_recorder->Names().isEmpty());

        // A destructor that kept no events going would give up on the worker
        // after its bound and leave it running, not deleted.
        delete m_buttons;
        m_buttons = nullptr;
        QCOMPARE(deviceWorker, nullptr);
        QVERIFY(m_recorder->Names().contains("SigFormReset"));
        m_buttons = new Buttoninterface;
    }
};

QTEST_MAIN(TestWorker)
#include "tst_worker.moc"
