// The page container and its overview page: navigation, battery and
// connection display, the please-wait dialog, and the overview's values.

#include "FromOtherThread.h"
#include "NoticeTestSupport.h"
#include "WindowTestSupport.h"

#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "settings/UpDataParam.h"
#include "windows/Dialog.h"
#include "windows/PreVier.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QProgressBar>
#include <QtTest>

#include <atomic>
#include <thread>

using namespace WindowTest;

namespace {

QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

// Holds the page container as the top-level window does, and notes the keys
// that reach it.
class Holder : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.append(event->key()); }
};

} // namespace

using Report = std::function<void()>;
Q_DECLARE_METATYPE(Report)

class TestPageContainer : public QObject {
    Q_OBJECT
private:
    Holder* m_holder = nullptr;
    Dialog* m_pages = nullptr;

    // The container's own widget of that name, not one inside a page.
    template <typename T>
    T* Child(const char* name)
    {
        auto* stack = m_pages->findChild<QStackedWidget*>(QStringLiteral("stackedWidgetDialog"));
        const QList<T*> found = m_pages->findChildren<T*>(QString::fromLatin1(name));
        for (T* child : found)
            if (!stack || !stack->isAncestorOf(child))
                return child;
        return found.isEmpty() ? nullptr : found.first();
    }
    QStackedWidget* Stack() { return Child<QStackedWidget>("stackedWidgetDialog"); }
    QLabel* Overview(const char* name) { return m_pages->findChild<PreVier*>()->findChild<QLabel*>(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        QVERIFY(Load(Scenario()).isEmpty());
        m_holder = new Holder;
        m_holder->resize(1020, 700);
        m_pages = new Dialog(m_holder);
        m_holder->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_holder));
    }

    void cleanupTestCase()
    {
        delete m_holder;
    }

    void startsOnTheOverview()
    {
        QCOMPARE(Stack()->count(), 7);
        QCOMPARE(Stack()->currentIndex(), 0);
        QVERIFY(Child<QToolButton>("PreButton")->isChecked());
        QCOMPARE(Child<QLabel>("label_2")->text(), QString("100%"));
        QVERIFY(!Child<QLabel>("label")->isVisible());
        QVERIFY(!Child<QToolButton>("SetButton")->isVisible());
        QCOMPARE(m_pages->size(), QSize(1020, 700));
    }

    void everyPictureOfTheStyleSheetsIsBesideTheProgram()
    {
        PostMsg::Instance()->EmitSigIsUsb(true, true);
        PostMsg::Instance()->EmitSigMouseIndex(0);
        const QStringList pictures = NoticeTest::StyleSheetPictures(m_pages);
        QVERIFY(pictures.size() > 30);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo(picture).isFile(), qPrintable(picture));
    }

    void navigationShowsEachPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("page");
        QTest::newRow("buttons") << "ButtonMain" << 1;
        QTest::newRow("sensor") << "SensorButton" << 2;
        QTest::newRow("macro") << "MacroButton" << 3;
        QTest::newRow("lighting") << "LightsButton" << 4;
        QTest::newRow("advanced") << "Advanced" << 5;
        QTest::newRow("settings") << "FormSetting" << 6;
        QTest::newRow("overview") << "PreButton" << 0;
    }

    void navigationShowsEachPage()
    {
        QFETCH(QString, button);
        QFETCH(int, page);
        auto* navigation = m_pages->findChild<QToolButton*>(button);
        QTest::mouseClick(navigation, Qt::LeftButton);
        QCOMPARE(Stack()->currentIndex(), page);
        QVERIFY(navigation->isChecked());
        int checked = 0;
        for (const char* name : {"PreButton", "ButtonMain", "SensorButton", "MacroButton", "LightsButton", "Advanced",
                                 "FormSetting"})
            checked += Child<QToolButton>(name)->isChecked() ? 1 : 0;
        QCOMPARE(checked, 1);
        const QString bar = Child<QFrame>("frame_2")->styleSheet();
        QVERIFY2(bar.contains(page == 0 ? "/BackGround2.png" : "/BackGround.png"), qPrintable(bar));
    }

    void theButtonPageRebuildsItsMacrosAndTheAdvancedPageItsFrames()
    {
        int macroButtons = 0;
        QList<int> layoutsAtPage;
        auto a = connect(PostMsg::Instance(), &PostMsg::SigAddMacroButton, this, [&]() { ++macroButtons; });
        auto b = connect(PostMsg::Instance(), &PostMsg::SigtVis, this, [&](int index) {
            layoutsAtPage.append(index * 100 + Stack()->currentIndex());
        });
        QTest::mouseClick(Child<QToolButton>("PreButton"), Qt::LeftButton);
        QTest::mouseClick(Child<QToolButton>("ButtonMain"), Qt::LeftButton);
        QTest::mouseClick(Child<QToolButton>("Advanced"), Qt::LeftButton);
        disconnect(a);
        disconnect(b);
        QCOMPARE(macroButtons, 1);
        // SigtVis(0) comes before the advanced page is shown.
        QCOMPARE(layoutsAtPage, QList<int>({1}));
        QCOMPARE(Stack()->currentIndex(), 5);
        PostMsg::Instance()->EmitSigSecondPageChange();
        QCOMPARE(Stack()->currentIndex(), 0);
        QVERIFY(Child<QToolButton>("PreButton")->isChecked());
    }

    void batteryDisplay_data()
    {
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("percent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("fill");
        const QColor red(152, 43, 34);
        const QColor green(0, 255, 153);
        QTest::newRow("15 %, low") << false << 15 << true << "15%" << red;
        QTest::newRow("16 charging, no percent sign") << true << 16 << false << "16" << green;
        QTest::newRow("full") << false << 100 << true << "100%" << green;
        QTest::newRow("negative") << false << -3 << true << "-3%" << red;
    }

    void batteryDisplay()
    {
        QFETCH(bool, charging);
        QFETCH(int, level);
        QFETCH(bool, percent);
        QFETCH(QString, text);
        QFETCH(QColor, fill);
        FromOtherThread([&]() { PostMsg::Instance()->EmitSigBattery(charging, level, percent); });
        QCOMPARE(Child<QLabel>("label_2")->text(), text);
        QCOMPARE(Child<QLabel>("label")->isVisible(), charging);
        auto* bar = Child<QProgressBar>("progressBar");
        if (level >= 0)
            QCOMPARE(bar->value(), level);
        // The fill colour as drawn (a chunk wide enough to be seen).
        bar->setValue(50);
        const QImage drawn = bar->grab().toImage();
        QVERIFY2(NoticeTest::SameColour(drawn.pixelColor(3, bar->height() / 2), fill, 8),
                 qPrintable(drawn.pixelColor(3, bar->height() / 2).name()));
    }

    void connectionIcon()
    {
        PostMsg::Instance()->EmitSigIsUsb(true, false);
        QCOMPARE(Picture(Child<QLabel>("label_4")), QString("OnLineUsb.png"));
        PostMsg::Instance()->EmitSigIsUsb(false, true);
        QCOMPARE(Picture(Child<QLabel>("label_4")), QString("OnLineWifi.png"));
    }

    void aRecordingLocksTheNavigation()
    {
        const QList<QToolButton*> navigation = {Child<QToolButton>("PreButton"), Child<QToolButton>("ButtonMain"),
                                                Child<QToolButton>("SensorButton"), Child<QToolButton>("MacroButton"),
                                                Child<QToolButton>("LightsButton"), Child<QToolButton>("Advanced"),
                                                Child<QToolButton>("FormSetting")};
        auto enabled = [&]() {
            int count = 0;
            for (QToolButton* b : navigation)
                count += b->isEnabled() ? 1 : 0;
            return count;
        };
        PostMsg::Instance()->EmitSigStartRecord(0);
        QCOMPARE(enabled(), 0);
        QVERIFY(Child<QToolButton>("UpArrow")->isEnabled());
        QVERIFY(Child<QToolButton>("CloseButton")->isEnabled());
        QVERIFY(Child<QToolButton>("MinButton")->isEnabled());
        PostMsg::Instance()->EmitSigStartRecord(2);
        QCOMPARE(enabled(), 0);
        PostMsg::Instance()->EmitSigStartRecord(1);
        QCOMPARE(enabled(), 7);
    }

    void minimiseAsksTheWindowWithoutTheCache()
    {
        QList<int> sizes;
        auto c = connect(PostMsg::Instance(), &PostMsg::SigChangeSize, this, [&](int i) { sizes.append(i); });
        QTest::mouseClick(Child<QToolButton>("MinButton"), Qt::LeftButton);
        disconnect(c);
        QCOMPARE(sizes, QList<int>({0}));
    }

    void thePleaseWaitDialogOpensForEachRead()
    {
        UpDataParam* wait = nullptr;
        QPoint place;
        ModalUser user;
        user.AnswerNext("UpDataParam", [&](QWidget* dialog) {
            wait = qobject_cast<UpDataParam*>(dialog);
            place = dialog->pos();
            dialog->close();
        });
        // The worker raises it from its thread: a re-initialisation first.
        FromOtherThread([]() { PostMsg::Instance()->EmitSigUpDataParam(1); });
        QTRY_VERIFY_WITH_TIMEOUT(wait, 5000);
        QVERIFY(wait->resetWaitMode);
        const QPoint origin = m_pages->mapToGlobal(QPoint(0, 0));
        QCOMPARE(place, origin + QPoint((1020 - wait->width()) / 2, (700 - wait->height()) / 2 - 20));
        QTRY_VERIFY(!QApplication::activeModalWidget());

        // A plain read afterwards leaves the mode as it was.
        user.AnswerNext("UpDataParam", [](QWidget* dialog) { dialog->close(); });
        FromOtherThread([]() { PostMsg::Instance()->EmitSigUpDataParam(0); });
        QTRY_VERIFY_WITH_TIMEOUT(!user.Pending(), 5000);
        QVERIFY(wait->resetWaitMode);
    }

    void escapeAndF12StayInThePageContainer()
    {
        m_holder->keys.clear();
        for (int key : {int(Qt::Key_Escape), int(Qt::Key_F12), int(Qt::Key_Space), int(Qt::Key_Return)})
            QTest::keyClick(m_pages, Qt::Key(key));
        QCOMPARE(m_holder->keys, QList<int>({Qt::Key_Space, Qt::Key_Return}));
    }

    void overviewStartsWithTheFormTexts()
    {
        QCOMPARE(Overview("DpiValue")->text(), QString("1600"));
        QCOMPARE(Overview("MouseValue")->text(), QString("v2.21"));
        QCOMPARE(Overview("DongleValue")->text(), QString("v1.0"));
        QCOMPARE(Overview("DpiName")->text(), QString("DPI"));
        QCOMPARE(Overview("LodName")->text(), QString("LOD"));
        QCOMPARE(Overview("ReportName")->text(), Text("sensor", "ReportRate"));
        QCOMPARE(Overview("MotionName")->text(), Text("key", "DebounceTime"));
        QCOMPARE(Overview("ConfigName")->text(), Text("key", "configName"));
        QCOMPARE(Overview("MouseVer")->text(), Text("Settings", "MouseVersion"));
        QCOMPARE(Overview("DongleVer")->text(), Text("Settings", "DongleVersion"));
    }

    void overviewShowsWhatThePagesReport_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<Report>("report");
        PostMsg* hub = PostMsg::Instance();
        QTest::newRow("DPI") << "DpiValue" << "26000" << Report([hub] { hub->EmitSigAddSensor(26000); });
        QTest::newRow("report rate 8000") << "ReportValue" << "8000Hz" << Report([hub] { hub->EmitSigAddReport(8000); });
        QTest::newRow("report rate 0") << "ReportValue" << "0Hz" << Report([hub] { hub->EmitSigAddReport(0); });
        QTest::newRow("lift-off") << "LodValue" << "0.7mm" << Report([hub] { hub->EmitSigAddLOD("0.7mm"); });
        QTest::newRow("debounce") << "DebunceValue" << "4ms" << Report([hub] { hub->EmitSigDebunce("4ms"); });
        QTest::newRow("profile") << "ConfigValue" << "Profile 2" << Report([hub] { hub->EmitSigAddConfig("Profile 2"); });
        QTest::newRow("mouse version") << "MouseValue" << "v1.03" << Report([hub] { hub->EmitSigAddVer(0, "v1.03"); });
        QTest::newRow("receiver version") << "DongleValue" << "v1.06" << Report([hub] { hub->EmitSigAddVer(1, "v1.06"); });
    }

    void overviewShowsWhatThePagesReport()
    {
        QFETCH(QString, label);
        QFETCH(QString, shown);
        QFETCH(Report, report);
        report();
        QCOMPARE(Overview(qPrintable(label))->text(), shown);
    }

    void overviewIgnoresOtherTypes()
    {
        PostMsg* hub = PostMsg::Instance();
        hub->EmitSigAddVer(0, "v1.03");
        hub->EmitSigAddVer(1, "v1.06");
        hub->EmitSigAddVer(2, "v9.99");
        hub->EmitSigAddUpdate(5, true);
        QCOMPARE(Overview("MouseValue")->text(), QString("v1.03"));
        QCOMPARE(Overview("DongleValue")->text(), QString("v1.06"));
        QVERIFY(Overview("MouseUp")->isHidden());
        QVERIFY(Overview("DongleUp")->isHidden());
        hub->EmitSigAddUpdate(1, true);
        QVERIFY(!Overview("DongleUp")->isHidden());
        QVERIFY(Overview("MouseUp")->isHidden());
        hub->EmitSigAddUpdate(1, false);
        QVERIFY(Overview("DongleUp")->isHidden());
    }

    void overviewShowsTheMousePicture()
    {
        QWidget* picture = m_pages->findChild<PreVier*>()->findChild<QWidget*>("widget");
        PostMsg::Instance()->EmitSigMouseIndex(3);
        QCOMPARE(Picture(picture), QString("mouse3.png"));
        PostMsg::Instance()->EmitSigMouseIndex(0);
        QCOMPARE(Picture(picture), QString("mouse0.png"));
        QVERIFY(QFileInfo(QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/mouse0.png").isFile());
    }
};

QTEST_MAIN(TestPageContainer)
#include "tst_pagecontainer.moc"
