// The settings page in the program's window on the simulated mouse: the
// language choice, start with the desktop session, the factory reset, the
// pairing tool and the Space key, the mouse settings and the maker's link.

#include "HubRecorder.h"
#include "NoticeTestSupport.h"
#include "WindowTestSupport.h"

#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "app/UserSettings.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/Worker.h"
#include "platform/AutoStartEntry.h"
#include "settings/FormSetting.h"
#include "settings/Match.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace WindowTest;

namespace {

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

// Runs check every 20 ms until it returns true, then stops; gives up after 10 s.
void WhenTrue(const std::function<bool()>& check, const std::function<void()>& then)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=]() {
        if (check() || clock->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            then();
        }
    });
    timer->start(20);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

} // namespace

class TestSettingsPage : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;

    QWidget* Current() { return m_window->findChild<QStackedWidget*>("stackedWidgetMain")->currentWidget(); }
    DialogChange* Chooser() { return m_window->findChild<DialogChange*>(); }
    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    FormSetting* Page() { return m_window->findChild<FormSetting*>(); }
    template <typename T>
    T* OnPage(const char* name) { return Page()->findChild<T*>(QString::fromLatin1(name)); }

    void LoadScenario(const QString& options = QString())
    {
        StopUsbChanged();
        QFile file(QCoreApplication::applicationDirPath() + "/Simulation/DefaultScenario.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject scenario = QJsonDocument::fromJson(file.readAll()).object();
        if (!options.isEmpty())
            scenario.insert("options", QJsonDocument::fromJson(options.toUtf8()).object());
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(QJsonDocument(scenario).toJson()));
    }

    // The window, the tile clicked, the pages read, the settings page shown.
    void OpenSettingsPage()
    {
        m_window.reset(new DialogMain);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        HubRecorder recorder;
        ModalUser user;
        QTest::mouseClick(Tiles(Chooser()).value(0), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QTest::mouseClick(Pages()->findChild<QToolButton*>("FormSetting"), Qt::LeftButton);
        QCOMPARE(Pages()->findChild<QStackedWidget*>("stackedWidgetDialog")->currentWidget(),
                 static_cast<QWidget*>(Page()));
        QVERIFY(Page()->isVisible());
        SimulatedDeviceControl::clearCalls();
    }

    void SetText(const char* section, const char* key, const QString& text)
    {
        LanguageTables::Section(LanguageTables::Side::Mouse, QString::fromLatin1(section))
            ->Find(0)
            ->insert(QString::fromLatin1(key), text);
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void init() { LoadScenario(); }

    void cleanup()
    {
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
    }

    // Choosing the language stores it, raises both language signals, and
    // every open page takes its texts from the tables again.
    void theLanguageChoiceRenamesEveryPage()
    {
        UserSettings::Instance()->SetValue("Language", "Language", "3");
        OpenSettingsPage();
        QCOMPARE(OnPage<QLabel>("label")->text(), Text("home", "Version") + "1.0.2.0");
        QCOMPARE(OnPage<QLabel>("label_2")->text(), Text("Settings", "Language"));
        const QString language = Text("Settings", "Language");
        const QString clickIn = Text("home", "ClickIn");
        SetText("Settings", "Language", "Sprache");
        SetText("home", "ClickIn", "Klicken");
        QSignalSpy all(PostMsg::Instance(), SIGNAL(SigAllLanguage(int)));
        QSignalSpy same(PostMsg::Instance(), SIGNAL(SigLanguageSameA(int)));
        auto* combo = OnPage<QComboBox>("comboBox");
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->itemText(0), QString("English"));
        emit combo->activated(0);
        SetText("Settings", "Language", language);
        SetText("home", "ClickIn", clickIn);
        QCOMPARE(UserSettings::Instance()->Value("Language", "Language"), QString("0"));
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().first().toInt(), 0);
        QCOMPARE(same.size(), 1);
        QCOMPARE(OnPage<QLabel>("label_2")->text(), QString("Sprache"));
        QCOMPARE(Chooser()->findChild<QLabel*>("label_3")->text(), QString("Klicken"));
    }

    void theChoosersLanguageMovesTheComboSilently()
    {
        OpenSettingsPage();
        QSignalSpy same(PostMsg::Instance(), SIGNAL(SigLanguageSameA(int)));
        PostMsg::Instance()->EmitSigLanguageSameB(1);
        QCOMPARE(OnPage<QComboBox>("comboBox")->currentIndex(), -1); // only English is offered
        PostMsg::Instance()->EmitSigLanguageSameB(0);
        QCOMPARE(OnPage<QComboBox>("comboBox")->currentIndex(), 0);
        QVERIFY(same.isEmpty());
    }

    void startWithTheSessionWritesAndRemovesTheEntry()
    {
        OpenSettingsPage();
        const QString name = QCoreApplication::applicationName();
        auto* box = OnPage<QCheckBox>("checkBox");
        QVERIFY(!box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(UserSettings::Instance()->Value("AutoStart", "Enable"), QString("1"));
        QFile entry(AutoStartEntry::FilePath(name));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\""));
        entry.close();

        // A new page reads the stored choice.
        m_window.reset();
        OpenSettingsPage();
        QVERIFY(OnPage<QCheckBox>("checkBox")->isChecked());
        QTest::mouseClick(OnPage<QCheckBox>("checkBox"), Qt::LeftButton);
        QCOMPARE(UserSettings::Instance()->Value("AutoStart", "Enable"), QString("0"));
        QVERIFY(!AutoStartEntry::Exists(name));
    }

    void startWithTheSessionFailsAsAWhole_data()
    {
        QTest::addColumn<bool>("blockSettings");
        QTest::newRow("autostart folder cannot be made") << false;
        QTest::newRow("user settings cannot be written") << true;
    }

    // Whichever write fails, the box, the stored choice and the entry still agree.
    void startWithTheSessionFailsAsAWhole()
    {
        QFETCH(bool, blockSettings);
        UserSettings::Instance()->SetValue("AutoStart", "Enable", "0");
        OpenSettingsPage();
        const QString settingsPath = UserSettings::Instance()->FilePath();
        const QString folder = AutoStartEntry::Folder();
        QDir(folder).removeRecursively();
        if (blockSettings) {
            QVERIFY(QFile::rename(settingsPath, settingsPath + ".away"));
            QVERIFY(QDir().mkpath(settingsPath)); // a folder where the file should be
        } else {
            QDir().mkpath(QFileInfo(folder).path());
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        ModalUser user;
        QString notice;
        const auto answerPage = [&](QWidget* dialog) {
            notice = dialog->findChild<QLabel*>("label")->text();
            ClickButton(dialog, "NewHong");
        };
        if (blockSettings) {
            // The unwritable settings file is also said once by the window,
            // over the page's own notice.
            user.AnswerNext("ProblemNotice", [&](QWidget* dialog) {
                ClickButton(dialog, "NewHong");
                user.AnswerNext("KeyedNotice", answerPage);
            });
        } else {
            user.AnswerNext("KeyedNotice", answerPage);
        }
        QTest::mouseClick(OnPage<QCheckBox>("checkBox"), Qt::LeftButton);
        QTRY_VERIFY(!user.Pending());
        if (blockSettings) {
            QDir(settingsPath).removeRecursively();
            QVERIFY(QFile::rename(settingsPath + ".away", settingsPath));
        } else {
            QFile::remove(folder);
        }
        QCOMPARE(notice, Text("home", "AutoOpenFail"));
        QVERIFY(!OnPage<QCheckBox>("checkBox")->isChecked());
        QCOMPARE(UserSettings::Instance()->Value("AutoStart", "Enable"), QString("0"));
        QVERIFY(!AutoStartEntry::Exists(QCoreApplication::applicationName()));
    }

    // The reset as the button page does it: asked, the commands in order,
    // the wait until the pages hold the fresh record, the poll stopped meanwhile.
    void factoryResetWaitsForTheFreshRecord()
    {
        OpenSettingsPage();
        QVERIFY(deviceWorker && deviceWorker->CheckTimerActive());
        ModalUser user;
        HubRecorder recorder;
        bool pollStopped = false;
        QPoint questionAt;
        user.AnswerNext("ContainReset", [&](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLabel*>("label")->text(), Text("Settings", "DialogRestore"));
            questionAt = dialog->pos();
            ClickButton(dialog, "OK");
        });
        WhenTrue([&] { return QApplication::activeModalWidget()
                              && QString(QApplication::activeModalWidget()->metaObject()->className()) == "UpDataParam"; },
                 [&] { pollStopped = !deviceWorker->CheckTimerActive() && noWaitDialog == 1; });
        QTest::mouseClick(OnPage<QToolButton>("Reset"), Qt::LeftButton);
        QCOMPARE(user.seen.mid(0, 2), QStringList({"ContainReset", "UpDataParam"}));
        QVERIFY(!user.seen.contains("MouseOffLine"));
        QVERIFY(pollStopped);
        QVERIFY(deviceWorker->CheckTimerActive());
        QCOMPARE(noWaitDialog.load(), 0);
        // Then the mouse's re-initialisation: the link reads the fresh dump
        // and sends it back, as after every re-initialisation.
        QCOMPARE(CallsWithMode({"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate", "UsbServer_SetClearSetting",
                        "UsbServer_ReadAllFlashData"}),
                 QStringList({"UsbServer_SetBatteryOptimizeEnable 0", "ProtocolDataUpdate", "UsbServer_SetClearSetting",
                              "UsbServer_SetBatteryOptimizeEnable 1", "UsbServer_ReadAllFlashData",
                              "ProtocolDataUpdate"}));
        QCOMPARE(recorder.Named("SigUpDataLightUIButton").size(), 1);
        const QPoint origin = Page()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(questionAt, origin + QPoint((Page()->width() - 300) / 2 - 75, (Page()->height() - 140) / 2 - 65));
    }

    void factoryResetAsksFirstAndNeedsTheMouse_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("declined") << true << "ContainReset";
        QTest::newRow("mouse offline") << false << "MouseOffLine";
    }

    void factoryResetAsksFirstAndNeedsTheMouse()
    {
        QFETCH(bool, online);
        QFETCH(QString, dialog);
        OpenSettingsPage();
        SimulatedDeviceControl::setOnline("drive1", online);
        ModalUser user;
        user.AnswerNext(dialog, [online](QWidget* d) { ClickButton(d, online ? "Cancel" : "CloseButton"); });
        QTest::mouseClick(OnPage<QToolButton>("Reset"), Qt::LeftButton);
        SimulatedDeviceControl::setOnline("drive1", true);
        QCOMPARE(user.seen.value(0), dialog);
        QVERIFY(!user.seen.contains("UpDataParam"));
        QVERIFY(!user.seen.contains(online ? "MouseOffLine" : "ContainReset"));
        QVERIFY(CallsWithMode({"UsbServer_SetBatteryOptimizeEnable", "ProtocolDataUpdate", "UsbServer_SetClearSetting"}).isEmpty());
    }

    // The pairing tool pairs the current receiver, then the page's hot-plug
    // watch and the device server come back.
    void thePairingToolPairsAndRestoresTheLink()
    {
        OpenSettingsPage();
        ModalUser user;
        QPoint place;
        QString result;
        user.AnswerNext("Match", [&](QWidget* dialog) {
            place = dialog->pos();
            auto* button = dialog->findChild<QPushButton*>("MatchButton");
            QTest::mouseClick(button, Qt::LeftButton);
            WhenTrue([=] { return button->text() == Text("pair", "PairSuccess"); },
                     [&, dialog, button] {
                         result = button->text();
                         ClickButton(dialog, "CloseButton");
                     });
        });
        SimulatedDeviceControl::setTiming(100, 5);
        QTest::mouseClick(OnPage<QPushButton>("pushButton_2"), Qt::LeftButton);
        QCOMPARE(result, Text("pair", "PairSuccess"));
        QCOMPARE(devicePageShown.load(), 1);
        const QPoint origin = Page()->mapToGlobal(QPoint(0, 0));
        QCOMPARE(place, origin + QPoint((Page()->width() - 458) / 2 - 70, (Page()->height() - 242) / 2 - 30));
        const QString receiver = SimulatedDeviceControl::pathOf("receiver4k");
        QCOMPARE(CallsWithMode({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid", "StartUsbChanged"}),
                 QStringList({"UsbServerC_Start", "UsbServer_EnterDonglePairOnlyCid", "StartUsbChanged",
                              "StartUsbChanged", "UsbServerC_Start"}));
        QCOMPARE(ServerStarts(), QStringList({receiver, receiver}));
        QCOMPARE(SimulatedDeviceControl::pairedReceiver("drive1"), QString("receiver4k"));
    }

    // Space on the device pages: an attempt that never ends is left with
    // Escape, and the pages work again: the next Space opens a working dialog.
    void spaceOnThePagesPairsAndEscapeGivesThePagesBack()
    {
        LoadScenario(R"({"pairing":"never"})");
        OpenSettingsPage();
        ModalUser user;
        user.AnswerNext("Match", [&](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("MatchButton"), Qt::LeftButton);
            WhenTrue([] { return SimulatedDeviceControl::calls("UsbServer_ReadDonglePairStatus").size() >= 2; },
                     [dialog] { QTest::keyClick(dialog, Qt::Key_Escape); });
        });
        QTest::keyClick(m_window.get(), Qt::Key_Space);
        QVERIFY(user.seen.contains("Match"));
        QCOMPARE(devicePageShown.load(), 1);
        QVERIFY(!Match::PairingOutstanding());
        QCOMPARE(ServerStarts().last(), QString(CurrentDevice::Path()));

        SimulatedDeviceControl::setPairingOutcome(SimulatedDeviceControl::PairingOutcome::Normal);
        SimulatedDeviceControl::setTiming(100, 5);
        QString result;
        user.AnswerNext("Match", [&](QWidget* dialog) {
            auto* button = dialog->findChild<QPushButton*>("MatchButton");
            WhenTrue([=] { return dialog->isActiveWindow(); }, [&, dialog, button] {
                QTest::keyClick(dialog, Qt::Key_Space);
                WhenTrue([=] { return button->text() == Text("pair", "PairSuccess"); },
                         [&, dialog, button] {
                             result = button->text();
                             ClickButton(dialog, "CloseButton");
                         });
            });
        });
        QTest::keyClick(m_window.get(), Qt::Key_Space);
        QCOMPARE(result, Text("pair", "PairSuccess"));
        QCOMPARE(Current(), static_cast<QWidget*>(Pages()));
    }

    // The receiver pulled out during pairing: the dialog shows the failure,
    // the window goes back to the chooser, and nothing restarts the pages' link.
    void anUnplugDuringPairingEndsOnTheChooser()
    {
        LoadScenario(R"({"pairing":"unplug","pairingMs":200})");
        OpenSettingsPage();
        ModalUser user;
        QString result;
        user.AnswerNext("Match", [&](QWidget* dialog) {
            auto* button = dialog->findChild<QPushButton*>("MatchButton");
            QTest::mouseClick(button, Qt::LeftButton);
            // Closed once the window went back to the chooser behind it.
            WhenTrue([=] { return button->text() == Text("pair", "PairFail") && Current() == Chooser(); },
                     [&, dialog, button] {
                         result = button->text();
                         ClickButton(dialog, "CloseButton");
                     });
        });
        QTest::mouseClick(OnPage<QPushButton>("pushButton_2"), Qt::LeftButton);
        QCOMPARE(result, Text("pair", "PairFail"));
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        QCOMPARE(devicePageShown.load(), 0);
        QCOMPARE(ServerStarts(), QStringList({SimulatedDeviceControl::pathOf("receiver4k")}));
    }

    void theMouseSettingsButtonStartsTheConfiguredCommand_data()
    {
        QTest::addColumn<QString>("command"); // %1: a file the command creates
        QTest::addColumn<QString>("notice");
        QTest::newRow("a command") << "sh -c \"echo started > %1\"" << "";
        QTest::newRow("none set") << "" << "NoWindowSet";
        QTest::newRow("cannot start") << "/nonexistent/mouse-settings" << "WindowSetFail";
    }

    void theMouseSettingsButtonStartsTheConfiguredCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, notice);
        QTemporaryDir dir;
        const QString marker = dir.filePath("started");
        QFile shipped(QCoreApplication::applicationDirPath() + "/usersetting/Config.ini");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(shipped.readAll());
        const int start = text.indexOf("MouseSettingsCommand=");
        QVERIFY(start > 0);
        text.replace(start, text.indexOf('\n', start) - start,
                     "MouseSettingsCommand=\"" + QString(command).replace("%1", marker).replace("\"", "\\\"") + "\"");
        QFile config(dir.filePath("Config.ini"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(text.toUtf8());
        config.close();
        ConfigSettings fixture(config.fileName());
        ConfigSettings* shippedStore = ConfigSettings::ReplaceInstance(&fixture);
        OpenSettingsPage();
        QCOMPARE(OnPage<QPushButton>("pushButton")->text(), Text("home", "WindowSet"));
        ModalUser user;
        QString shown;
        user.AnswerNext("KeyedNotice", [&](QWidget* dialog) {
            shown = dialog->findChild<QLabel*>("label")->text();
            ClickButton(dialog, "NewHong");
        });
        QTest::mouseClick(OnPage<QPushButton>("pushButton"), Qt::LeftButton);
        m_window.reset();
        ConfigSettings::ReplaceInstance(shippedStore);
        if (notice.isEmpty()) {
            QTRY_VERIFY(QFile::exists(marker));
            QVERIFY(shown.isEmpty());
        } else {
            QCOMPARE(shown, Text("home", notice.toLatin1().constData()));
        }
    }

    void theMakersLinkOpensInTheDesktopsHandler()
    {
        OpenSettingsPage();
        const QStringList maker = LanguageTables::MakerEntries();
        QCOMPARE(OnPage<QPushButton>("pushButton_4")->text(), maker.value(0));
        QCOMPARE(OnPage<QPushButton>("pushButton_3")->text(), maker.value(3));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "Open");
        QTest::mouseClick(OnPage<QPushButton>("pushButton_3"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.urls, QList<QUrl>({QUrl(maker.value(3))}));
    }

    void everyPictureOfThePageExists()
    {
        OpenSettingsPage();
        const QStringList pictures = NoticeTest::StyleSheetPictures(Page());
        QVERIFY(pictures.size() >= 10);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }
};

QTEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
