// Profiles on the button page, in the program's window on the simulated
// mouse: the export file, its import into a mouse with another set-up, the
// refusal of damaged files, the profile combo and the factory reset.

#include "RecordFixtures.h"
#include "FileSizeLimit.h"
#include "HubRecorder.h"
#include "UiScript.h"
#include "WindowTestSupport.h"

#include "app/LanguageTables.h"
#include "app/Startup.h"
#include "buttons/Buttoninterface.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "device/FlashDataMap.h"
#include "dialogs/ContainReset.h"
#include "dialogs/InportFail.h"
#include "dialogs/KeyedNotice.h"
#include "dialogs/MouseOffLine.h"
#include "lighting/MouseLight.h"
#include "sensor/SensorRate.h"
#include "settings/UpDataParam.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace WindowTest;

namespace {

const QString kMouse = QStringLiteral("drive1");

QByteArray Bytes(const FlashDataMap& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

// The record a profile of the simulated mouse holds, read through the library.
FlashDataMap MouseRecord(int profile = 0)
{
    const QByteArray image = SimulatedDeviceControl::flashImage(kMouse, profile);
    FlashDataMap record{};
    ProtocolDataParser(reinterpret_cast<const unsigned char*>(image.constData()),
                       reinterpret_cast<unsigned char*>(&record));
    return record;
}

void IgnoreReports(const unsigned char*, int, const unsigned char*, int) {}

// Puts a record into the mouse's first profile before the program looks.
void GiveMouse(const FlashDataMap& record)
{
    const QByteArray path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k")).toLatin1();
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), IgnoreReports));
    QVERIFY(ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&record)));
    UsbServer_Exit();
}

// The factory record with another set-up: 500 Hz, four DPI levels, the
// light bar breathing, the right button as a middle click.
FlashDataMap OtherSetUp(const FlashDataMap& factory)
{
    FlashDataMap record = factory;
    record.reportRate = 2;
    record.dpiLevelCount = 4;
    record.currentDpiLevel = 1;
    record.ledBar.effect = 2;
    record.ledBar.on = 1;
    record.ledBar.red = 0x12;
    record.buttons[1] = {1, 4, 0};
    return record;
}

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

// The library calls of the given names, in order, with their mode or index.
QStringList Calls(const QStringList& names)
{
    QStringList calls;
    for (const QJsonObject& call : SimulatedDeviceControl::calls()) {
        const QString fn = call.value("fn").toString();
        if (!names.contains(fn))
            continue;
        if (call.contains("mode"))
            calls.append(fn + " " + QString::number(call.value("mode").toInt()));
        else if (call.contains("index"))
            calls.append(fn + " " + QString::number(call.value("index").toInt()));
        else
            calls.append(fn);
    }
    return calls;
}

void ChooseFile(QFileDialog* dialog, const QString& path)
{
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(field);
    field->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

void ClickOk(QWidget* notice)
{
    QTest::mouseClick(notice->findChild<QToolButton*>(QStringLiteral("NewHong")), Qt::LeftButton);
}

} // namespace

