// The device chooser as a user meets it: the tiles for the connected devices,
// the pages and arrows, the notice for two identical devices, and what a
// click on a tile leads to.

#include "WindowTestSupport.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "app/UserSettings.h"
#include "device/CurrentDevice.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "platform/RegistryStore.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "windows/DialogChange.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTest;

namespace {

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

QString ShippedConfig()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/usersetting/Config.ini");
}

// The shipped configuration with lines replaced, written to a folder.
QString ConfigWith(const QString& folder, const QMap<QString, QString>& replaced, const QString& appended = QString())
{
    QFile shipped(ShippedConfig());
    if (!shipped.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(shipped.readAll());
    for (auto it = replaced.begin(); it != replaced.end(); ++it)
        text.replace(it.key(), it.value());
    text += appended;
    const QString path = folder + QStringLiteral("/Config.ini");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    out.write(text.toUtf8());
    return path;
}

void StoreMouseVersion(const QString& valueName, const QString& version)
{
    RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), valueName, version);
}

// The hub signals a tile click raises, in order.
class ClickRecorder : public QObject {
public:
    ClickRecorder()
    {
        PostMsg* hub = PostMsg::Instance();
        connect(hub, &PostMsg::SigIsUsb, this, [this](bool usb, bool vs) { Add(QString("SigIsUsb %1 %2").arg(usb).arg(vs)); });
        connect(hub, &PostMsg::SigSetver, this, [this](int i) { Add(QString("SigSetver %1").arg(i)); });
        connect(hub, &PostMsg::SigMouseIndex, this, [this](int i) { Add(QString("SigMouseIndex %1").arg(i)); });
        connect(hub, &PostMsg::SigSelectMouseInfo, this, [this](DeviceAllInfo d) {
            Add("SigSelectMouseInfo " + d.path);
        });
        connect(hub, &PostMsg::SigLabelTextB, this, [this](QString a, QString b) { Add("SigLabelTextB " + a + " " + b); });
        connect(hub, &PostMsg::SigChangeMainDialog, this, [this](int i) { Add(QString("SigChangeMainDialog %1").arg(i)); });
        connect(hub, &PostMsg::SigAllLanguage, this, [this](int i) { Add(QString("SigAllLanguage %1").arg(i)); });
        connect(hub, &PostMsg::SigLanguageSameB, this, [this](int i) { Add(QString("SigLanguageSameB %1").arg(i)); });
    }
    QStringList events;
    QStringList Starting(const QString& prefix) const { return events.filter(QRegularExpression("^" + prefix)); }

private:
    void Add(const QString& e) { events.append(e); }
};

} // namespace

class TestChooser : public QObject {
    Q_OBJECT
private:
    DialogChange* m_chooser = nullptr;
    FormSetting* m_settingsPage = nullptr;

