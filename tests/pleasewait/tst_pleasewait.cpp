// The please-wait dialog: its form and texts, the device wait after a pass of
// the worker (with the device cache it creates), a dump that arrives while
// the dialog waits, and the offline fill from the device cache.

#include "PleaseWaitSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/Startup.h"
#include "app/ThemeColor.h"
#include "buttons/Buttoninterface.h"
#include "device/DeviceDiscovery.h"
#include "device/Worker.h"
#include "lighting/LampLight.h"
#include "sensor/Sensor.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>

using namespace PleaseWait;

// Plays the page container: one dialog for the program's life, opened for
// every SigUpDataParam the worker raises.
class ContainerStandIn : public QObject {
    Q_OBJECT
public:
    ContainerStandIn() { PostMsg::Connect(SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int))); }

    UpDataParam dialog;
    int closed = 0;
    qint64 lastRunMs = 0;

public slots:
    void SlotUpDataParam(int index)
    {
        QElapsedTimer clock;
        clock.start();
        dialog.StartTimer();
        if (index == 1)
            dialog.resetWaitMode = true;
        dialog.exec();
        lastRunMs = clock.elapsed();
        ++closed;
    }
};

class TestPleaseWait : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    Buttoninterface* m_buttons = nullptr;
    Sensor* m_sensor = nullptr;
    LampLight* m_light = nullptr;

    QLabel* LabelOf(QWidget* dialog) { return dialog->findChild<QLabel*>(QStringLiteral("label")); }

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
        UsbServer_Exit();
        delete m_sensor;
        delete m_light;
        delete m_buttons;
        delete m_recorder;
    }

    void init()
    {
        UsbServer_Exit();
        // A report of the last test may still wait for the GUI thread.
        QTest::qWait(300);
        QFile::remove(CachePath());
        m_recorder->Clear();
        m_recorder->duringSlot = nullptr;
        linkUp = 0;
        lastOnline = 0;
        noWaitDialog = 0;
        SetReady(false, false, false);
        qunsetenv("NK_SCREEN_DPI");
    }

    void formShowsTheUpdatingText()
    {
        UpDataParam dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("UpDataParam"));
        QCOMPARE(dialog.size(), QSize(300, 140));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
        const QString expected = LanguageTables::Text(0, QStringLiteral("infoTips"), QStringLiteral("DialogUpdating"));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(LabelOf(&dialog)->text(), expected);
        QVERIFY(LabelOf(&dialog)->wordWrap());
        QCOMPARE(LabelOf(&dialog)->styleSheet(), QStringLiteral("QLabel{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor")) + QStringLiteral(";}"));
        QVERIFY(!dialog.importMode);
        QVERIFY(!dialog.resetWaitMode);
        QVERIFY(dialog.profilePath.isEmpty());

        // Frameless, but a window the window manager gives the keyboard to.
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!(dialog.windowFlags() & Qt::X11BypassWindowManagerHint));

        auto* frame = dialog.findChild<QFrame*>(QStringLiteral("UpDataParamA"));
        QVERIFY(frame);
        const QRegularExpressionMatch picture = QRegularExpression(QStringLiteral("url\\(([^)]+)\\)")).match(frame->styleSheet());
        QVERIFY(picture.hasMatch());
        QVERIFY(picture.captured(1).endsWith(QStringLiteral("/Picture/WarningDialog/BackGround.png")));
        QVERIFY2(QFileInfo(picture.captured(1)).isFile(), qPrintable(picture.captured(1)));
    }

    void languageSwitchRetextsTheLabel()
    {
        UpDataParam dialog;
        LabelOf(&dialog)->setText(QStringLiteral("stale"));
        PostMsg::Instance()->EmitSigAllLanguage(0);
        QCOMPARE(LabelOf(&dialog)->text(), LanguageTables::Text(0, QStringLiteral("infoTips"), QStringLiteral("DialogUpdating")));
    }

    void fontsFollowTheScreenDpi()
    {
        qputenv("NK_SCREEN_DPI", "192");
        UpDataParam dialog;
        QVERIFY(qAbs(LabelOf(&dialog)->font().pointSizeF() - 5.5) < 0.01);
    }

    // The worker's pass while the mouse answers: the container's dialog
    // opens, the dump fills the pages, and the dialog closes when its timer
    // finds them filled; the model's first cache file is made from the record.
    void passWhileOnlineOpensTheDialogUntilThePagesAreFilled()
    {
        ContainerStandIn container;
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICELINK_FIXTURES "/one_mouse.json"), &error),
                 qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
        const QString path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k"));
        DeviceAllInfo chosen;
        for (const DeviceAllInfo& d : DeviceDiscovery::foundDeviceList)
            if (d.path == path)
                chosen = d;
        QCOMPARE(chosen.path, path);
        PostMsg::Instance()->EmitSigSelectMouseInfo(chosen);
        devicePageShown = 1;
        Worker::OnSessionUsbChanged();
        QCoreApplication::processEvents();
        QCOMPARE(DeviceCacheFile::SelectionCacheName(), CacheName());
        m_recorder->Clear();

        deviceWorker->StartPass();
        QTRY_COMPARE_WITH_TIMEOUT(container.closed, 1, 10000);

        QCOMPARE(m_recorder->Named("SigUpDataParam").size(), 1);
        QVERIFY(m_recorder->Named("SigMouseOffLineo").isEmpty());
        // The dialog asks the settings page for its version display (the
        // dump's version report raises its own SigSetver(0)).
        QList<QVariantList> setver;
        for (const HubRecorder::Event& e : m_recorder->Named("SigSetver"))
            setver.append(e.args);
        QVERIFY(setver.contains(QVariantList({4})));
        // The dump was in before the timer fired: the first look succeeds.
        QVERIFY2(container.lastRunMs >= 2300 && container.lastRunMs < 3400, qPrintable(QString::number(container.lastRunMs)));
        // The dialog consumed the pages' ready flags.
        QVERIFY(!buttonPageReady && !lightPageReady && !sensorPageReady);

        const QList<HubRecorder::Event> fills = m_recorder->Named("SigUpDataLightUIButton");
        QCOMPARE(fills.size(), 1);
        QCOMPARE(fills.first().record, Bytes(CurrentFlashMapLock::Snapshot()));
        QCOMPARE(CacheFileRecord(), fills.first().record);
        devicePageShown = 0;
    }

    // The dump arrives after the timer fired. Its report thread waits in
    // blocking signals for the GUI thread while the dialog waits for the
    // pages: the wait must let those signals through.
    void dumpArrivingDuringTheWaitFillsThePages()
    {
        OpenLinkToMouse();
        const FlashDataMap cached = PatternRecord(77);
        DeviceCacheFile::WriteFlashCache(CacheName(), cached);
        linkUp = 1;
        lastOnline = 1;

        UpDataParam dialog;
        bool visibleWhileFilling = false;
        m_recorder->duringSlotName = QStringLiteral("SigUpDataLightUIButton");
        m_recorder->duringSlot = [&] { visibleWhileFilling = dialog.isVisible(); };
        QThread* asker = OnThreadAfter(3000, [] { UsbServer_ReadAllFlashData(); });
        const qint64 ms = ExecAsCaller(&dialog);
        Finish(asker);

        QVERIFY(visibleWhileFilling);
        QVERIFY2(ms >= 2900 && ms < 5000, qPrintable(QString::number(ms)));
        QVERIFY(m_recorder->Named("SigMouseOffLineo").isEmpty());
        QVERIFY(!buttonPageReady && !lightPageReady && !sensorPageReady);
        // A model that has a cache file keeps it.
        QCOMPARE(CacheFileRecord(), Bytes(cached));
    }

    void deviceWaitMakesTheCacheFileOnce_data()
    {
        QTest::addColumn<int>("online");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("dumpName");
        QTest::addColumn<bool>("written");
        const QByteArray other = Bytes(PatternRecord(50));
        QTest::newRow("first time online") << 1 << QByteArray() << CacheName() << true;
        QTest::newRow("cache file there") << 1 << other << CacheName() << false;
        QTest::newRow("mouse not online") << 0 << QByteArray() << CacheName() << false;
        QTest::newRow("damaged cache file") << 1 << QByteArray::fromHex("0000000401020304") << CacheName() << true;
        QTest::newRow("written under the dump's name") << 1 << QByteArray() << QStringLiteral("Device_CID1A_MID05.bin") << true;
    }
    void deviceWaitMakesTheCacheFileOnce()
    {
        QFETCH(int, online);
        QFETCH(QByteArray, before);
        QFETCH(QString, dumpName);
        QFETCH(bool, written);
        QFile::remove(DeviceCacheFile::Folder() + dumpName);
        if (!before.isEmpty()) {
            QFile file(CachePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before.size() == kRecordSize ? QByteArray::fromHex("000028d0") + before : before);
        }
        const QByteArray fileBefore = [] {
            QFile file(CachePath());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        DeviceCacheFile::SetSelectionCacheName(CacheName());
        DeviceCacheFile::SetDumpCacheName(dumpName);
        const FlashDataMap current = PatternRecord(21);
        {
            CurrentFlashMapLock lock;
            lock.Map() = current;
        }
        linkUp = 1;
        lastOnline = online;
        SetReady(true, true, true);

        UpDataParam dialog;
        dialog.show();
        dialog.onTimeupDestroy();
        QVERIFY(!dialog.isVisible());
        QVERIFY(m_recorder->Named("SigMouseOffLineo").isEmpty());
        QVERIFY(!buttonPageReady && !lightPageReady && !sensorPageReady);

        QFile dumpFile(DeviceCacheFile::Folder() + dumpName);
        if (written) {
            QVERIFY(dumpFile.open(QIODevice::ReadOnly));
            QCOMPARE(dumpFile.readAll(), QByteArray::fromHex("000028d0") + Bytes(current));
        } else if (dumpName == CacheName()) {
            QFile file(CachePath());
            QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), fileBefore);
        }
        QFile::remove(DeviceCacheFile::Folder() + dumpName);
    }

    void offlineFillShowsTheCachedRecord_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("cache file") << true;
        QTest::newRow("no cache file") << false;
    }
    void offlineFillShowsTheCachedRecord()
    {
        QFETCH(bool, cached);
        DeviceCacheFile::SetSelectionCacheName(CacheName());
        const FlashDataMap record = PatternRecord(55);
        if (cached)
            DeviceCacheFile::WriteFlashCache(CacheName(), record);
        {
            CurrentFlashMapLock lock;
            lock.Map() = PatternRecord(1);
        }
        const QByteArray before = Bytes(CurrentFlashMapLock::Snapshot());
        linkUp = 0;

        UpDataParam dialog;
        bool visibleAtNotice = false;
        m_recorder->duringSlotName = QStringLiteral("SigMouseOffLineo");
        m_recorder->duringSlot = [&] { visibleAtNotice = dialog.isVisible(); };
        const qint64 ms = ExecAsCaller(&dialog);

        QVERIFY2(ms >= 2300 && ms < 3400, qPrintable(QString::number(ms)));
        QStringList expected = {"SigSetver"};
        if (cached)
            expected << "SigUpDataLightUIA" << "SigUpDataSensorUIB" << "SigUpDataButtonUIC" << "SigFormB";
        expected << "SigMouseOffLineo";
        QCOMPARE(m_recorder->Names(), expected);
        QCOMPARE(m_recorder->Named("SigSetver").first().args, QVariantList({4}));
        QCOMPARE(m_recorder->Named("SigMouseOffLineo").first().args, QVariantList({0}));
        for (const HubRecorder::Event& e : m_recorder->Events()) {
            QCOMPARE(e.thread, QThread::currentThread());
            if (e.name.startsWith(QLatin1String("SigUpData")))
                QCOMPARE(e.record, Bytes(record));
        }
        // The notice opens over the dialog, which closes after it.
        QVERIFY(visibleAtNotice);
        QVERIFY(!dialog.isVisible());
        // The cached record is shown, never taken for the device's.
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), before);
    }
};

QTEST_MAIN(TestPleaseWait)
#include "tst_pleasewait.moc"
