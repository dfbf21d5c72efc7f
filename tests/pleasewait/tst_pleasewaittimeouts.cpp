// The please-wait dialog's long waits: the device wait that times out, and
// the reset wait with and without the pages filling in time.

#include "PleaseWaitSupport.h"

#include "app/LanguageLoader.h"
#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "lighting/LampLight.h"
#include "sensor/Sensor.h"

using namespace PleaseWait;

class TestPleaseWaitTimeouts : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    Buttoninterface* m_buttons = nullptr;
    Sensor* m_sensor = nullptr;
    LampLight* m_light = nullptr;

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_recorder = new HubRecorder;
        m_buttons = new Buttoninterface;
        m_sensor = new Sensor;
        m_light = new LampLight;
    }

    void cleanupTestCase()
    {
        delete m_sensor;
        delete m_light;
        delete m_buttons;
        delete m_recorder;
    }

    void init()
    {
        QFile::remove(CachePath());
        m_recorder->Clear();
        m_recorder->duringSlot = nullptr;
        DeviceCacheFile::SetSelectionCacheName(CacheName());
        DeviceCacheFile::SetDumpCacheName(CacheName());
    }

    // The dump never comes: after twelve looks the dialog closes, then the
    // time-out notice follows; the flags stay, and the first cache file is
    // made all the same.
    void deviceWaitTimesOutWithTheTimeOutNotice()
    {
        linkUp = 1;
        lastOnline = 1;
        SetReady(true, false, true);
        const FlashDataMap current = PatternRecord(9);
        {
            CurrentFlashMapLock lock;
            lock.Map() = current;
        }

        UpDataParam dialog;
        bool visibleAtNotice = true;
        m_recorder->duringSlotName = QStringLiteral("SigMouseOffLineo");
        m_recorder->duringSlot = [&] { visibleAtNotice = dialog.isVisible(); };
        const qint64 ms = ExecFromTimeout(&dialog);

        QVERIFY2(ms >= 5900 && ms < 7500, qPrintable(QString::number(ms)));
        QCOMPARE(m_recorder->Named("SigMouseOffLineo").size(), 1);
        QCOMPARE(m_recorder->Named("SigMouseOffLineo").first().args, QVariantList({1}));
        QVERIFY(!visibleAtNotice);
        QVERIFY(buttonPageReady && !lightPageReady && sensorPageReady);
        QCOMPARE(CacheFileRecord(), Bytes(current));
    }

    // After a factory reset the pages are filled by the report thread while
    // the dialog waits; it then pauses 2 s, still letting device signals
    // through, and closes without a notice. The flags are not consumed, and
    // the next opening of the same dialog is an ordinary one again.
    void resetWaitEndsAfterThePagesFilled()
    {
        SetReady(false, false, false);
        const FlashDataMap record = PatternRecord(3);
        PostMsg* hub = PostMsg::Instance();
        QThread* report = OnThreadAfter(700, [hub, record] {
            hub->EmitSigUpDataLightUIButton(record);
            hub->EmitSigUpDataLightLight(record);
            hub->EmitSigUpDataLightSensor(record);
        });
        QThread* battery = OnThreadAfter(1800, [hub] { hub->EmitSigBattery(false, 42, true); });

        UpDataParam dialog;
        dialog.resetWaitMode = true;
        bool visibleAtBattery = false;
        m_recorder->duringSlotName = QStringLiteral("SigBattery");
        m_recorder->duringSlot = [&] { visibleAtBattery = dialog.isVisible(); };
        const qint64 ms = ExecFromTimeout(&dialog);
        Finish(report);
        Finish(battery);

        QVERIFY2(ms >= 2600 && ms < 4500, qPrintable(QString::number(ms)));
        QVERIFY(visibleAtBattery);
        QVERIFY(m_recorder->Named("SigMouseOffLineo").isEmpty());
        QVERIFY(buttonPageReady && lightPageReady && sensorPageReady);

        // Opened again with the mouse offline: it fills the pages from the cache.
        linkUp = 0;
        DeviceCacheFile::WriteFlashCache(CacheName(), PatternRecord(4));
        m_recorder->Clear();
        dialog.show();
        dialog.onTimeupDestroy();
        QCOMPARE(m_recorder->Names(), QStringList({"SigSetver", "SigUpDataLightUIA", "SigUpDataSensorUIB",
                                                   "SigUpDataButtonUIC", "SigFormB", "SigMouseOffLineo"}));
        QVERIFY(!dialog.isVisible());
    }

    void resetWaitTimesOutWithTheOfflineNotice()
    {
        SetReady(false, true, true);
        UpDataParam dialog;
        dialog.resetWaitMode = true;
        bool visibleAtNotice = true;
        m_recorder->duringSlotName = QStringLiteral("SigMouseOffLineo");
        m_recorder->duringSlot = [&] { visibleAtNotice = dialog.isVisible(); };
        const qint64 ms = ExecFromTimeout(&dialog);

        // Twelve 500 ms looks, then the 2 s pause.
        QVERIFY2(ms >= 7900 && ms < 9500, qPrintable(QString::number(ms)));
        QCOMPARE(m_recorder->Named("SigMouseOffLineo").size(), 1);
        QCOMPARE(m_recorder->Named("SigMouseOffLineo").first().args, QVariantList({0}));
        QVERIFY(!visibleAtNotice);
        QVERIFY(!buttonPageReady && lightPageReady && sensorPageReady);
    }
};

QTEST_MAIN(TestPleaseWaitTimeouts)
#include "tst_pleasewaittimeouts.moc"
