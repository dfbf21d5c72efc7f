// The device pages made after the chooser's first frame: they look and act
// as when they are made with the window, whenever the user first reaches
// them. Every page and every open combo box list is compared pixel for pixel;
// with NK_LOOKS_DIR set the pictures are also written there, to compare two
// trees by hand.

#include "HubRecorder.h"
#include "WindowTestSupport.h"

#include "app/AppPaths.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "platform/RegistryStore.h"
#include "settings/FormSetting.h"
#include "windows/Dialog.h"
#include "windows/DialogChange.h"
#include "windows/DialogMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QtTest>

#include <memory>

using namespace WindowTest;

namespace {

using Looks = QMap<QString, QImage>;

// Library calls as the device sees them: name and arguments, without times.
QStringList CallsSeen()
{
    QStringList seen;
    for (QJsonObject call : SimulatedDeviceControl::calls()) {
        call.remove(QStringLiteral("t"));
        seen.append(QString::fromUtf8(QJsonDocument(call).toJson(QJsonDocument::Compact)));
    }
    return seen;
}

enum class Click { AtFirstFrame, AfterIdle };

// The font scale of a 100 DPI screen.
constexpr double kSmallerFonts = 0.96;

} // namespace

class TestPageLooks : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<DialogMain> m_window;

    QWidget* Current() { return m_window->findChild<QStackedWidget*>("stackedWidgetMain")->currentWidget(); }
    DialogChange* Chooser() { return m_window->findChild<DialogChange*>(); }
    Dialog* Pages() { return m_window->findChild<Dialog*>(); }
    QToolButton* TopBar(const char* name)
    {
        auto* stack = Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog"));
        for (QToolButton* button : Pages()->findChildren<QToolButton*>(QString::fromLatin1(name)))
            if (!stack->isAncestorOf(button))
                return button;
        return nullptr;
    }

    void Open(PageTiming timing, double fontScale = 1.0)
    {
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QCoreApplication::applicationDirPath()
                                                          + "/Simulation/DefaultScenario.json", &error),
                 qPrintable(error));
        SimulatedDeviceControl::clearCalls();
        m_window.reset(new DialogMain(nullptr, timing));
        // As the program does on a screen of another density.
        if (fontScale != 1.0)
            m_window->ScaleFonts(fontScale);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // The tile click, then the wait until the mouse is read. Before the
    // pages are made the click waits for them, the chooser still shown, and
    // a second click then adds nothing.
    void ClickTile()
    {
        HubRecorder recorder;
        QCOMPARE(Tiles(Chooser()).size(), 1);
        const bool early = !Pages()->PagesComplete();
        QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        if (early) {
            QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
            QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbServerC_Start")).isEmpty());
            QTest::mouseClick(Tiles(Chooser()).first(), Qt::LeftButton);
        }
        QTRY_COMPARE(Current(), static_cast<QWidget*>(Pages()));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.Names().contains("SigForm"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 10000);
        QVERIFY(recorder.Named("SigMouseOffLineo").isEmpty());
    }

    // Every page through its navigation button, and the list of every combo
    // box it shows, opened.
    Looks TakeLooks()
    {
        Looks looks;
        for (const char* button : {"PreButton", "ButtonMain", "SensorButton", "MacroButton", "LightsButton", "Advanced",
                                   "FormSetting"}) {
            QTest::mouseClick(TopBar(button), Qt::LeftButton);
            QTest::qWait(20);
            const QString page = QString::fromLatin1(button);
            looks.insert(page, m_window->grab().toImage());
            auto* stack = Pages()->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog"));
            for (QComboBox* box : stack->currentWidget()->findChildren<QComboBox*>()) {
                if (!box->isVisibleTo(m_window.get()))
                    continue;
                box->showPopup();
                QTest::qWait(10);
                looks.insert(page + QLatin1Char('-') + box->objectName(), box->view()->window()->grab().toImage());
                box->hidePopup();
            }
        }
        return looks;
    }

    void Close()
    {
        m_window.reset();
        devicePageShown = 0;
        UsbServer_Exit();
        QTest::qWait(50);
        QFile::remove(DeviceCacheFile::Folder() + QStringLiteral("Device_CID07_MID01.bin"));
    }

    static void Write(const Looks& looks, const QString& run)
    {
        const QString folder = qEnvironmentVariable("NK_LOOKS_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        for (auto it = looks.begin(); it != looks.end(); ++it)
            it.value().save(folder + QLatin1Char('/') + run + QLatin1Char('-') + it.key() + QStringLiteral(".png"));
    }

    // By font scale: the pages made with the window, what every later build
    // must show and send.
    QMap<double, Looks> m_atStart;
    QMap<double, QStringList> m_callsAtStart;

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        QApplication::setQuitOnLastWindowClosed(false);
        for (double scale : {1.0, kSmallerFonts}) {
            Open(PageTiming::AtStart, scale);
            ClickTile();
            m_callsAtStart[scale] = CallsSeen();
            m_atStart[scale] = TakeLooks();
            Close();
            Write(m_atStart[scale], QStringLiteral("start-") + QString::number(scale));
            QVERIFY(m_atStart[scale].size() > 7);
        }
        QVERIFY(m_atStart[1.0] != m_atStart[kSmallerFonts]);
    }

    void cleanup() { Close(); }

    // The chooser is painted before the pages exist; they follow without a
    // click, each step in its own turn of the event loop.
    void thePagesFollowTheFirstFrameWithoutAClick()
    {
        Open(PageTiming::AfterFirstFrame);
        QVERIFY(!Pages()->PagesComplete());
        QTRY_VERIFY_WITH_TIMEOUT(Pages()->PagesComplete(), 10000);
        QCOMPARE(Current(), static_cast<QWidget*>(Chooser()));
        // Nothing went to the device for them.
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbServerC_Start")).size(), 0);
    }

    void everyPageLooksAndReadsAsWhenMadeAtStart_data()
    {
        QTest::addColumn<int>("click");
        QTest::addColumn<double>("scale");
        QTest::newRow("tile clicked at the first frame") << int(Click::AtFirstFrame) << 1.0;
        QTest::newRow("tile clicked once idle") << int(Click::AfterIdle) << 1.0;
        QTest::newRow("smaller fonts, tile clicked once idle") << int(Click::AfterIdle) << kSmallerFonts;
    }

    void everyPageLooksAndReadsAsWhenMadeAtStart()
    {
        QFETCH(int, click);
        QFETCH(double, scale);
        Open(PageTiming::AfterFirstFrame, scale);
        if (click == int(Click::AfterIdle))
            QTRY_VERIFY_WITH_TIMEOUT(Pages()->PagesComplete(), 10000);
        else
            QVERIFY(!Pages()->PagesComplete());
        ClickTile();
        QCOMPARE(CallsSeen(), m_callsAtStart[scale]);
        const Looks later = TakeLooks();
        Write(later, QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')));
        QCOMPARE(later.keys(), m_atStart[scale].keys());
        QStringList differ;
        for (auto it = later.begin(); it != later.end(); ++it) {
            if (it.value() != m_atStart[scale].value(it.key()))
                differ.append(it.key());
        }
        QVERIFY2(differ.isEmpty(), qPrintable(differ.join(QLatin1String(", "))));
    }

    // Space on the chooser before the pages exist: the warning that the mouse
    // needs its cable carries the settings page's text all the same.
    void spaceBeforeThePagesWarnsWithTheirText()
    {
        StopUsbChanged();
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            Scenario().Receiver("r1k", 0, "010101").Mouse("m1", 1, "r1k").Json()));
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "MouseVer71", "v1.02");
        m_window.reset(new DialogMain(nullptr, PageTiming::AfterFirstFrame));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(!Pages()->PagesComplete());
        ModalUser user;
        QString warning;
        user.AnswerNext("UpDateWarning", [&warning](QWidget* dialog) {
            warning = dialog->findChild<QLabel*>(QStringLiteral("label"))->text();
            ClickButton(dialog, "NewHong");
        });
        QTest::keyClick(m_window.get(), Qt::Key_Space);
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "MouseVer71");
        QVERIFY(user.seen.contains("UpDateWarning"));
        QCOMPARE(warning, LanguageTables::Text(0, QStringLiteral("home"), QStringLiteral("WiredMode")));
        QVERIFY(!warning.isEmpty());
    }
};

QTEST_MAIN(TestPageLooks)
#include "tst_pagelooks.moc"
