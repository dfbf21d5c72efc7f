// The please-wait dialog stays on screen while its job goes on: neither
// Escape nor the window system's close request (Alt+F4) puts it away before
// it closes itself. Only an import that has not begun may be called off.

#include "PleaseWaitSupport.h"

#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/Startup.h"
#include "buttons/ProfileExportFile.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>

using namespace PleaseWait;

class TestPleaseWaitStays : public QObject {
    Q_OBJECT
private:
    HubRecorder* m_recorder = nullptr;
    QTemporaryDir m_dir;

    QStringList JobSignals() { return PleaseWait::JobSignals(*m_recorder); }

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
        DeviceCacheFile::SetDumpCacheName(CacheName());
        QFile::remove(CachePath());
        {
            CurrentFlashMapLock lock;
            lock.Map() = PatternRecord(1);
        }
        m_recorder->Clear();
        m_recorder->duringSlot = nullptr;
        SetReady(false, false, false);
    }

    void cleanup() { UsbServer_Exit(); }

    void theDialogStaysUntilItsJobIsDone_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("when"); // "before its timer" or "during its job"
        QTest::addColumn<QString>("how");  // "Escape" or "close request"
        QTest::addColumn<bool>("stays");
        for (const char* mode : {"device wait", "reset wait", "profile apply", "offline fill"}) {
            for (const char* when : {"before its timer", "during its job"}) {
                if (QLatin1String(mode) == QLatin1String("offline fill") && QLatin1String(when) != QLatin1String("before its timer"))
                    continue; // its job does not wait: it ends in the notice
                const bool stays = !(QLatin1String(mode) == QLatin1String("profile apply")
                                     && QLatin1String(when) == QLatin1String("before its timer"));
                QTest::addRow("%s, Escape %s", mode, when) << mode << when << "Escape" << stays;
            }
        }
        // The window system's close request goes the same way.
        QTest::newRow("reset wait, close request before its timer")
            << "reset wait" << "before its timer" << "close request" << true;
        QTest::newRow("profile apply, close request during its job")
            << "profile apply" << "during its job" << "close request" << true;
        QTest::newRow("profile apply, close request before its timer")
            << "profile apply" << "before its timer" << "close request" << false;
    }

    void theDialogStaysUntilItsJobIsDone()
    {
        QFETCH(QString, mode);
        QFETCH(QString, when);
        QFETCH(QString, how);
        QFETCH(bool, stays);
        const FlashDataMap profile = PatternRecord(42, 3);
        const FlashDataMap cached = PatternRecord(55);
        linkUp = mode == QLatin1String("offline fill") ? 0 : 1;
        lastOnline = linkUp.load();
        if (mode == QLatin1String("offline fill"))
            DeviceCacheFile::WriteFlashCache(CacheName(), cached);

        // A stack dialog as the callers build it, gone when its run ends.
        auto dialog = std::make_unique<UpDataParam>();
        if (mode == QLatin1String("reset wait"))
            dialog->resetWaitMode = true;
        if (mode == QLatin1String("profile apply")) {
            dialog->importMode = true;
            dialog->profilePath = m_dir.filePath(QStringLiteral("profile.bin"));
            const QString sensor = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(0), QStringLiteral("Sensor"));
            QVERIFY(ProfileExportFile::Write(dialog->profilePath, sensor, profile));
        }
        UpDataParam* shown = dialog.get();
        QList<bool> shownAfter;
        auto dismiss = [&] {
            if (how == QLatin1String("Escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->windowHandle()->close();
            shownAfter.append(shown->isVisible());
        };
        // Tried as soon as the dialog is up, before its timer fires.
        QTimer user;
        connect(&user, &QTimer::timeout, shown, [&] {
            if (QApplication::activeModalWidget() == shown) {
                user.stop();
                if (when == QLatin1String("before its timer"))
                    dismiss();
            }
        });
        user.start(10);
        // Or at the first turn of events inside the job's wait; by then the
        // pages have filled.
        m_recorder->duringSlotName = QStringLiteral("SigSetver");
        m_recorder->duringSlot = [&] {
            QTimer::singleShot(0, shown, [&] {
                if (when == QLatin1String("during its job"))
                    dismiss();
                SetReady(true, true, true);
            });
        };
        const qint64 ms = ExecAsCaller(shown);
        dialog.reset();
        user.stop();

        QCOMPARE(shownAfter, QList<bool>({stays}));
        const QList<QJsonObject> sent = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"));
        if (!stays) {
            // The import was called off before it began: nothing reached the mouse.
            QVERIFY(sent.isEmpty());
            QVERIFY(m_recorder->Names().isEmpty());
            return;
        }
        // The job ran to its end with the dialog in view (its 2.5 s timer is
        // a coarse one, which may fire up to 5 % early).
        QVERIFY2(ms >= 2350, qPrintable(QString::number(ms)));
        if (mode == QLatin1String("device wait")) {
            QVERIFY(JobSignals().isEmpty());
            QVERIFY(!buttonPageReady && !lightPageReady && !sensorPageReady); // taken by the wait
            QCOMPARE(CacheFileRecord(), Bytes(PatternRecord(1)));
        } else if (mode == QLatin1String("reset wait")) {
            QVERIFY(JobSignals().isEmpty());
            QVERIFY2(ms >= 4300, qPrintable(QString::number(ms))); // and the pause after it
        } else if (mode == QLatin1String("profile apply")) {
            QCOMPARE(sent.size(), 1);
            QCOMPARE(QByteArray::fromHex(sent.first().value("record").toString().toLatin1()), Bytes(profile));
            QCOMPARE(JobSignals(), QStringList({"SigUpDataLightUIA", "SigUpDataSensorUIB", "SigUpDataButtonUIC", "SigFormB"}));
            QVERIFY2(ms >= 4800, qPrintable(QString::number(ms)));
        } else {
            QCOMPARE(JobSignals(), QStringList({"SigUpDataLightUIA", "SigUpDataSensorUIB", "SigUpDataButtonUIC",
                                                "SigFormB", "SigMouseOffLineo"}));
        }
    }
};

QTEST_MAIN(TestPleaseWaitStays)
#include "tst_pleasewaitstays.moc"
