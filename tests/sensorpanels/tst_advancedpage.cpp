// The advanced page: which panels it shows by model and connection, how it
// fills them from a record and its defaults, where its tips sit per
// language, and its DPI sensitivity section, which never reaches the mouse.

#include "LightingTestSupport.h"

#include "app/LanguageTables.h"
#include "sensor/Advanced.h"
#include "sensor/AngleMove.h"
#include "sensor/KFPS20.h"
#include "sensor/LongMode.h"
#include "sensor/StopCloseTime.h"
#include "widgets/CurvePlotWidget.h"
#include "widgets/MyConmboBox.h"
#include "widgets/RotatableWidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>

#include "app/LanguageLoader.h"

using namespace LightingTest;

namespace {

QList<int> SentLongRangeModes()
{
    QList<int> modes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetLongRangeMode")))
        modes << call.value(QStringLiteral("mode")).toInt();
    return modes;
}

void UseModel(int modelIndex, bool wired)
{
    DeviceAllInfo info = CurrentDevice::Info();
    info.modelIndex = modelIndex;
    info.wired = wired;
    CurrentDevice::SetInfo(info);
}

} // namespace

class TestAdvancedPage : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    Advanced* m_page = nullptr;

    template <typename T>
    T* Child(const char* name)
    {
        T* child = m_page->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no %s", name);
        return child;
    }

    bool LongShown() { return !Child<QWidget>("FrameLongMode")->isHidden(); }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(PANEL_FIXTURES "/advanced.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        UseReceiverMouse();
    }

    void init()
    {
        ResetFlags();
        languageIndex = 0;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        UsbFinderC_SetLongRangeMode(CurrentDevice::Path().constData(), 0);
        UseModel(0, false);
        FlashDataMap map{};
        SetCurrentRecord(map);
        m_page = new Advanced;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        delete m_page;
        m_page = nullptr;
        ResetFlags();
        languageIndex = 0;
    }

    void theFirstTabHostsThePanelsAndTheRestIsHidden()
    {
        QCOMPARE(m_page->size(), QSize(883, 630));
        auto* tabs = Child<QTabWidget>("AdvancedTab");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(Child<QScrollBar>("verticalScrollBar")->isHidden());
        QVERIFY(Child<QWidget>("FrameAngle")->isHidden());
        QVERIFY(!LongShown());
        for (const char* plot : {"PicA", "PicB", "PicC", "PicD"})
            QCOMPARE(Child<CurvePlotWidget>(plot)->geometry(), QRect(0, 10, 721, 381));
        // The first layout pass hides the 20K frame.
        PostMsg::Instance()->EmitSigtVis(0);
        QVERIFY(Child<QWidget>("FrameFPS")->isHidden());
        QVERIFY(Child<QWidget>("FrameAngle")->isHidden());
    }

    void theLongRangePanelFollowsModelAndCable_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("shownAfterReport");
        QTest::newRow("offered, on the receiver") << 0 << false << true << true;
        QTest::newRow("offered, on the cable") << 0 << true << false << true;
        QTest::newRow("not offered") << 1 << false << false << false;
    }

    void theLongRangePanelFollowsModelAndCable()
    {
        QFETCH(int, model);
        QFETCH(bool, wired);
        QFETCH(bool, shown);
        QFETCH(bool, shownAfterReport);
        UseModel(model, wired);
        m_page->SlotForm();
        QCOMPARE(LongShown(), shown);
        m_page->SlotFormB();
        QCOMPARE(LongShown(), shown);
        m_page->SlotLongRangeMode(true);
        QCOMPARE(LongShown(), shownAfterReport);
        // Another layout pass keeps it as it is.
        m_page->SetPos(0);
        QCOMPARE(LongShown(), shownAfterReport);
        if (shownAfterReport)
            QCOMPARE(Child<QWidget>("FrameLongMode")->pos(), QPoint(0, 160));
    }

    void theReportedLongRangeStateReachesTheBoxAndTheReceiver()
    {
        auto* box = Child<LongMode>("FrameLongMode")->findChild<QCheckBox*>(QStringLiteral("checkBox"));
        m_page->SlotForm();
        m_page->SlotLongRangeMode(true);
        QVERIFY(box->isChecked());
        // Sending disabled: the report only shows.
        QCOMPARE(SentLongRangeModes(), QList<int>{});
        deviceSendEnabled = true;
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QCOMPARE(SentLongRangeModes(), QList<int>{0});
        QTest::mouseClick(box, Qt::LeftButton);
        unsigned char mode = 0;
        QVERIFY(UsbFinderC_GetLongRangeMode(CurrentDevice::Path().constData(), &mode));
        QCOMPARE(int(mode), 1);
    }

    void aResetLeavesTheLongRangePanelHidden()
    {
        m_page->SlotForm();
        QVERIFY(LongShown());
        m_page->SlotFormReset();
        QVERIFY(!LongShown());
        // The sensor page's reset lays the pages out again: still hidden.
        PostMsg::Instance()->EmitSigtVis(0);
        QVERIFY(!LongShown());
    }

    void aRecordFillsThePanels_data()
    {
        QTest::addColumn<int>("angleByte");
        QTest::addColumn<int>("sleepByte");
        QTest::addColumn<int>("kfpsByte");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("angleText");
        QTest::addColumn<int>("sleepIndex");
        QTest::addColumn<bool>("kfps");
        QTest::newRow("-30, 1 min, 20K on") << 0xE2 << 6 << 1 << -30 << "-30°" << 2 << true;
        QTest::newRow("12, 15 min, byte 4 = 2") << 12 << 90 << 2 << 12 << "12°" << 7 << false;
        QTest::newRow("0, 10 s, off") << 0 << 1 << 0 << 0 << "0°" << 0 << false;
        QTest::newRow("unknown sleep keeps the entry") << 5 << 240 << 0 << 5 << "5°" << 2 << false;
        QTest::newRow("angle beyond the slider") << 45 << 3 << 0 << 30 << "45°" << 1 << false;
    }

    void aRecordFillsThePanels()
    {
        QFETCH(int, angleByte);
        QFETCH(int, sleepByte);
        QFETCH(int, kfpsByte);
        QFETCH(int, slider);
        QFETCH(QString, angleText);
        QFETCH(int, sleepIndex);
        QFETCH(bool, kfps);
        m_page->SlotFormReset();
        FlashDataMap map{};
        map.angle = int8_t(uint8_t(angleByte));
        map.sleepTime = uint8_t(sleepByte);
        map.kfps20 = uint8_t(kfpsByte);
        deviceSendEnabled = true;
        m_page->SlotUpDataSenSorUISensor(map);
        auto* angle = Child<AngleMove>("FrameAngle");
        QCOMPARE(angle->findChild<QSlider*>(QStringLiteral("AngleSet"))->value(), slider);
        QCOMPARE(angle->findChild<QLabel*>(QStringLiteral("Keydown_6"))->text(), angleText);
        QCOMPARE(angle->findChild<RotatableWidget*>(QStringLiteral("widget_2"))->angle(),
                 (int(int8_t(uint8_t(angleByte))) + 360) % 360);
        QCOMPARE(lastSensorAngle, int(int8_t(uint8_t(angleByte))));
        QCOMPARE(Child<StopCloseTime>("frameClose")->findChild<MyConmboBox*>()->currentIndex(), sleepIndex);
        QCOMPARE(Child<KFPS20>("FrameFPS")->findChild<QToolButton*>(QStringLiteral("KFPS"))->isChecked(), kfps);
        QVERIFY(Child<QWidget>("FrameFPS")->isHidden());
        // Filling writes nothing to the mouse.
        QCOMPARE(SendCount(), 0);
        QCOMPARE(SentLongRangeModes(), QList<int>{});
    }

    void theFillThatCameFromTheDeviceUnlocksTheAngle()
    {
        auto* slider = Child<AngleMove>("FrameAngle")->findChild<QSlider*>(QStringLiteral("AngleSet"));
        Child<AngleMove>("FrameAngle")->setSliderEnabled(false);
        FlashDataMap map{};
        m_page->SlotUpDataSenSorUIB(map);
        QVERIFY(!slider->isEnabled());
        m_page->SlotUpDataSenSorUISensor(map);
        QVERIFY(slider->isEnabled());
    }

    void theResetShowsTheDefaults()
    {
        FlashDataMap map{};
        map.angle = 20;
        map.sleepTime = 90;
        map.kfps20 = 1;
        m_page->SlotUpDataSenSorUISensor(map);
        m_page->SlotFormReset();
        auto* angle = Child<AngleMove>("FrameAngle");
        QCOMPARE(angle->findChild<QSlider*>(QStringLiteral("AngleSet"))->value(), 0);
        QCOMPARE(angle->findChild<QLabel*>(QStringLiteral("Keydown_6"))->text(), QStringLiteral("0°"));
        QCOMPARE(lastSensorAngle, 0);
        QCOMPARE(Child<StopCloseTime>("frameClose")->findChild<MyConmboBox*>()->currentIndex(), 2);
        QVERIFY(!Child<KFPS20>("FrameFPS")->findChild<QToolButton*>(QStringLiteral("KFPS"))->isChecked());
    }

    void performanceModeOffUnchecksThe20KSwitch()
    {
        auto* button = Child<KFPS20>("FrameFPS")->findChild<QToolButton*>(QStringLiteral("KFPS"));
        Child<KFPS20>("FrameFPS")->setSwitchChecked(true);
        PostMsg::Instance()->EmitSig20KOpen(true);
        QVERIFY(button->isChecked());
        PostMsg::Instance()->EmitSig20KOpen(false);
        QVERIFY(!button->isChecked());
        QVERIFY(Child<QWidget>("FrameFPS")->isHidden());
        QCOMPARE(SendCount(), 0);
    }

    void theTipsSitAfterTheTitlesOfEachLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QPoint>("sleepTip");
        QTest::addColumn<QPoint>("dpiTip");
        QTest::newRow("0") << 0 << QPoint(225, 53) << QPoint(280, 54);
        QTest::newRow("1") << 1 << QPoint(165, 53) << QPoint(230, 54);
        QTest::newRow("7") << 7 << QPoint(205, 53) << QPoint(290, 54);
        QTest::newRow("9 moves nothing") << 9 << QPoint(225, 53) << QPoint(280, 54);
    }

    void theTipsSitAfterTheTitlesOfEachLanguage()
    {
        QFETCH(int, language);
        QFETCH(QPoint, sleepTip);
        QFETCH(QPoint, dpiTip);
        m_page->SlotAllLanguage(language);
        QCOMPARE(Child<QLabel>("Error")->pos(), sleepTip);
        QCOMPARE(Child<QLabel>("Error_4")->pos(), dpiTip);
        // The texts are set whatever the index.
        QCOMPARE(Child<QLabel>("label")->text(),
                 LanguageTables::Text(language, QStringLiteral("AdvancedSettings"), QStringLiteral("SleepTime")));
    }

    void theTextsComeFromTheLanguageTables()
    {
        m_page->SlotAllLanguage(0);
        const QString section = QStringLiteral("AdvancedSettings");
        QCOMPARE(Child<QLabel>("label")->text(), QStringLiteral("Sleep time"));
        QCOMPARE(curveAxisTitleX, LanguageTables::Text(0, section, QStringLiteral("dpiModeTipsX")));
        QVERIFY(!curveAxisTitleY.isEmpty());
        QVERIFY(Child<QLabel>("Error_4")->toolTip().contains(QStringLiteral("<br>")));
        QCOMPARE(Child<QLabel>("label_8")->text(), QStringLiteral("Classic"));
        QCOMPARE(Child<QLabel>("label_11")->text(), QStringLiteral("Linear"));
        auto* sleep = Child<StopCloseTime>("frameClose")->findChild<MyConmboBox*>();
        QCOMPARE(sleep->itemText(0), QStringLiteral("10 s"));
        QCOMPARE(sleep->itemText(7), QStringLiteral("15 min"));
    }

    void theAngleTipFollowsTheLongRangePanel_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("longShown");
        QTest::addColumn<int>("x");
        QTest::newRow("2, shown") << 2 << true << 230;
        QTest::newRow("2, hidden") << 2 << false << 170;
        QTest::newRow("3, hidden") << 3 << false << 280;
    }

    void theAngleTipFollowsTheLongRangePanel()
    {
        QFETCH(int, language);
        QFETCH(bool, longShown);
        QFETCH(int, x);
        languageIndex = language;
        UseModel(longShown ? 0 : 1, false);
        m_page->SlotForm();
        QCOMPARE(Child<AngleMove>("FrameAngle")->findChild<QLabel*>(QStringLiteral("Error_3"))->pos(), QPoint(x, 6));
    }

    void theDpiSwitchEnablesTheModeBoxes()
    {
        auto* modeSwitch = Child<QCheckBox>("checkBox_2");
        auto* tabs = Child<QTabWidget>("AdvancedTab");
        tabs->setCurrentIndex(1);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page));
        auto* third = Child<QCheckBox>("checkBox_5");
        QVERIFY(!third->isEnabled());
        QCOMPARE(Child<QLabel>("label_10")->styleSheet(), QStringLiteral("QLabel{color: rgb(115,115,115);}"));
        QTest::mouseClick(modeSwitch, Qt::LeftButton);
        QVERIFY(third->isEnabled());
        QVERIFY(Child<QLabel>("label_10")->styleSheet().contains(QStringLiteral("225,228,235")));
        QTest::mouseClick(third, Qt::LeftButton);
        QCOMPARE(Child<QTabWidget>("ModeTab")->currentIndex(), 2);
        QVERIFY(!Child<QCheckBox>("checkBox_3")->isChecked());
        QTest::mouseClick(modeSwitch, Qt::LeftButton);
        QVERIFY(!third->isEnabled());
        QCOMPARE(SendCount(), 0);
    }

    void aWheelOnThePageChangesNothing()
    {
        auto* tabs = Child<QTabWidget>("AdvancedTab");
        QWheelEvent wheel(QPointF(400, 300), QPointF(400, 300), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_page, &wheel);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(Child<QScrollBar>("verticalScrollBar")->value(), 1);
    }
};

QTEST_MAIN(TestAdvancedPage)
#include "tst_advancedpage.moc"