class TestProfiles : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;
    QTemporaryDir m_dir;
    FlashDataMap m_factory{};

    Buttoninterface* Page() { return m_window->findChild<Buttoninterface*>(); }
    QComboBox* Combo() { return Page()->findChild<QComboBox*>(QStringLiteral("ProjectChoose")); }
    QToolButton* PageButton(const char* name) { return Page()->findChild<QToolButton*>(QString::fromLatin1(name)); }

    // What the three pages show of a record: the sensor page's report rate,
    // the lighting page's light effect and the button page's right button.
    QString Shown()
    {
        auto* rate = m_window->findChild<SensorRate*>();
        auto* light = m_window->findChild<MouseLight*>()->findChild<QComboBox*>(QStringLiteral("LightMod"));
        const QList<int> right = Page()->MirrorEntry(1);
        return QStringLiteral("%1 Hz, light %2, right %3/%4")
            .arg(SensorRate::RateOfIndex(rate->currentRateIndex()))
            .arg(light->currentIndex())
            .arg(right.value(0))
            .arg(right.value(1));
    }
    static QString ShownFor(const FlashDataMap& record)
    {
        const int rates[] = {125, 250, 500, 1000, 2000, 4000, 8000};
        const int codes[] = {8, 4, 2, 1, 16, 32, 64};
        int hz = 0;
        for (int i = 0; i < 7; ++i)
            if (codes[i] == record.reportRate)
                hz = rates[i];
        return QStringLiteral("%1 Hz, light %2, right %3/%4")
            .arg(hz)
            .arg(record.ledBar.on ? record.ledBar.effect : 0)
            .arg(record.buttons[1].type)
            .arg(record.buttons[1].code);
    }

    // The window on the button page, the mouse read, and the start-up
    // exchanges over: nothing but the online poll talks to the mouse.
    void OpenButtonPage()
    {
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        HubRecorder recorder;
        QTest::mouseClick(Tiles(m_window->findChild<DialogChange*>()).value(0), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QTest::mouseClick(m_window->findChild<Dialog*>()->findChild<QToolButton*>("ButtonMain"), Qt::LeftButton);
        QVERIFY(Page()->isVisible());
        QElapsedTimer clock;
        clock.start();
        int quietSince = 0;
        int calls = -1;
        while (clock.elapsed() < 10000) {
            QTest::qWait(100);
            QStringList names = CallNames();
            names.removeAll(QStringLiteral("UsbFinderC_GetDeviceOnLine"));
            if (names.size() != calls) {
                calls = names.size();
                quietSince = int(clock.elapsed());
            } else if (clock.elapsed() - quietSince >= 800) {
                break;
            }
        }
        QVERIFY(!QApplication::activeModalWidget());
        SimulatedDeviceControl::clearCalls();
    }

    QString WriteFile(const QString& name, const QByteArray& content) { return WriteFixtureFile(m_dir, name, content); }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        StopUsbChanged();
        QFile file(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(file.readAll()));
        m_factory = MouseRecord();
    }

    void cleanup()
    {
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        SimulatedDeviceControl::setOnline(kMouse, true);
        QTest::qWait(50);
    }

    void exportWritesTheRecordThePageHolds_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("mouse online") << true;
        QTest::newRow("mouse offline") << false;
    }

    // The file is the format's bytes exactly, whether the mouse answers or
    // not; the next file dialog starts in the folder chosen.
    void exportWritesTheRecordThePageHolds()
    {
        QFETCH(bool, online);
        const FlashDataMap record = OtherSetUp(m_factory);
        GiveMouse(record);
        OpenButtonPage();
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(record));
        SimulatedDeviceControl::setOnline(kMouse, online);

        QDir(m_dir.path()).mkpath(QStringLiteral("kept"));
        const QString path = m_dir.filePath(QStringLiteral("kept/set-up"));
        QFile::remove(path + ".bin");
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) {
                QCOMPARE(d->windowTitle(), QString("FileSave"));
                QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
                ChooseFile(d, path);
            });
            QTest::mouseClick(PageButton("OutputData"), Qt::LeftButton);
            QVERIFY(script.Done());
            QCOMPARE(script.Seen(), QStringList({"QFileDialog"}));
        }
        // A name without its suffix gets ".bin", as the filter offers.
        QCOMPARE(ReadFile(path + ".bin"), ProfileFixture("3950", Bytes(record)));
        QCOMPARE(ReadFile(path + ".bin").size(), 10484);

        // Cancelled, the import's dialog has started where the export ended.
        SimulatedDeviceControl::setOnline(kMouse, true);
        QString startedIn;
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) {
                startedIn = d->directory().absolutePath();
                d->reject();
            });
            QTest::mouseClick(PageButton("ImportData"), Qt::LeftButton);
            QVERIFY(script.Done());
            QCOMPARE(script.Seen(), QStringList({"QFileDialog"}));
        }
        QCOMPARE(startedIn, QDir(m_dir.filePath(QStringLiteral("kept"))).absolutePath());
        QVERIFY(Calls({"ProtocolDataUpdate", "UsbServer_SetCurrentConfig"}).isEmpty());
    }

    // A disk that refuses the file: the notice says so and the earlier
    // file is whole.
    void failedExportKeepsTheEarlierFile()
    {
        OpenButtonPage();
        const QByteArray earlier(20000, 'e');
        const QString path = WriteFile(QStringLiteral("earlier.bin"), earlier);
        QString notice;
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, path); })
                .Dialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); })
                .Dialog<KeyedNotice>([&](KeyedNotice* n) {
                    notice = n->findChild<QLabel*>(QStringLiteral("label"))->text();
                    ClickOk(n);
                });
            FileSizeLimit full(4096);
            QTest::mouseClick(PageButton("OutputData"), Qt::LeftButton);
            QVERIFY(script.Done());
        }
        QCOMPARE(notice, Text("key", "DialogExportFail"));
        QCOMPARE(ReadFile(path), earlier);
        QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList({"earlier.bin"}));
        QFile::remove(path);
    }

    // Importing into a mouse with another set-up makes the mouse's record
    // the file's and fills all three pages from it.
    void importAppliesTheFileToTheMouseAndThePages()
    {
        const FlashDataMap exported = OtherSetUp(m_factory);
        const QString path = WriteFile(QStringLiteral("other.bin"), ProfileFixture("3950", Bytes(exported)));
        OpenButtonPage();
        QCOMPARE(Shown(), ShownFor(m_factory));
        QVERIFY(Shown() != ShownFor(exported));

        HubRecorder recorder;
        QString place;
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) {
                QCOMPARE(d->windowTitle(), QString("SelectFile"));
                QCOMPARE(noWaitDialog.load(), 1);
                ChooseFile(d, path);
            })
                .Dialog<UpDataParam>([&](UpDataParam* d) {
                    const QPoint origin = Page()->mapToGlobal(QPoint(0, 0));
                    QCOMPARE(d->pos(), origin + QPoint((Page()->width() - 300) / 2 - 75, (Page()->height() - 140) / 2 - 65));
                });
            QTest::mouseClick(PageButton("ImportData"), Qt::LeftButton);
            QVERIFY(script.Done());
            QCOMPARE(script.Seen(), QStringList({"QFileDialog", "UpDataParam"}));
        }
        QCOMPARE(noWaitDialog.load(), 0);
        QCOMPARE(Bytes(MouseRecord()), Bytes(exported));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(exported));
        QCOMPARE(Shown(), ShownFor(exported));
        for (const char* name : {"SigUpDataLightUIA", "SigUpDataSensorUIB", "SigUpDataButtonUIC"}) {
            QCOMPARE(recorder.Named(name).size(), 1);
            QCOMPARE(recorder.Named(name).first().record, Bytes(exported));
        }
    }

    void damagedFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        // Right but for its fault: the record's content is not looked at.
        const QByteArray good = ProfileFixture("3950", Bytes(OtherSetUp(FlashDataMap{})));
        QTest::newRow("truncated") << good.left(6000) << "DialogConfigError";
        QByteArray tag = good;
        tag.replace(4, 5, "Tesma");
        QTest::newRow("wrong tag") << tag << "DialogConfigError";
        QTest::newRow("other sensor") << ProfileFixture("3395", good.mid(36)) << "DialogEConfigMismatch";
        QByteArray levels = good;
        levels[36 + 1] = 9; // one more DPI level than the model has
        QTest::newRow("too many DPI levels") << levels << "DialogEConfigMismatch";
        QTest::newRow("empty") << QByteArray() << "DialogConfigError";
        QTest::newRow("not a data stream") << QByteArray("[Profile]\nReportRate=500\nDPI=800,1600,3200\n")
                                           << "DialogConfigError";
    }

    void damagedFilesChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        const QString path = WriteFile(QStringLiteral("damaged.bin"), content);
        OpenButtonPage();
        const QByteArray mouseBefore = Bytes(MouseRecord());
        const QByteArray heldBefore = Bytes(CurrentFlashMapLock::Snapshot());
        const QString shownBefore = Shown();
        HubRecorder recorder;
        QString notice;
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, path); })
                .Dialog<UpDataParam>([](UpDataParam*) {})
                .Dialog<InportFail>([&](InportFail* n) {
                    notice = n->findChild<QLabel*>(QStringLiteral("label"))->text();
                    ClickOk(n);
                });
            QTest::mouseClick(PageButton("ImportData"), Qt::LeftButton);
            QVERIFY(script.Done());
        }
        QCOMPARE(notice, Text("key", qPrintable(key)));
        QCOMPARE(Bytes(MouseRecord()), mouseBefore);
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), heldBefore);
        QCOMPARE(Shown(), shownBefore);
        QVERIFY(Calls({"ProtocolDataUpdate"}).isEmpty());
        QVERIFY(recorder.Named("SigUpDataButtonUIC").isEmpty());
    }

    // The mouse stops answering while the please-wait dialog stands: it
    // keeps its record, so the page keeps it too and the user is told.
    void importIntoAMouseThatStoppedAnsweringKeepsItsRecord()
    {
        const FlashDataMap exported = OtherSetUp(m_factory);
        const QString path = WriteFile(QStringLiteral("other.bin"), ProfileFixture("3950", Bytes(exported)));
        OpenButtonPage();
        QCOMPARE(Shown(), ShownFor(m_factory));

        HubRecorder recorder;
        {
            UiScript script;
            script.Dialog<QFileDialog>([&](QFileDialog* d) { ChooseFile(d, path); })
                .Dialog<UpDataParam>([](UpDataParam*) { SimulatedDeviceControl::setOnline(kMouse, false); })
                .Dialog<MouseOffLine>([](MouseOffLine* d) { d->close(); });
            QTest::mouseClick(PageButton("ImportData"), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(script.Done(), 10000);
            QCOMPARE(script.Seen(), QStringList({"QFileDialog", "UpDataParam", "MouseOffLine"}));
        }
        QCOMPARE(Calls({"ProtocolDataUpdate"}), QStringList({"ProtocolDataUpdate"}));
        QCOMPARE(Bytes(MouseRecord()), Bytes(m_factory));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(m_factory));
        QCOMPARE(Shown(), ShownFor(m_factory));
        QCOMPARE(recorder.Named("SigMouseOffLineo").size(), 1);
        QVERIFY(recorder.Named("SigUpDataButtonUIC").isEmpty());
        QCOMPARE(noWaitDialog.load(), 0);
    }

    void importNeedsTheMouse()
    {
        OpenButtonPage();
        SimulatedDeviceControl::setOnline(kMouse, false);
        UiScript script;
        script.Dialog<MouseOffLine>([](MouseOffLine* d) { d->close(); });
        QTest::mouseClick(PageButton("ImportData"), Qt::LeftButton);
        QVERIFY(script.Done());
        QCOMPARE(script.Seen(), QStringList({"MouseOffLine"}));
        QCOMPARE(noWaitDialog.load(), 0);
    }

    // The mouse switches to the chosen profile, and the pages follow its
    // configuration report and the profile's record.
    void profileComboSwitchesTheMouse()
    {
        GiveMouse(OtherSetUp(m_factory));
        OpenButtonPage();
        QCOMPARE(Combo()->count(), 4);
        QCOMPARE(Combo()->currentIndex(), 0);
        QCOMPARE(Shown(), ShownFor(OtherSetUp(m_factory)));

        ModalUser user;
        Combo()->setCurrentIndex(2);
        emit Combo()->activated(2);
        QCOMPARE(Calls({"UsbServer_SetCurrentConfig"}), QStringList({"UsbServer_SetCurrentConfig 2"}));
        QTRY_COMPARE_WITH_TIMEOUT(Shown(), ShownFor(MouseRecord(2)), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QCOMPARE(Combo()->currentIndex(), 2);
        QCOMPARE(Combo()->currentText(), Combo()->itemText(2));
        QVERIFY(!user.seen.contains("MouseOffLine"));
    }

    // Offline, the combo shows the profile it showed before and nothing is sent.
    void profileComboOfflinePutsTheProfileBack()
    {
        OpenButtonPage();
        SimulatedDeviceControl::setOnline(kMouse, false);
        UiScript script;
        script.Dialog<MouseOffLine>([](MouseOffLine* d) { d->close(); });
        Combo()->setCurrentIndex(3);
        emit Combo()->activated(3);
        QVERIFY(script.Done());
        QCOMPARE(Combo()->currentIndex(), 0);
        QVERIFY(Calls({"UsbServer_SetCurrentConfig"}).isEmpty());
    }

    // The mouse answers the online check, then stops answering before the
    // switch reaches it: it stays on its profile, and so do the combo and
    // the pages; the user is told.
    void profileSwitchToAMouseThatStoppedAnsweringKeepsTheProfile()
    {
        GiveMouse(OtherSetUp(m_factory));
        OpenButtonPage();
        QCOMPARE(Combo()->currentIndex(), 0);
        const QString before = Combo()->currentText();

        HubRecorder recorder;
        QTest::mouseClick(Combo(), Qt::LeftButton);
        QAbstractItemView* list = Combo()->view();
        QTRY_VERIFY(list->isVisible());
        UiScript script;
        script.Dialog<MouseOffLine>([](MouseOffLine* d) { d->close(); });
        // The third profile, chosen with the keys on the open list.
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex().row(), 2);
        SimulatedDeviceControl::dropAfterOnlineAnswers(kMouse, 1);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(script.Done());
        QCOMPARE(script.Seen(), QStringList({"MouseOffLine"}));

        QCOMPARE(Calls({"UsbServer_SetCurrentConfig"}), QStringList({"UsbServer_SetCurrentConfig 2"}));
        QCOMPARE(Combo()->currentIndex(), 0);
        QCOMPARE(Combo()->currentText(), before);
        QVERIFY(recorder.Named("SigAddConfig").isEmpty());
        QCOMPARE(recorder.Named("SigMouseOffLineo").size(), 1);
        QCOMPARE(Shown(), ShownFor(OtherSetUp(m_factory)));
    }

    // The mouse answers the online check, then stops answering before the
    // reset reaches it: it keeps its settings, and the pages keep showing
    // them instead of an older cache; the user is told at once.
    void factoryResetOfAMouseThatStoppedAnsweringKeepsItsSettings()
    {
        const FlashDataMap changed = OtherSetUp(m_factory);
        GiveMouse(changed);
        OpenButtonPage();
        QCOMPARE(Shown(), ShownFor(changed));
        DeviceCacheFile::WriteFlashCache(DeviceCacheFile::SelectionCacheName(), m_factory);

        HubRecorder recorder;
        UiScript script;
        // The mouse goes out of reach while the user reads the question.
        script.Dialog<ContainReset>([](ContainReset* d) {
            SimulatedDeviceControl::setOnline(kMouse, false);
            ClickButton(d, "OK");
        })
            .Dialog<MouseOffLine>([](MouseOffLine* d) { d->close(); });
        QMetaObject::invokeMethod(Page(), "on_Reset_clicked");
        QTRY_VERIFY(script.Done());
        QCOMPARE(script.Seen(), QStringList({"ContainReset", "MouseOffLine"}));

        QCOMPARE(Bytes(MouseRecord()), Bytes(changed));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(changed));
        QTest::qWait(1500);
        QCOMPARE(Shown(), ShownFor(changed));
        QCOMPARE(recorder.Named("SigMouseOffLineo").size(), 1);
        QCOMPARE(noWaitDialog.load(), 0);
    }

    // The reset in the order the mouse needs, and the pages end on the
    // mouse's defaults.
    void factoryResetRestoresTheDefaults()
    {
        const FlashDataMap changed = OtherSetUp(m_factory);
        GiveMouse(changed);
        OpenButtonPage();
        QCOMPARE(Shown(), ShownFor(changed));

        ModalUser user;
        user.AnswerNext("ContainReset", [](QWidget* d) { ClickButton(d, "OK"); });
        QMetaObject::invokeMethod(Page(), "on_Reset_clicked");
        QCOMPARE(user.seen.mid(0, 2), QStringList({"ContainReset", "UpDataParam"}));
        QVERIFY(!user.seen.contains("MouseOffLine"));
        QCOMPARE(Calls({"UsbFinderC_GetDeviceOnLine", "UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate",
                        "UsbServer_SetClearSetting", "UsbServer_ReadAllFlashData"})
                     .mid(0, 4),
                 QStringList({"UsbFinderC_GetDeviceOnLine", "UsbServer_SetBatteryOptimizeEnable 0",
                              "ProtocolDataUpdate", "UsbServer_SetClearSetting"}));
        QCOMPARE(Calls({"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate", "UsbServer_SetClearSetting",
                        "UsbServer_ReadAllFlashData"}),
                 QStringList({"UsbServer_SetBatteryOptimizeEnable 0", "ProtocolDataUpdate", "UsbServer_SetClearSetting",
                              "UsbServer_SetBatteryOptimizeEnable 1", "UsbServer_ReadAllFlashData",
                              "ProtocolDataUpdate"}));
        // The record the reset sent first is the one the page held.
        const QJsonObject sent = SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).first();
        QCOMPARE(QByteArray::fromHex(sent.value("record").toString().toLatin1()), Bytes(changed));
        QCOMPARE(Shown(), ShownFor(m_factory));
        QCOMPARE(Bytes(MouseRecord()), Bytes(m_factory));
        QCOMPARE(noWaitDialog.load(), 0);
    }

    void factoryResetNotConfirmedSendsNothing()
    {
        OpenButtonPage();
        ModalUser user;
        user.AnswerNext("ContainReset", [](QWidget* d) { ClickButton(d, "Cancel"); });
        QMetaObject::invokeMethod(Page(), "on_Reset_clicked");
        QCOMPARE(user.seen, QStringList({"ContainReset"}));
        QVERIFY(Calls({"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate", "UsbServer_SetClearSetting"}).isEmpty());
        QCOMPARE(noWaitDialog.load(), 0);
    }
};

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
