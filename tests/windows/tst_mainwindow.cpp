// The program's window end to end on the simulated devices: the chooser,
// a tile click that opens and reads the mouse, the way back, closing,
// hot-plug, the offline notice, the tray, the keys and the language index
// left in the registry.

#include "HubRecorder.h"
#include "NoticeTestSupport.h"
#include "WindowTestSupport.h"

#include "app/AppPaths.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "app/ConfigSettings.h"
#include "app/UserFolderProblem.h"
#include "app/UserSettings.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "platform/RegistryStore.h"
#include "settings/FirmwareState.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"
#include "windows/PreVier.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QToolTip>
#include <QWindow>
#include <QtTest>

#include <memory>

using namespace WindowTest;

namespace {

const QString kCacheName = QStringLiteral("Device_CID07_MID01.bin");

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

QString CachePath()
{
    return DeviceCacheFile::Folder() + kCacheName;
}

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

qint64 TimeOf(const QString& name, int nth = 0)
{
    const QList<QJsonObject> calls = SimulatedDeviceControl::calls(name);
    return nth < calls.size() ? calls.at(nth).value("t").toVariant().toLongLong() : -1;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;
    // What the firmware update dialog showed when the user closed it.
    QString status;
    int progress = -1;
    QPoint updatePlace;
    QString cancelText;

    QWidget* Current() { return m_window->findChild<QStackedWidget*>("stackedWidgetMain")->currentWidget(); }
    DialogChange* Chooser() { return m_window->findChild<DialogChange*>(); }
    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    // The container's own widget of that name, not one inside a page.
    template <typename T>
    T* OnPages(const char* name)
    {
        auto* stack = Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog"));
        const QList<T*> found = Pages()->findChildren<T*>(QString::fromLatin1(name));
        for (T* child : found)
            if (!stack || !stack->isAncestorOf(child))
                return child;
        return found.isEmpty() ? nullptr : found.first();
    }

    void LoadDefaultScenario()
    {
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QCoreApplication::applicationDirPath()
                                                          + "/Simulation/DefaultScenario.json", &error),
                 qPrintable(error));
    }

    void Open()
    {
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // As the program opens: the chooser on the screen before the pages exist.
    void OpenBeforeThePages()
    {
        m_window.reset(new DialogMain(nullptr, PageTiming::AfterFirstFrame));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(!Pages()->PagesComplete());
    }

    QComboBox* LanguageBox() { return Chooser()->findChild<QComboBox*>("comboBox"); }

    // Picks a language as the user does: the box's list opened with the
    // mouse, the entry taken with the keys (the list ignores a release that
    // follows its opening too closely). No event loop runs in between.
    void PickLanguage(int row)
    {
        QComboBox* box = LanguageBox();
        QTest::mouseClick(box, Qt::LeftButton);
        QAbstractItemView* list = box->view();
        QVERIFY(list->isVisible());
        while (list->currentIndex().row() != row) {
            const int before = list->currentIndex().row();
            QTest::keyClick(list, before < row ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(list->currentIndex().row() != before);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
    }

    // Lets every call already queued run.
    void RunQueuedCalls()
    {
        bool reached = false;
        QMetaObject::invokeMethod(this, [&reached] { reached = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(reached);
    }

    // Clicks the one tile and waits until the mouse is read and the
    // please-wait dialog is gone.
    void OpenPages()
    {
        QCOMPARE(Tiles(Chooser()).size(), 1);
        // The pages set their ready flags while they fill, and the
        // please-wait dialog takes them again before it closes: what stays
        // visible is that the three records reached the pages and that the
        // dialog closed without the offline notice.
        HubRecorder recorder;
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QCOMPARE(Current(), static_cast<QWidget*>(Pages()));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        for (const char* name : {"SigUpDataLightUIButton", "SigUpDataLightLight", "SigUpDataLightSensor"})
            QCOMPARE(recorder.Named(name).size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QVERIFY(recorder.Named("SigMouseOffLineo").isEmpty());
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init()
    {
        LoadDefaultScenario();
        QFile::remove(CachePath());
        macroRecording = false;
        status.clear();
        progress = -1;
    }

    void cleanup()
    {
        DialogMain::systemTrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
    }

    void opensOnTheChooserWithOneTile()
    {
        Open();
        QCOMPARE(m_window->windowTitle(), QString("Nevrix Kazmo"));
        QCOMPARE(m_window->size(), QSize(1020, 700));
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        const QList<QToolButton*> tiles = Tiles(Chooser());
        QCOMPARE(tiles.size(), 1);
        QCOMPARE(Picture(tiles.first()), QString("OnLine0.png"));
        QCOMPARE(Chooser()->findChild<QLabel*>("label_3")->text(), Text("home", "ClickIn"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(m_window.get()))
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }

    void aTileClickOpensTheDevicePagesAndReadsTheMouse()
    {
        Open();
        SimulatedDeviceControl::clearCalls();
        ModalUser user;
        OpenPages();

        QCOMPARE(ServerStarts(), QStringList{SimulatedDeviceControl::pathOf("receiver4k")});
        QCOMPARE(CallsWithMode({"UsbServerC_Start", "UsbServer_SetPCDriverStatus", "UsbServer_ReadAllFlashData"}),
                 QStringList({"UsbServerC_Start", "UsbServer_SetPCDriverStatus 1", "UsbServer_ReadAllFlashData"}));
        QVERIFY(user.seen.contains("UpDataParam"));
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()).left(6912).isEmpty(), false);
        // Battery and connection as the mouse reports them.
        QTRY_COMPARE(OnPages<QLabel>("label_2")->text(), QString("85%"));
        QCOMPARE(Picture(OnPages<QLabel>("label_4")), QString("OnLineWifi.png"));
        QCOMPARE(OnPages<QStackedWidget>("stackedWidgetDialog")->currentIndex(), 0);
        QCOMPARE(devicePageShown.load(), 1);
    }

    // The default mouse: 1000 Hz, level 2 of five current (800 DPI), lift-off
    // code 1, debounce index 8, firmware 0x0103 on a receiver of 0x0106.
    void theOverviewShowsTheMouseValuesAfterTheWait()
    {
        Open();
        ModalUser user;
        OpenPages();
        auto value = [this](const char* name) {
            return Pages()->findChild<PreVier*>()->findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(OnPages<QStackedWidget>("stackedWidgetDialog")->currentIndex(), 0);
        QCOMPARE(value("DpiValue"), QString("800"));
        QCOMPARE(value("ReportValue"), QString("1000Hz"));
        QCOMPARE(value("LodValue"), QString("1mm"));
        QCOMPARE(value("DebunceValue"), QString("8ms"));
        QTRY_COMPARE_WITH_TIMEOUT(value("MouseValue"), QString("v1.03"), 5000);
        QCOMPARE(value("DongleValue"), QString("v1.06"));
        // The default devices carry the shipped images' versions: no update is offered.
        QVERIFY(!user.seen.contains("UpDateRepair"));
        QVERIFY(!repairDialog || repairDialog->isHidden());
    }

    // Devices older than the shipped images: the version report opens the
    // update over the device pages; with only the receiver plugged in it says
    // that the mouse must be on its cable.
    void anOlderDeviceIsOfferedTheUpdate()
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            Scenario().Receiver("r4k", 1, "010101", 0x0105).Mouse("m1", 1, "r4k").Json()));
        Open();
        ModalUser user;
        QString reason;
        QPoint place;
        user.AnswerNext("UpDateRepair", [&](QWidget* dialog) {
            reason = dialog->findChild<QLabel*>("ToolText_2")->text();
            place = dialog->pos();
            ClickButton(dialog, "NewHong");
        });
        OpenPages();
        QVERIFY(user.seen.contains("UpDateRepair"));
        QCOMPARE(reason, Text("home", "NoUSB"));
        QVERIFY(repairDialog->isHidden());
        auto* overview = Pages()->findChild<PreVier*>();
        QCOMPARE(overview->findChild<QLabel*>("DongleValue")->text(), QString("v1.05"));
        // The settings page that reported it: centred, then 75 px left and 65 px up.
        FormSetting* settings = Pages()->findChild<FormSetting*>();
        QVERIFY(settings);
        const QPoint origin = settings->mapToGlobal(QPoint(0, 0));
        QCOMPARE(place, origin + QPoint((settings->width() - 460) / 2 - 75, (settings->height() - 289) / 2 - 65));
    }

    void backReturnsToTheChooser()
    {
        Open();
        OpenPages();
        QTest::mouseClick(OnPages<QToolButton>("SensorButton"), Qt::LeftButton);
        QFile::remove(CachePath());
        SimulatedDeviceControl::clearCalls();

        QTest::mouseClick(OnPages<QToolButton>("UpArrow"), Qt::LeftButton);

        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        QCOMPARE(Tiles(Chooser()).size(), 1);
        QVERIFY(Tiles(Chooser()).first()->isVisible());
        QCOMPARE(devicePageShown.load(), 0);
        QVERIFY(OnPages<QToolButton>("PreButton")->isChecked());
        QCOMPARE(OnPages<QStackedWidget>("stackedWidgetDialog")->currentIndex(), 0);
        // The cache is written before the server stops, the tool says it goes first.
        QVERIFY(QFile::exists(CachePath()));
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus", "UsbServer_Exit", "StartUsbChanged"}),
                 QStringList({"UsbServer_SetPCDriverStatus 0", "UsbServer_Exit", "UsbServer_Exit", "StartUsbChanged"}));
        QVERIFY(TimeOf("UsbServer_Exit") - TimeOf("UsbServer_SetPCDriverStatus") >= 95);
    }

    void closeWritesTheCacheAndShutsTheLinkInOrder()
    {
        Open();
        OpenPages();
        QFile::remove(CachePath());
        const QByteArray record = Bytes(CurrentFlashMapLock::Snapshot());
        SimulatedDeviceControl::clearCalls();

        QTest::mouseClick(OnPages<QToolButton>("CloseButton"), Qt::LeftButton);

        QVERIFY(!m_window->isVisible());
        FlashDataMap cached{};
        QVERIFY(DeviceCacheFile::ReadFlashCache(kCacheName, &cached));
        QCOMPARE(Bytes(cached), record);
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus", "StopUsbChanged", "UsbServer_Exit", "UsbServerC_Start"}),
                 QStringList({"UsbServer_SetPCDriverStatus 0", "StopUsbChanged", "UsbServer_Exit"}));
        QVERIFY(TimeOf("UsbServer_Exit") - TimeOf("StopUsbChanged") >= 195);
    }

    void closingTheChooserWritesNoCache()
    {
        Open();
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Chooser()->findChild<QToolButton*>("CloseButton"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(!QFile::exists(CachePath()));
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus", "StopUsbChanged", "UsbServer_Exit"}),
                 QStringList({"StopUsbChanged", "UsbServer_Exit"}));
    }

    void unpluggingTheReceiverReturnsToTheChooser()
    {
        Open();
        OpenPages();
        SimulatedDeviceControl::plug("receiver4k", false);
        QTRY_COMPARE_WITH_TIMEOUT(Current(), static_cast<QWidget*>(Chooser()), 5000);
        QVERIFY(Tiles(Chooser()).isEmpty());
        auto* hint = Chooser()->findChild<QLabel*>("label_2");
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), Text("home", "PleaseEnter"));
        QCOMPARE(devicePageShown.load(), 0);

        // Plugged in again, it is back on the chooser.
        SimulatedDeviceControl::plug("receiver4k", true);
        QTRY_COMPARE_WITH_TIMEOUT(Tiles(Chooser()).size(), 1, 5000);
    }

    void theOfflineNoticeClosesWhenTheMouseAnswers()
    {
        Open();
        OpenPages();
        SimulatedDeviceControl::setOnline("drive1", false);
        ModalUser user;
        QString text;
        QPoint place;
        QSize size;
        bool openWhileSilent = false;
        QElapsedTimer answered;
        QString connectionWhileSilent;
        QString batteryWhileSilent;
        user.AnswerNext("MouseOffLine", [&](QWidget* notice) {
            connectionWhileSilent = Picture(OnPages<QLabel>("label_4"));
            batteryWhileSilent = OnPages<QLabel>("label_2")->text();
            text = notice->findChild<QLabel*>("label")->text();
            place = notice->pos();
            size = notice->size();
            // The poll finds nothing while the mouse stays silent; then it answers.
            QTimer::singleShot(1500, [&, notice]() {
                openWhileSilent = QApplication::activeModalWidget() == notice;
                SimulatedDeviceControl::clearCalls();
                answered.start();
                SimulatedDeviceControl::setOnline("drive1", true);
            });
        });
        // A setting writer that finds the mouse silent raises this on the GUI thread.
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
        const qint64 closedAfter = answered.isValid() ? answered.elapsed() : -1;

        QCOMPARE(text, Text("infoTips", "DialogOffline"));
        const QPoint origin = m_window->mapToGlobal(QPoint(0, 0));
        QCOMPARE(place, origin + QPoint((1020 - size.width()) / 2, (700 - size.height()) / 2 - 20));
        QVERIFY(openWhileSilent);
        QVERIFY2(closedAfter >= 0 && closedAfter <= 1300 + 250, qPrintable(QString::number(closedAfter)));
        // The link is opened again and read.
        QTRY_VERIFY_WITH_TIMEOUT(!ServerStarts().isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(user.seen.contains("UpDataParam"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        // The top bar said so while the mouse was silent, and shows the
        // mouse's own state again once it is read.
        QCOMPARE(connectionWhileSilent, QString("DisOnline.png"));
        QCOMPARE(batteryWhileSilent, QString::fromUtf8("\u2014"));
        QTRY_COMPARE_WITH_TIMEOUT(OnPages<QLabel>("label_2")->text(), QString("85%"), 5000);
        QCOMPARE(Picture(OnPages<QLabel>("label_4")), QString("OnLineWifi.png"));
    }

    // A mouse opened while it does not answer: the top bar says it is
    // offline and claims no battery, the overview claims no profile or mouse
    // firmware (the receiver answers for itself), also after an earlier visit
    // while it answered. Once it answers, its own values replace them.
    void anOfflineMouseIsShownOfflineUntilItAnswers_data()
    {
        QTest::addColumn<bool>("visitedOnline");
        QTest::newRow("first opening") << false;
        QTest::newRow("after a visit while it answered") << true;
    }

    void anOfflineMouseIsShownOfflineUntilItAnswers()
    {
        QFETCH(bool, visitedOnline);
        Open();
        auto overview = [this](const char* name) {
            return Pages()->findChild<PreVier*>()->findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        if (visitedOnline) {
            OpenPages();
            QTRY_COMPARE(OnPages<QLabel>("label_2")->text(), QString("85%"));
            QTRY_COMPARE(overview("ConfigValue"), QString("Profile 1"));
            QTest::mouseClick(OnPages<QToolButton>("UpArrow"), Qt::LeftButton);
            QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        }
        SimulatedDeviceControl::setOnline("drive1", false);
        ModalUser user;
        // Filling the pages from the saved copy may tell that the mouse is
        // offline; the user closes that notice.
        user.AnswerNext("MouseOffLine", [](QWidget* notice) { ClickButton(notice, "CloseButton"); });
        HubRecorder recorder;
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QCOMPARE(Current(), static_cast<QWidget*>(Pages()));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains(visitedOnline ? "SigForm" : "SigFormReset"), 5000);

        auto* connection = OnPages<QLabel>("label_4");
        QCOMPARE(Picture(connection), QString("DisOnline.png"));
        QCOMPARE(connection->toolTip(), Text("infoTips", "DialogOffline"));
        QCOMPARE(OnPages<QLabel>("label_2")->text(), QString::fromUtf8("\u2014"));
        QCOMPARE(OnPages<QProgressBar>("progressBar")->value(), 0);
        QVERIFY(!OnPages<QLabel>("label")->isVisible());
        QCOMPARE(overview("ConfigValue"), QString::fromUtf8("\u2014"));
        QCOMPARE(overview("MouseValue"), QString::fromUtf8("\u2014"));
        QCOMPARE(overview("DongleValue"), QString("v1.06"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(OnPages<QFrame>("frame_2")))
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));

        SimulatedDeviceControl::setOnline("drive1", true);
        QTRY_COMPARE_WITH_TIMEOUT(OnPages<QLabel>("label_2")->text(), QString("85%"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(Picture(connection), QString("OnLineWifi.png"), 5000);
        QVERIFY(connection->toolTip().isEmpty());
        QCOMPARE(OnPages<QProgressBar>("progressBar")->value(), 85);
        QTRY_COMPARE_WITH_TIMEOUT(overview("ConfigValue"), QString("Profile 1"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(overview("MouseValue"), QString("v1.03"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
    }

    void theRegistryLanguageIndexMovesIntoTheUserSettings_data()
    {
        QTest::addColumn<QString>("registry");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("language");
        QTest::newRow("3 is copied") << "3" << "3" << 3;
        QTest::newRow("0 leaves the settings file alone") << "0" << "2" << 2;
    }

    void theRegistryLanguageIndexMovesIntoTheUserSettings()
    {
        QFETCH(QString, registry);
        QFETCH(QString, stored);
        QFETCH(int, language);
        const QString key = "HKEY_CURRENT_USER\\Software\\Nevrix Kazmo\\Nevrix Kazmo\\Nevrix Kazmo";
        UserSettings::Instance()->SetValue("Language", "Language", "2");
        RegistryStore::Instance().SetValue(key, "LanguageIndex", registry);
        QFile file(UserSettings::DefaultFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        Open();
        QVERIFY(!RegistryStore::Instance().Contains(key, "LanguageIndex"));
        QSettings settings(UserSettings::DefaultFilePath(), QSettings::IniFormat);
        QCOMPARE(settings.value("Language/Language").toString(), stored);
        QCOMPARE(languageIndex, language);
        if (registry == "0") {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
        }
        m_window.reset();
        UserSettings::Instance()->SetValue("Language", "Language", "0");
    }

    void minimisingTellsTheMouseOnlyFromTheDevicePages()
    {
        DialogMain::systemTrayAvailable = [] { return true; };
        Open();
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Chooser()->findChild<QToolButton*>("MinButton"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(CallsWithMode({"UsbServer_SetPCDriverStatus"}).isEmpty());
        m_window->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
        QVERIFY(CallsWithMode({"UsbServer_SetPCDriverStatus"}).isEmpty());

        OpenPages();
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(OnPages<QToolButton>("MinButton"), Qt::LeftButton);
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus"}), QStringList{"UsbServer_SetPCDriverStatus 0"});
        m_window->on_activatedSysTrayIcon(QSystemTrayIcon::DoubleClick);
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus"}), QStringList{"UsbServer_SetPCDriverStatus 0"});
        QTest::mouseClick(OnPages<QToolButton>("MinButton"), Qt::LeftButton);
        m_window->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus"}),
                 QStringList({"UsbServer_SetPCDriverStatus 0", "UsbServer_SetPCDriverStatus 0",
                              "UsbServer_SetPCDriverStatus 1"}));
        DialogMain::systemTrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    }

    // Without a tray the program stays in reach on the task bar: the mouse
    // keeps hearing that the tool is there, and a restore says so again, as
    // the tray does.
    void withoutATrayMinimisingKeepsTheDeviceStatus()
    {
        DialogMain::systemTrayAvailable = [] { return false; };
        Open();
        OpenPages();
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(OnPages<QToolButton>("MinButton"), Qt::LeftButton);
        QVERIFY(m_window->isMinimized());
        QVERIFY(CallsWithMode({"UsbServer_SetPCDriverStatus"}).isEmpty());
        m_window->showNormal();
        QVERIFY(!m_window->isMinimized());
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus"}), QStringList{"UsbServer_SetPCDriverStatus 1"});

        // On the chooser nothing is sent either way.
        QTest::mouseClick(OnPages<QToolButton>("UpArrow"), Qt::LeftButton);
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Chooser()->findChild<QToolButton*>("MinButton"), Qt::LeftButton);
        QVERIFY(m_window->isMinimized());
        m_window->showNormal();
        QVERIFY(CallsWithMode({"UsbServer_SetPCDriverStatus"}).isEmpty());
        DialogMain::systemTrayAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
    }

    // Keys go where the window system sends them, to the focused widget: the
    // title bar and the navigation take no focus, so Space and Return reach
    // the window's own handler.
    void spaceAndReturnReachTheWindow()
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(Scenario().Receiver("r1k", 0, "010101").Mouse("m1", 1, "r1k").Json()));
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "MouseVer71", "v1.02");
        Open();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto focused = [this]() -> QWidget* {
            QWidget* widget = QApplication::focusWidget();
            return widget ? widget : m_window.get();
        };
        ModalUser user;
        user.AnswerNext("UpDateWarning", [](QWidget* dialog) { ClickButton(dialog, "NewHong"); });
        QTest::keyClick(focused(), Qt::Key_Space);
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "MouseVer71");
        QVERIFY(user.seen.contains("UpDateWarning"));
        QVERIFY(m_window->isVisible() && !m_window->isMinimized());

        int enter = 0;
        auto c = connect(PostMsg::Instance(), &PostMsg::SigEnterKey, this, [&]() { ++enter; });
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(enter, 1);
        disconnect(c);

        for (const char* name : {"MinButton", "CloseButton", "comboBox", "Repair", "LeftButton", "RightButton"})
            QCOMPARE(Chooser()->findChild<QWidget*>(name)->focusPolicy(), Qt::NoFocus);
        for (const char* name : {"PreButton", "ButtonMain", "SensorButton", "MacroButton", "LightsButton", "Advanced",
                                 "FormSetting", "MinButton", "CloseButton", "UpArrow"})
            QCOMPARE(OnPages<QToolButton>(name)->focusPolicy(), Qt::NoFocus);
    }

    // Two identical mice at start: the notice waits until the window is on
    // the screen and opens over it; the hint says what to do.
    void theDuplicateNoticeOpensOverTheWindow()
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            Scenario().Receiver("r1", 0, "010101").Receiver("r2", 0, "020202").Mouse("m1", 1, "r1").Mouse("m2", 1, "r2").Json()));
        ModalUser user;
        bool windowShown = false;
        QPoint place;
        user.AnswerNext("QuestiondialogB", [&](QWidget* dialog) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (qobject_cast<DialogMain*>(top))
                    windowShown = top->isVisible();
            place = dialog->pos();
            ClickButton(dialog, "CloseButton");
        });
        Open();
        QTRY_VERIFY(user.seen.contains("QuestiondialogB"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(windowShown);
        const QPoint origin = Chooser()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(place, origin + QPoint((1020 - 300) / 2, (700 - 140) / 2));
        auto* hint = Chooser()->findChild<QLabel*>("label_2");
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), Text("home", "UnplugIdentical"));
        QVERIFY(Tiles(Chooser()).isEmpty());

        // One of them unplugged: the usual hint and the tile.
        SimulatedDeviceControl::plug("r2", false);
        QTRY_COMPARE_WITH_TIMEOUT(Tiles(Chooser()).size(), 1, 5000);
        QCOMPARE(user.seen.count("QuestiondialogB"), 1);
    }

    // A tile clicked in the moments after its device was unplugged, before
    // the chooser heard of it: the click ends on the chooser, without the
    // device pages' state and without a link to the gone device.
    void aTileOfAnUnpluggedDeviceEndsOnTheChooser()
    {
        Open();
        QCOMPARE(Tiles(Chooser()).size(), 1);
        SimulatedDeviceControl::plug("receiver4k", false);
        SimulatedDeviceControl::clearCalls();
        ModalUser user;
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        QCOMPARE(devicePageShown.load(), 0);
        QTest::qWait(1500);
        QVERIFY(ServerStarts().isEmpty());
        QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_GetDeviceOnLine").isEmpty());
        QVERIFY(!user.seen.contains("UpDataParam"));
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        QVERIFY(Tiles(Chooser()).isEmpty());
        QCOMPARE(Chooser()->findChild<QLabel*>("label_2")->text(), Text("home", "PleaseEnter"));
    }

    // Every tool tip in the theme's colours, also over a widget whose own
    // style sheet has a picture.
    void toolTipsWearTheTheme()
    {
        Open();
        QLabel* mark = Chooser()->findChild<QLabel*>("label0");
        QVERIFY(mark);
        QVERIFY(!mark->toolTip().isEmpty());
        QToolTip::showText(mark->mapToGlobal(mark->rect().center()), mark->toolTip(), mark);
        QWidget* tip = nullptr;
        QTRY_VERIFY((tip = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->inherits("QTipLabel") && top->isVisible())
                    return top;
            return static_cast<QWidget*>(nullptr);
        }()) != nullptr);
        const QImage shown = tip->grab().toImage();
        const QStringList panel = ConfigSettings::Instance()->ListValue("Option", "ComboxBackGroundColor");
        const QColor expected(panel.at(0).toInt(), panel.at(1).toInt(), panel.at(2).toInt());
        // Inside the one-pixel edge, clear of the text.
        const QColor inside = shown.pixelColor(2, shown.height() - 2);
        QVERIFY2(NoticeTest::SameColour(inside, expected), qPrintable(inside.name()));
        QToolTip::hideText();
    }

    // The per-user folder or a file in it cannot be written: the program says
    // so once, over the window, and goes on.
    void anUnwritableUserFolderIsToldOnce_data()
    {
        QTest::addColumn<bool>("atStart");
        QTest::newRow("a folder that cannot be created at start") << true;
        QTest::newRow("a settings file that cannot be written") << false;
    }
    void anUnwritableUserFolderIsToldOnce()
    {
        QFETCH(bool, atStart);
        UserFolderProblem::Reset();
        const QString folder = AppPaths::UserDataFolder() + "/Device_Info";
        const QString settings = AppPaths::UserDataFolder() + "/Macro.ini";
        const QByteArray settingsBefore = [&] {
            QFile file(settings);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QString broken;
        if (atStart) {
            // A file where the folder should be: it cannot be created.
            QVERIFY(QDir(folder).removeRecursively());
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            CreateUserFolders();
            broken = folder;
        }
        ModalUser user;
        QString text;
        user.AnswerNext("ProblemNotice", [&](QWidget* dialog) {
            text = dialog->findChild<QLabel*>("label")->text();
            ClickButton(dialog, "NewHong");
        });
        Open();
        if (!atStart) {
            // A folder where the settings file should be: it cannot be written.
            QVERIFY(QFile::remove(settings));
            QVERIFY(QDir().mkpath(settings));
            QTest::qWait(50);
            QVERIFY(user.seen.isEmpty());
            auto* box = Chooser()->findChild<QComboBox*>("comboBox");
            emit box->activated(0);
            broken = settings;
        }
        QTRY_VERIFY(user.seen.contains("ProblemNotice"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        text.remove(QChar(0x200B));
        QVERIFY2(text.contains(broken), qPrintable(text));

        // A second failure is not told again.
        UserSettings::Instance()->SetValue("FindNew", "IsShow", "1");
        DeviceCacheFile::WriteFlashCache(kCacheName, FlashDataMap{});
        QTest::qWait(100);
        QCOMPARE(user.seen.count("ProblemNotice"), 1);

        m_window.reset();
        QFile::remove(folder);
        QDir(settings).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settingsBefore);
        file.close();
        UserFolderProblem::Reset();
    }

    void escapeDoesNotCloseAndReturnReachesTheChooser()
    {
        Open();
        int enter = 0;
        auto c = connect(PostMsg::Instance(), &PostMsg::SigEnterKey, this, [&]() { ++enter; });
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTest::keyClick(m_window.get(), Qt::Key_F12);
        QVERIFY(m_window->isVisible());
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        QTest::keyClick(m_window.get(), Qt::Key_Enter);
        QCOMPARE(enter, 2);
        macroRecording = true;
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        QCOMPARE(enter, 2);
        macroRecording = false;
        disconnect(c);
    }

    // Space on the chooser: with one wireless mouse whose stored version is
    // older than the mouse image and no receiver image, the cable warning.
    void spaceOnTheChooserChecksTheFirmware_data()
    {
        QTest::addColumn<QByteArray>("scenario");
        QTest::addColumn<bool>("recording");
        QTest::addColumn<bool>("warning");
        const QByteArray one1k = Scenario().Receiver("r1k", 0, "010101").Mouse("m1", 1, "r1k").Json();
        QTest::newRow("one mouse on a 1 kHz receiver") << one1k << false << true;
        QTest::newRow("while a macro is recorded") << one1k << true << false;
        QTest::newRow("one mouse on its cable")
            << Scenario().Mouse("m1", 1, QString(), true).Json() << false << false;
        QTest::newRow("two devices")
            << Scenario().Receiver("r1k", 0, "010101").Mouse("m1", 1, "r1k").Receiver("r2k", 4, "020202")
                   .Mouse("m2", 2, "r2k").Json()
            << false << false;
    }

    void spaceOnTheChooserChecksTheFirmware()
    {
        QFETCH(QByteArray, scenario);
        QFETCH(bool, recording);
        QFETCH(bool, warning);
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(scenario));
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "MouseVer71", "v1.02");
        Open();
        ModalUser user;
        QString text;
        QPoint place;
        user.AnswerNext("UpDateWarning", [&](QWidget* dialog) {
            text = dialog->findChild<QLabel*>("label")->text();
            place = dialog->pos();
            ClickButton(dialog, "NewHong");
        });
        macroRecording = recording;
        QTest::keyClick(m_window.get(), Qt::Key_Space);
        macroRecording = false;
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "MouseVer71");
        QCOMPARE(user.seen.contains("UpDateWarning"), warning);
        if (warning) {
            QCOMPARE(text, Text("home", "WiredMode"));
            const QPoint origin = m_window->mapToGlobal(QPoint(0, 0));
            QCOMPARE(place, origin + QPoint((1020 - 300) / 2 - 20, (700 - 140) / 2));
        }
    }

    // Space on the chooser with one receiver whose image is of another
    // version and no newer mouse image: asked first, the receiver image is
    // written at once in a dialog of its own, which neither Escape nor the
    // window system's close request puts away while the image is written.
    void spaceWritesTheReceiverImage_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QString>("dismiss"); // tried half way through the write
        QTest::newRow("written") << true << -1 << "";
        QTest::newRow("declined") << false << -1 << "";
        QTest::newRow("failed at 40%") << true << 40 << "";
        QTest::newRow("Escape while written") << true << -1 << "Escape";
        QTest::newRow("close request while written") << true << -1 << "close request";
    }

    void spaceWritesTheReceiverImage()
    {
        QFETCH(bool, confirm);
        QFETCH(int, failAt);
        QFETCH(QString, dismiss);
        StopUsbChanged();
        // The 4 kHz receiver at v1.05 beside the shipped v1.06 image; the
        // stored mouse version is that of the shipped mouse image.
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            Scenario().Receiver("r4k", 1, "010101", 0x0105).Mouse("m1", 1, "r4k").Json()));
        SimulatedDeviceControl::setTiming(20, 2);
        SimulatedDeviceControl::setUpgradeFailure(failAt);
        if (!dismiss.isEmpty())
            SimulatedDeviceControl::holdUpgradeAt(40);
        bool shownAfterDismiss = false;
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "MouseVer71", "v1.03");
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "UpdateFailInfo");
        Open();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        SimulatedDeviceControl::clearCalls();
        ModalUser user;
        QString question;
        QPoint questionPlace;
        user.AnswerNext("ContainReset", [&](QWidget* dialog) {
            question = dialog->findChild<QLabel*>("label")->text();
            questionPlace = dialog->pos();
            ClickButton(dialog, confirm ? "OK" : "Cancel");
            user.AnswerNext("UpDateRepair", [&](QWidget* update) {
                // The user waits for the end, reads it and presses OK.
                auto* poll = new QTimer(update);
                QElapsedTimer waited;
                waited.start();
                connect(poll, &QTimer::timeout, update, [&, update, poll, waited] {
                    auto* bar = update->findChild<QProgressBar*>("progressBar_2");
                    if (!dismiss.isEmpty() && !shownAfterDismiss && bar->value() == 40) {
                        if (dismiss == QLatin1String("Escape"))
                            QTest::keyClick(update, Qt::Key_Escape);
                        else
                            update->windowHandle()->close();
                        shownAfterDismiss = update->isVisible();
                        SimulatedDeviceControl::holdUpgradeAt(-1);
                        return;
                    }
                    auto* ok = update->findChild<QToolButton*>("NewHong_2");
                    if (ok->isHidden() && waited.elapsed() < 10000)
                        return;
                    poll->stop();
                    status = update->findChild<QLabel*>("ToolText_2")->text();
                    cancelText = update->findChild<QToolButton*>("NewHong")->text();
                    progress = update->findChild<QProgressBar*>("progressBar_2")->value();
                    updatePlace = update->pos();
                    ClickButton(update, "NewHong_2");
                });
                poll->start(20);
            });
        });
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : m_window.get(), Qt::Key_Space);
        SimulatedDeviceControl::setUpgradeFailure(-1);
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "MouseVer71");
        const QString record = RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), "UpdateFailInfo");
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "UpdateFailInfo");

        QCOMPARE(question, Text("home", "NewVerTips"));
        const QPoint origin = m_window->mapToGlobal(QPoint(0, 0));
        QCOMPARE(questionPlace, origin + QPoint((1020 - 300) / 2 - 20, (700 - 140) / 2));
        const int starts = SimulatedDeviceControl::calls("UsbUpgrade_Start").size();
        if (!confirm) {
            QVERIFY(!user.seen.contains("UpDateRepair"));
            QCOMPARE(starts, 0);
            QCOMPARE(SimulatedDeviceControl::firmwareVersion("r4k"), 0x0105);
            return;
        }
        QVERIFY(user.seen.contains("UpDateRepair"));
        if (!dismiss.isEmpty())
            QVERIFY(shownAfterDismiss);
        QCOMPARE(updatePlace, origin + QPoint((1020 - 460) / 2, (700 - 289) / 2));
        QCOMPARE(starts, 1);
        if (failAt < 0) {
            QCOMPARE(status, Text("update", "DialogUpgradeSuccess"));
            QCOMPARE(cancelText, Text("common", "Cancel"));
            QCOMPARE(progress, 100);
            QCOMPARE(SimulatedDeviceControl::firmwareVersion("r4k"), 0x0106);
            QCOMPARE(record, QString());
        } else {
            QCOMPARE(status, Text("update", "DialogUpgradeFail"));
            QCOMPARE(SimulatedDeviceControl::firmwareVersion("r4k"), 0x0105);
            // The receiver of kind 4 of CID 7, MID 1 failed: the chooser offers the repair.
            QCOMPARE(record, QString("211,4,7,1"));
            QTRY_VERIFY(!Chooser()->findChild<QPushButton*>("Repair")->isHidden());
        }
    }

    // A tile clicked before the pages exist waits for them. Closing or
    // minimising meanwhile drops it, as if it had never come: nothing is
    // sent to the mouse, no please-wait dialog opens, and the window goes at
    // once, also when a language pick made the pages in between.
    void aClickWaitingForThePagesIsDroppedByCloseOrMinimise_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("languageBetween");
        for (bool between : {false, true}) {
            const char* when = between ? "pages made by a language pick" : "pages still missing";
            QTest::addRow("close, %s", when) << "CloseButton" << true << between;
            QTest::addRow("minimise to the tray, %s", when) << "MinButton" << true << between;
            QTest::addRow("minimise without a tray, %s", when) << "MinButton" << false << between;
        }
    }

    void aClickWaitingForThePagesIsDroppedByCloseOrMinimise()
    {
        QFETCH(QString, button);
        QFETCH(bool, tray);
        QFETCH(bool, languageBetween);
        DialogMain::systemTrayAvailable = tray ? [] { return true; } : [] { return false; };
        OpenBeforeThePages();
        HubRecorder recorder;
        ModalUser user;
        SimulatedDeviceControl::clearCalls();

        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        if (languageBetween) {
            PickLanguage(0);
            QVERIFY(Pages()->PagesComplete());
            // The signal that made the pages did not run the click inside itself.
            QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        } else {
            QVERIFY(!Pages()->PagesComplete());
        }
        QTest::mouseClick(Chooser()->findChild<QToolButton*>(button), Qt::LeftButton);

        const bool close = button == QLatin1String("CloseButton");
        if (close || tray)
            QVERIFY(!m_window->isVisible());
        else
            QVERIFY(m_window->isMinimized());
        QTRY_VERIFY(Pages()->PagesComplete());
        RunQueuedCalls();
        QVERIFY(recorder.Named("SigIsUsb").isEmpty());
        QVERIFY(recorder.Named("SigChangeMainDialog").isEmpty());
        QCOMPARE(CallsWithMode({"UsbServerC_Start", "UsbServer_SetPCDriverStatus", "StopUsbChanged", "UsbServer_Exit"}),
                 close ? QStringList({"StopUsbChanged", "UsbServer_Exit"}) : QStringList());
        QVERIFY2(user.seen.isEmpty(), qPrintable(user.seen.join(", ")));
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        QCOMPARE(devicePageShown.load(), 0);
        if (languageBetween)
            QCOMPARE(LanguageBox()->currentIndex(), 0);
    }

    // Nothing in between drops the click: it runs once, after a hub signal
    // that made the pages has returned, or before a key's own work, as with
    // the pages made at start.
    void aClickWaitingForThePagesRunsOnce_data()
    {
        QTest::addColumn<QString>("between");
        QTest::addColumn<bool>("runsAtOnce");
        QTest::newRow("language pick") << "language" << false;
        QTest::newRow("language pick and a second tile click") << "language and click" << false;
        QTest::newRow("second tile click") << "click" << false;
        QTest::newRow("Return") << "Return" << true;
        QTest::newRow("the chooser's repair button") << "Repair" << true;
    }

    void aClickWaitingForThePagesRunsOnce()
    {
        QFETCH(QString, between);
        QFETCH(bool, runsAtOnce);
        if (between == QLatin1String("Repair"))
            RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "UpdateFailInfo", "210,4,7,1");
        const auto noRecord = qScopeGuard([] { FirmwareState::RemoveFailRecord(); });
        OpenBeforeThePages();
        HubRecorder recorder;
        ModalUser user;
        SimulatedDeviceControl::clearCalls();

        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        if (between.startsWith(QLatin1String("language")))
            PickLanguage(0);
        if (between.endsWith(QLatin1String("click")))
            QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        if (between == QLatin1String("Return"))
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Return);
        if (between == QLatin1String("Repair"))
            QTest::mouseClick(Chooser()->findChild<QPushButton*>("Repair"), Qt::LeftButton);
        QCOMPARE(Current() == Pages(), runsAtOnce);

        QTRY_COMPARE(Current(), static_cast<QWidget*>(Pages()));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        RunQueuedCalls();
        QCOMPARE(recorder.Named("SigChangeMainDialog").size(), 1);
        QCOMPARE(ServerStarts(), QStringList{SimulatedDeviceControl::pathOf("receiver4k")});
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus"}), QStringList{"UsbServer_SetPCDriverStatus 1"});
        QCOMPARE(user.seen, QStringList{"UpDataParam"});
        QCOMPARE(devicePageShown.load(), 1);
    }

    // A language picked on the chooser stays picked when the pages are made
    // after it; the pages made later show it too.
    void aLanguagePickedBeforeThePagesStays_data()
    {
        QTest::addColumn<bool>("beforePages");
        QTest::newRow("before the pages exist") << true;
        QTest::newRow("once the pages exist") << false;
    }

    void aLanguagePickedBeforeThePagesStays()
    {
        QFETCH(bool, beforePages);
        // A stored language the box does not offer: it starts with no entry.
        UserSettings::Instance()->SetValue("Language", "Language", "3");
        const auto restore = qScopeGuard([] {
            UserSettings::Instance()->SetValue("Language", "Language", "0");
            languageIndex = 0;
        });
        OpenBeforeThePages();
        QCOMPARE(LanguageBox()->currentIndex(), -1);
        if (!beforePages)
            QTRY_VERIFY(Pages()->PagesComplete());

        PickLanguage(0);
        QTRY_VERIFY(Pages()->PagesComplete());
        RunQueuedCalls();

        QCOMPARE(LanguageBox()->currentIndex(), 0);
        QCOMPARE(LanguageBox()->currentText(), QString("English"));
        QCOMPARE(languageIndex, 0);
        QSettings settings(UserSettings::DefaultFilePath(), QSettings::IniFormat);
        QCOMPARE(settings.value("Language/Language").toString(), QString("0"));
        auto* settingsPage = m_window->findChild<FormSetting*>();
        QVERIFY(settingsPage);
        QCOMPARE(settingsPage->findChild<QComboBox*>("comboBox")->currentIndex(), 0);
    }

    // The window system's close (Alt+F4) takes the close button's way: the
    // cache written, the mouse told, the link shut down. Escape closes
    // nothing and sends nothing.
    void aCloseRequestTakesTheCloseButtonsWay_data()
    {
        QTest::addColumn<bool>("onPages");
        QTest::addColumn<QString>("how");
        for (bool pages : {false, true}) {
            const char* where = pages ? "device pages" : "chooser";
            QTest::addRow("close request on the %s", where) << pages << "close request";
            QTest::addRow("Escape on the %s", where) << pages << "Escape";
            QTest::addRow("close request during the close button's wait, %s", where) << pages << "during close";
        }
    }

    void aCloseRequestTakesTheCloseButtonsWay()
    {
        QFETCH(bool, onPages);
        QFETCH(QString, how);
        Open();
        if (onPages)
            OpenPages();
        QFile::remove(CachePath());
        const QByteArray record = Bytes(CurrentFlashMapLock::Snapshot());
        SimulatedDeviceControl::clearCalls();

        QWindow* window = m_window->windowHandle();
        if (how == QLatin1String("Escape")) {
            QTest::keyClick(window, Qt::Key_Escape);
        } else if (how == QLatin1String("close request")) {
            window->close();
        } else {
            // A second request while the close waits for the link to settle.
            QTimer::singleShot(0, m_window.get(), [window] { window->close(); });
            QWidget* bar = onPages ? static_cast<QWidget*>(Pages()) : Chooser();
            QToolButton* close = nullptr;
            for (QToolButton* button : bar->findChildren<QToolButton*>("CloseButton"))
                if (button->window() == m_window.get() && button->isVisible())
                    close = button;
            QVERIFY(close);
            QTest::mouseClick(close, Qt::LeftButton);
        }

        if (how == QLatin1String("Escape")) {
            QVERIFY(m_window->isVisible());
            QVERIFY(!QFile::exists(CachePath()));
            QVERIFY(CallsWithMode({"UsbServer_SetPCDriverStatus", "StopUsbChanged", "UsbServer_Exit"}).isEmpty());
            return;
        }
        QTRY_VERIFY(!m_window->isVisible());
        RunQueuedCalls();
        QCOMPARE(QFile::exists(CachePath()), onPages);
        if (onPages) {
            FlashDataMap cached{};
            QVERIFY(DeviceCacheFile::ReadFlashCache(kCacheName, &cached));
            QCOMPARE(Bytes(cached), record);
        }
        QCOMPARE(CallsWithMode({"UsbServer_SetPCDriverStatus", "StopUsbChanged", "UsbServer_Exit", "UsbServerC_Start"}),
                 onPages ? QStringList({"UsbServer_SetPCDriverStatus 0", "StopUsbChanged", "UsbServer_Exit"})
                         : QStringList({"StopUsbChanged", "UsbServer_Exit"}));
    }

    void theWindowFollowsADrag()
    {
        Open();
        m_window->move(200, 100);
        const QPoint start = m_window->pos();
        auto send = [this](QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, local, m_window->pos() + local, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &event);
        };
        // From the window's very first pixel the offset is (0, 0): no drag.
        send(QEvent::MouseButtonPress, QPoint(0, 0), Qt::LeftButton, Qt::LeftButton);
        {
            QMouseEvent move(QEvent::MouseMove, QPoint(40, 30), start + QPoint(40, 30), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &move);
        }
        QCOMPARE(m_window->pos(), start);
        send(QEvent::MouseButtonRelease, QPoint(0, 0), Qt::LeftButton, Qt::NoButton);

        send(QEvent::MouseButtonPress, QPoint(100, 20), Qt::LeftButton, Qt::LeftButton);
        {
            QMouseEvent move(QEvent::MouseMove, QPoint(130, 45), start + QPoint(130, 45), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &move);
        }
        QCOMPARE(m_window->pos(), start + QPoint(30, 25));
        send(QEvent::MouseButtonRelease, QPoint(130, 45), Qt::LeftButton, Qt::NoButton);
        // After the release a move does nothing.
        {
            QMouseEvent move(QEvent::MouseMove, QPoint(10, 10), m_window->pos() + QPoint(300, 300), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &move);
        }
        QCOMPARE(m_window->pos(), start + QPoint(30, 25));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