    // A new chooser over the scenario, as at a start of the program.
    void Start(const Scenario& scenario)
    {
        delete m_chooser;
        m_chooser = nullptr;
        const QString error = Load(scenario);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        m_chooser = new DialogChange;
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser));
    }

    // The devices change while the chooser is shown: the library's hot-plug call.
    void Replug(const Scenario& scenario)
    {
        const QString error = Load(scenario);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        StartUsbChanged(&DeviceDiscovery::OnUsbDevicesChanged, 600);
    }

    QWidget* Child(const char* name) { return m_chooser->findChild<QWidget*>(QString::fromLatin1(name)); }

    // Up to seven devices, in the order the chooser finds them: a model on
    // its cable, then mice on receivers of each class and one receiver
    // without a mouse. No two of them share a tested connection class and
    // model, and no cable hides a receiver.
    static Scenario Devices(int count, int cableKind = 3)
    {
        Scenario s;
        s.Mouse("c3", 3, QString(), true, cableKind);
        if (count > 1)
            s.Receiver("r1k", 0, "010101").Mouse("m1", 1, "r1k");
        if (count > 2)
            s.Receiver("r2k", 4, "020202").Mouse("m2", 2, "r2k");
        if (count > 3)
            s.Receiver("r4a", 1, "04040a").Mouse("m4a", 1, "r4a");
        if (count > 4)
            s.Receiver("r4b", 1, "04040b").Mouse("m4b", 2, "r4b");
        if (count > 5)
            s.Receiver("rlone", 1, "04040c");
        if (count > 6)
            s.Receiver("r8k", 5, "080808").Mouse("m8", 1, "r8k");
        return s;
    }

    // The pairing dialog that a click opens: closed as its close button does.
    static void CloseTheNextPairingDialog(ModalUser& user)
    {
        user.AnswerNext("Match", [](QWidget* dialog) { ClickButton(dialog, "CloseButton"); });
    }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_settingsPage = new FormSetting;
    }

    void cleanupTestCase()
    {
        delete m_chooser;
        delete m_settingsPage;
        StopUsbChanged();
    }

    void init()
    {
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), QStringLiteral("UpdateFailInfo"));
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), QStringLiteral("MouseVer71"));
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), QStringLiteral("MouseVer7"));
        DialogChange::chooserPairingSet = false;
        DialogChange::chooserPairingDevice = DeviceAllInfo();
        devicePageShown = 0;
    }

    void tilesThreeToAPage_data()
    {
        QTest::addColumn<int>("devices");
        QTest::addColumn<QList<QList<int>>>("tileX");   // per page
        QTest::addColumn<QList<QList<int>>>("badgeX");  // per page
        QTest::addColumn<int>("cableKind");
        QTest::addColumn<bool>("rightArrow");
        // The 1000 Hz cable has no badge.
        QTest::newRow("1 device") << 1 << QList<QList<int>>{{305}} << QList<QList<int>>{{}} << 2 << false;
        QTest::newRow("1 device, 8000 Hz cable") << 1 << QList<QList<int>>{{305}} << QList<QList<int>>{{312}} << 3 << false;
        QTest::newRow("3 devices") << 3 << QList<QList<int>>{{0, 300, 600}} << QList<QList<int>>{{307, 607}} << 2 << false;
        QTest::newRow("5 devices") << 5 << QList<QList<int>>{{0, 300, 600}, {135, 445}}
                                   << QList<QList<int>>{{7, 307, 607}, {142, 452}} << 3 << true;
        QTest::newRow("7 devices") << 7 << QList<QList<int>>{{0, 300, 600}, {0, 300, 600}, {305}}
                                   << QList<QList<int>>{{7, 307, 607}, {7, 307, 607}, {312}} << 3 << true;
    }

    void tilesThreeToAPage()
    {
        QFETCH(int, devices);
        QFETCH(QList<QList<int>>, tileX);
        QFETCH(QList<QList<int>>, badgeX);
        QFETCH(int, cableKind);
        QFETCH(bool, rightArrow);
        Start(Devices(devices, cableKind));

        QCOMPARE(Tiles(m_chooser).size(), devices);
        QStackedWidget* pages = TilePages(m_chooser);
        QCOMPARE(pages->count(), tileX.size());
        QCOMPARE(pages->currentIndex(), 0);
        int n = 0;
        for (int p = 0; p < pages->count(); ++p) {
            QList<int> xs;
            for (QToolButton* tile : Tiles(m_chooser)) {
                if (tile->parentWidget() == pages->widget(p)) {
                    xs.append(tile->x());
                    QCOMPARE(tile->objectName(), QString("btn%1").arg(n));
                    QCOMPARE(tile->size(), QSize(284, 360));
                    // The marks sit in the tile's top right corner.
                    auto* offline = pages->widget(p)->findChild<QLabel*>(QString("label%1").arg(n));
                    auto* connection = pages->widget(p)->findChild<QLabel*>(QString("UsbWifi%1").arg(n));
                    QVERIFY(offline && connection);
                    QCOMPARE(connection->pos(), offline->pos());
                    QCOMPARE(connection->y(), 20);
                    ++n;
                }
            }
            QCOMPARE(xs, tileX.at(p));
            QList<int> badges;
            for (QLabel* badge : Badges(pages->widget(p))) {
                badges.append(badge->x());
                QCOMPARE(badge->y(), 10);
            }
            QCOMPARE(badges, badgeX.at(p));
        }
        QCOMPARE(Child("RightButton")->isVisible(), rightArrow);
        QVERIFY(!Child("LeftButton")->isVisible());
        QVERIFY(!Child("label_2")->isVisible());
        QVERIFY(Child("label_3")->isVisible());
    }

    void tilesShowTheDeviceState()
    {
        Start(Devices(7));
        const QList<QToolButton*> tiles = Tiles(m_chooser);
        QStackedWidget* pages = TilePages(m_chooser);
        // The cable mouse answers: the online picture with the cable mark.
        QCOMPARE(Picture(tiles.at(0)), QString("OnLine0.png"));
        auto* usb = pages->widget(0)->findChild<QLabel*>("UsbWifi0");
        QVERIFY(usb->isVisible());
        QCOMPARE(Picture(usb), QString("OnLineUsb.png"));
        // A mouse on a receiver: the wireless mark.
        QCOMPARE(Picture(tiles.at(1)), QString("OnLine0.png"));
        QCOMPARE(Picture(pages->widget(0)->findChild<QLabel*>("UsbWifi1")), QString("OnLineWifi.png"));
        // A receiver without a mouse: no model.
        QCOMPARE(Picture(tiles.at(5)), QString("Unknow.png"));
        auto* wifi = pages->widget(1)->findChild<QLabel*>("UsbWifi5");
        QVERIFY(!wifi->isHidden());  // on the second page, not the one shown
        QCOMPARE(Picture(wifi), QString("OnLineWifi.png"));
        QStringList badges;
        for (QLabel* badge : Badges(pages->widget(0)))
            badges << Picture(badge);
        for (QLabel* badge : Badges(pages->widget(2)))
            badges << Picture(badge);
        QCOMPARE(badges, QStringList({"8KHz.png", "1KHz.png", "2KHz.png", "8KHz.png"}));
        QCOMPARE(Picture(Badges(pages->widget(1)).value(0)), QString("4KHz.png"));
    }

    // The badge names the receiver's own class, whether a mouse is paired
    // with it or not.
    void aReceiverTileShowsItsOwnClass_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("paired");
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QString>("badge");
        const QList<QPair<int, QString>> classes = {{0, "1KHz.png"}, {4, "2KHz.png"}, {1, "4KHz.png"}, {5, "8KHz.png"}};
        for (const auto& receiverClass : classes) {
            const QString name = receiverClass.second.left(2);
            QTest::newRow(qPrintable(name + " receiver alone")) << receiverClass.first << false << "Unknow.png"
                                                                 << receiverClass.second;
            QTest::newRow(qPrintable(name + " receiver with its mouse")) << receiverClass.first << true << "OnLine0.png"
                                                                         << receiverClass.second;
        }
    }

    void aReceiverTileShowsItsOwnClass()
    {
        QFETCH(int, kind);
        QFETCH(bool, paired);
        QFETCH(QString, tile);
        QFETCH(QString, badge);
        Scenario scenario;
        scenario.Receiver("receiver", kind, "0a0b0c");
        if (paired)
            scenario.Mouse("mouse", 1, "receiver");
        Start(scenario);
        QCOMPARE(Tiles(m_chooser).size(), 1);
        QCOMPARE(Picture(Tiles(m_chooser).first()), tile);
        const QList<QLabel*> badges = Badges(TilePages(m_chooser)->widget(0));
        QCOMPARE(badges.size(), 1);
        QCOMPARE(Picture(badges.first()), badge);
    }

    void arrowsWalkThePages()
    {
        Start(Devices(7));
        QStackedWidget* pages = TilePages(m_chooser);
        auto* left = qobject_cast<QToolButton*>(Child("LeftButton"));
        auto* right = qobject_cast<QToolButton*>(Child("RightButton"));
        auto state = [&]() {
            return QString("%1 %2 %3").arg(pages->currentIndex()).arg(left->isVisible()).arg(right->isVisible());
        };
        QCOMPARE(state(), QString("0 0 1"));
        right->click();
        QCOMPARE(state(), QString("1 0 1"));
        right->click();
        QCOMPARE(state(), QString("2 1 0"));
        left->click();
        QCOMPARE(state(), QString("1 1 0"));
        left->click();
        QCOMPARE(state(), QString("0 0 1"));
        QVERIFY(!Child("label_2")->isVisible());
        QVERIFY(Child("label_3")->isVisible());
    }

    void noDeviceShowsTheHint()
    {
        Start(Scenario());
        QVERIFY(Tiles(m_chooser).isEmpty());
        auto* hint = qobject_cast<QLabel*>(Child("label_2"));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), Text("home", "PleaseEnter"));
        QVERIFY(!Child("label_3")->isVisible());
    }

    void aFailedUpdateOnRecordOffersTheRepair()
    {
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "UpdateFailInfo", "210,4,7,1");
        Start(Scenario());
        QVERIFY(Child("Repair")->isVisible());
        QCOMPARE(qobject_cast<QLabel*>(Child("label_2"))->text(), Text("home", "RepairDevice"));
        qobject_cast<QPushButton*>(Child("Repair"))->click();
        QVERIFY(repairDialog && repairDialog->isVisible());
        // No device found: the mouse's repair needs its receiver.
        QCOMPARE(repairDialog->StatusText(), Text("home", "NoRecieve"));
        const QPoint origin = m_chooser->mapToGlobal(QPoint(0, 0));
        QCOMPARE(repairDialog->pos(), origin + QPoint((1020 - 460) / 2, (700 - 289) / 2));
        repairDialog->close();
        // The Enter key opens it too while the repair is offered, and not after.
        PostMsg::Instance()->EmitSigEnterKey();
        QVERIFY(repairDialog->isVisible());
        QCOMPARE(repairDialog->StatusText(), Text("home", "NoRecieve"));
        repairDialog->close();
        PostMsg::Instance()->EmitSigUpDateButton(true);
        QVERIFY(Child("Repair")->isHidden());
        PostMsg::Instance()->EmitSigEnterKey();
        QVERIFY(repairDialog->isHidden());
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "UpdateFailInfo", "");
    }

    void twoIdenticalMiceOnOneReceiverClass_data()
    {
        QTest::addColumn<int>("deviceTotal");
        QTest::addColumn<bool>("notice");
        QTest::newRow("three models: the 1 kHz class is tested") << 3 << true;
        QTest::newRow("one model: only the cable class is tested") << 1 << false;
    }

    void twoIdenticalMiceOnOneReceiverClass()
    {
        QFETCH(int, deviceTotal);
        QFETCH(bool, notice);
        QTemporaryDir dir;
        auto* config = new ConfigSettings(ConfigWith(dir.path(), {{"DeviceTotal=3", QString("DeviceTotal=%1").arg(deviceTotal)}}));
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(config);

        ModalUser user;
        user.AnswerNext("QuestiondialogB", [](QWidget* dialog) { ClickButton(dialog, "CloseButton"); });
        Start(Scenario().Receiver("r1", 0, "010101").Receiver("r2", 0, "020202").Mouse("m1", 1, "r1").Mouse("m2", 1, "r2"));
        if (notice)
            QTRY_VERIFY(user.seen.contains("QuestiondialogB"));
        else
            QTest::qWait(100);
        QTRY_VERIFY(!QApplication::activeModalWidget());

        delete m_chooser;
        m_chooser = nullptr;
        ConfigSettings::ReplaceInstance(shipped);
        delete config;
        Start(Scenario());  // back to the shipped configuration for what follows
        QCOMPARE(user.seen.contains("QuestiondialogB"), notice);
        QCOMPARE(user.Pending(), !notice);
    }

    void theDuplicateNoticeBuildsNoTiles()
    {
        ModalUser user;
        QString text;
        user.AnswerNext("QuestiondialogB", [&text](QWidget* dialog) {
            text = dialog->findChild<QLabel*>("label")->text();
            ClickButton(dialog, "CloseButton");
        });
        Start(Scenario().Receiver("r1", 0, "010101").Receiver("r2", 0, "020202").Mouse("m1", 1, "r1").Mouse("m2", 1, "r2"));
        QTRY_COMPARE(text, Text("home", "ErrorDevice"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(Tiles(m_chooser).isEmpty());
        QVERIFY(Child("label_2")->isVisible());
        QCOMPARE(qobject_cast<QLabel*>(Child("label_2"))->text(), Text("home", "UnplugIdentical"));
        QVERIFY(!Child("label_3")->isVisible());
        QVERIFY(!Child("LeftButton")->isVisible());
        QVERIFY(!Child("RightButton")->isVisible());
    }

    // A configuration the program cannot find devices with is said on the
    // chooser, not shown as if no mouse were connected.
    void aConfigurationThatCannotServeIsSaidOnTheChooser_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("a file that cannot be read") << true;
        QTest::newRow("a file that names no model") << false;
    }
    void aConfigurationThatCannotServeIsSaidOnTheChooser()
    {
        QFETCH(bool, unreadable);
        QTemporaryDir dir;
        QString path;
        if (unreadable) {
            path = dir.path() + "/Config.ini";
            QVERIFY(QDir().mkpath(path));
        } else {
            path = ConfigWith(dir.path(), {{"DeviceTotal=3", "DeviceTotal=0"}});
        }
        auto* config = new ConfigSettings(path);
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(config);

        ModalUser user;
        QString text;
        bool chooserShown = false;
        user.AnswerNext("ProblemNotice", [&](QWidget* dialog) {
            text = dialog->findChild<QLabel*>("label")->text();
            chooserShown = m_chooser && m_chooser->isVisible();
            ClickButton(dialog, "NewHong");
        });
        Start(Scenario().Receiver("r1", 0, "010101").Mouse("m1", 1, "r1"));
        QTRY_VERIFY(user.seen.contains("ProblemNotice"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(chooserShown);
        text.remove(QChar(0x200B));
        QVERIFY2(text.contains(path), qPrintable(text));
        auto* hint = qobject_cast<QLabel*>(Child("label_2"));
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), Text("home", unreadable ? "ConfigUnreadableHint" : "ConfigNoModelHint"));
        QCOMPARE(user.seen.count("ProblemNotice"), 1);

        delete m_chooser;
        m_chooser = nullptr;
        ConfigSettings::ReplaceInstance(shipped);
        delete config;
        Start(Scenario());
        QCOMPARE(qobject_cast<QLabel*>(Child("label_2"))->text(), Text("home", "PleaseEnter"));
    }

    void aCableMouseHidesItsReceiverTile_data()
    {
        QTest::addColumn<int>("cableKind");
        QTest::addColumn<QStringList>("badges");
        QTest::newRow("cable up to 8000 Hz") << 3 << QStringList{"8KHz.png"};
        QTest::newRow("cable up to 1000 Hz") << 2 << QStringList{};
    }

    void aCableMouseHidesItsReceiverTile()
    {
        QFETCH(int, cableKind);
        QFETCH(QStringList, badges);
        Start(Scenario().Receiver("receiver4k", 1, "3a5c17").Mouse("drive1", 1, "receiver4k", true, cableKind)
                  .Receiver("lonely", 0));
        const QList<QToolButton*> tiles = Tiles(m_chooser);
        QCOMPARE(tiles.size(), 2);
        // The cable mouse first, then the receiver of another class that has no mouse.
        QCOMPARE(DeviceDiscovery::foundDeviceList.size(), 2);
        QCOMPARE(DeviceDiscovery::foundDeviceList.at(0).path, SimulatedDeviceControl::pathOf("drive1"));
        QCOMPARE(DeviceDiscovery::foundDeviceList.at(1).path, SimulatedDeviceControl::pathOf("lonely"));
        // Both lists lost the hidden receiver: they stay entry for entry.
        QCOMPARE(DeviceDiscovery::foundDeviceListCopy.size(), 2);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(DeviceDiscovery::foundDeviceListCopy.at(i).path, DeviceDiscovery::foundDeviceList.at(i).path);
        QCOMPARE(Picture(tiles.at(0)), QString("OnLine0.png"));
        QStringList shown;
        for (QLabel* badge : Badges(TilePages(m_chooser)->widget(0)))
            if (qAbs(badge->x() - tiles.at(0)->x()) < 20)
                shown << Picture(badge);
        QCOMPARE(shown, badges);
    }

    // Model indices past fifteen fit the count table as well.
    void sixteenModels()
    {
        QTemporaryDir dir;
        auto* config = new ConfigSettings(ConfigWith(dir.path(), {{"DeviceTotal=3", "DeviceTotal=16"}},
                                                     "\n[Drive16]\nMID=16\n"));
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(config);
        Start(Scenario().Mouse("m16", 16, QString(), true).Receiver("lonely", 4));
        const int tiles = Tiles(m_chooser).size();
        const int model = DeviceDiscovery::foundDeviceList.value(0).modelIndex;
        delete m_chooser;
        m_chooser = nullptr;
        ConfigSettings::ReplaceInstance(shipped);
        delete config;
        QCOMPARE(tiles, 2);
        QCOMPARE(model, 15);
    }

    void pointingAtATileShowsAMouseThatWentOffline()
    {
        Start(Scenario().Receiver("receiver4k", 1, "3a5c17").Mouse("drive1", 1, "receiver4k"));
        QToolButton* tile = Tiles(m_chooser).value(0);
        QVERIFY(tile);
        QWidget* page = tile->parentWidget();
        auto* offline = page->findChild<QLabel*>("label0");
        auto* connection = page->findChild<QLabel*>("UsbWifi0");
        QCOMPARE(Picture(tile), QString("OnLine0.png"));
        QVERIFY(connection->isVisible());
        QVERIFY(!offline->isVisible());

        SimulatedDeviceControl::setOnline("drive1", false);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(tile, &enter);
        QCOMPARE(Picture(tile), QString("DisOnlin0.png"));
        QVERIFY(offline->isVisible());
        QVERIFY(!connection->isVisible());
        QCOMPARE(offline->toolTip(), Text("infoTips", "DialogOffline") + "\n" + Text("home", "PairTips_z"));
        QCOMPARE(Picture(offline), QString("DisOnline.png"));
    }

    void aClickOnAnUnidentifiedCableDeviceSelectsNothing()
    {
        Start(Scenario().Mouse("stranger", 9, QString(), true));
        ClickRecorder recorder;
        ModalUser user;
        QTest::mouseClick(Tiles(m_chooser).value(0), Qt::LeftButton);
        QCOMPARE(recorder.events, QStringList({"SigIsUsb 0 1", "SigSetver 6", "SigMouseIndex 0"}));
        QVERIFY(user.seen.isEmpty());
        QCOMPARE(devicePageShown.load(), 0);
    }

    void aClickOnAReceiverWithoutAMouseVersionAsksNothing()
    {
        Start(Scenario().Receiver("lonely", 1));
        ClickRecorder recorder;
        ModalUser user;
        CloseTheNextPairingDialog(user);
        QTest::mouseClick(Tiles(m_chooser).value(0), Qt::LeftButton);
        QVERIFY(recorder.Starting("SigSelectMouseInfo").isEmpty());
        QVERIFY(recorder.Starting("SigChangeMainDialog").isEmpty());
        // The receiver is the device to pair: the pairing dialog opens for it.
        QVERIFY(DialogChange::chooserPairingSet);
        QCOMPARE(DialogChange::chooserPairingDevice.path, SimulatedDeviceControl::pathOf("lonely"));
        QCOMPARE(user.seen, QStringList{"Match"});
    }

    // With a mouse version on record the click compares firmware images
    // (the shipped NK-M1-Mouse.bin is v1.03, NK-M1-Receiver4K.bin v1.06).
    void theClickChecksFirmware_data()
    {
        QTest::addColumn<QByteArray>("scenario");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<QString>("storedVersion");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("pairing");
        QTest::addColumn<QString>("selected");

        const QByteArray two1k4k = Scenario().Receiver("rA", 0, "0a0a0a").Receiver("rB", 1, "0b0b0b")
                                       .Mouse("mA", 1, "rA", false, 3, false).Mouse("mB", 1, "rB").Json();
        const QByteArray two4k8k = Scenario().Receiver("rA", 1, "0a0a0a").Receiver("rB", 5, "0b0b0b")
                                       .Mouse("mA", 1, "rA", false, 3, false).Mouse("mB", 1, "rB").Json();
        const QByteArray lonely = Scenario().Receiver("rA", 1).Json();

        QTest::newRow("no receiver image, newer mouse image: the cable warning")
            << two1k4k << "MouseVer71" << "v1.02" << "UpDateWarning" << "NewHong" << false << "";
        QTest::newRow("no image at all: pair again? yes")
            << two1k4k << "MouseVer71" << "v1.03" << "RePair" << "OK" << true << "";
        QTest::newRow("both images: pair again? no")
            << two4k8k << "MouseVer71" << "v1.02" << "RePair" << "Cancel" << false << "";
        QTest::newRow("a receiver image only: the device is selected")
            << two4k8k << "MouseVer71" << "v1.03" << "" << "" << false << "rA";
        QTest::newRow("receiver without mouse: pair again? closed")
            << lonely << "MouseVer7" << "v1.00" << "RePair" << "CloseButton" << false << "";
    }

    void theClickChecksFirmware()
    {
        QFETCH(QByteArray, scenario);
        QFETCH(QString, valueName);
        QFETCH(QString, storedVersion);
        QFETCH(QString, dialog);
        QFETCH(QString, answer);
        QFETCH(bool, pairing);
        QFETCH(QString, selected);

        delete m_chooser;
        m_chooser = nullptr;
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenarioJson(scenario, &error), qPrintable(error));
        m_chooser = new DialogChange;
        m_chooser->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_chooser));
        StoreMouseVersion(valueName, storedVersion);

        ClickRecorder recorder;
        ModalUser user;
        QString label;
        QPoint place;
        user.AnswerNext(dialog, [&](QWidget* shown) {
            label = shown->findChild<QLabel*>("label")->text();
            place = shown->pos();
            if (pairing)
                CloseTheNextPairingDialog(user);
            ClickButton(shown, answer);
        });
        QTest::mouseClick(Tiles(m_chooser).value(0), Qt::LeftButton);

        if (dialog.isEmpty()) {
            QVERIFY(user.seen.isEmpty());
        } else {
            QCOMPARE(user.seen, pairing ? QStringList({dialog, "Match"}) : QStringList{dialog});
            QVERIFY(!user.Pending());
        }
        const QPoint centre = m_chooser->mapToGlobal(QPoint(0, 0)) + QPoint((1020 - 300) / 2, (700 - 140) / 2);
        if (dialog == "UpDateWarning") {
            QCOMPARE(label, Text("home", "WiredMode"));
            QCOMPARE(place, centre - QPoint(20, 0));
        } else if (dialog == "RePair") {
            QCOMPARE(label, Text("home", "Repair"));
            QCOMPARE(place, centre);
        }
        QCOMPARE(DialogChange::chooserPairingSet, pairing);
        if (pairing)
            QCOMPARE(DialogChange::chooserPairingDevice.path, SimulatedDeviceControl::pathOf("rA"));
        if (selected.isEmpty()) {
            QVERIFY(recorder.Starting("SigSelectMouseInfo").isEmpty());
            QVERIFY(recorder.Starting("SigChangeMainDialog").isEmpty());
        } else {
            QCOMPARE(recorder.Starting("SigSelectMouseInfo"),
                     QStringList{"SigSelectMouseInfo " + SimulatedDeviceControl::pathOf(selected)});
            QCOMPARE(recorder.Starting("SigChangeMainDialog"), QStringList{"SigChangeMainDialog 1"});
            QCOMPARE(devicePageShown.load(), 1);
        }
    }

    // A hot-plug call during the question rebuilds every tile; the click
    // goes on with the device it was made for, and its tile lives on until
    // the click is over.
    void aRebuildDuringTheQuestionKeepsTheClickOnItsDevice()
    {
        Start(Scenario().Receiver("rA", 1, "0a0a0a").Receiver("rB", 5, "0b0b0b").Mouse("mB", 1, "rB"));
        StoreMouseVersion("MouseVer7", "v1.00");
        QPointer<QToolButton> clicked = Tiles(m_chooser).value(0);
        QVERIFY(clicked);
        const QString clickedPath = DeviceDiscovery::foundDeviceList.at(0).path;

        ModalUser user;
        bool tileAliveInDialog = false;
        int tilesAfterRebuild = -1;
        user.AnswerNext("RePair", [&](QWidget* question) {
            Replug(Scenario().Receiver("rB", 5, "0b0b0b").Mouse("mB", 1, "rB").Receiver("rC", 0, "0c0c0c")
                       .Receiver("rD", 4, "0d0d0d").Mouse("mD", 2, "rD"));
            tilesAfterRebuild = Tiles(m_chooser).size();
            QCoreApplication::processEvents();
            tileAliveInDialog = !clicked.isNull();
            CloseTheNextPairingDialog(user);
            ClickButton(question, "OK");
        });
        QTest::mouseClick(clicked, Qt::LeftButton);

        QCOMPARE(tilesAfterRebuild, 3);
        QVERIFY(tileAliveInDialog);
        QVERIFY(DialogChange::chooserPairingSet);
        QCOMPARE(DialogChange::chooserPairingDevice.path, clickedPath);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(clicked.isNull());
    }

    void theLanguageBoxStoresTheChoice()
    {
        Start(Scenario());
        auto* box = qobject_cast<QComboBox*>(Child("comboBox"));
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->itemText(0), QString("English"));
        ClickRecorder recorder;
        emit box->activated(0);
        QCOMPARE(recorder.events, QStringList({"SigAllLanguage 0", "SigLanguageSameB 0"}));
        QSettings stored(UserSettings::DefaultFilePath(), QSettings::IniFormat);
        QCOMPARE(stored.value("Language/Language").toString(), QString("0"));

        recorder.events.clear();
        PostMsg::Instance()->EmitSigLanguageSameA(3);
        QCOMPARE(box->currentIndex(), -1);
        QVERIFY(recorder.events.isEmpty());
        PostMsg::Instance()->EmitSigLanguageSameA(0);
        QCOMPARE(box->currentIndex(), 0);
    }

    void theTextsFollowTheLanguage()
    {
        Start(Scenario());
        QCOMPARE(qobject_cast<QLabel*>(Child("label_3"))->text(), Text("home", "ClickIn"));
        QCOMPARE(DialogChange::newVersionTipText, Text("home", "NewVerTips"));
        QVERIFY(!Child("FindVer")->isVisible());
    }
};

QTEST_MAIN(TestChooser)
#include "tst_chooser.moc"
