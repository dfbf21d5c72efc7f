// The advanced page's panels: the sleep time, the 20K switch, the long-range
// mode and the sensor angle each write what the user chose into the mouse,
// and put their control back when the mouse does not answer.

#include "LightingTestSupport.h"
#include "NoticeTestSupport.h"

#include "sensor/AngleMove.h"
#include "sensor/KFPS20.h"
#include "sensor/LongMode.h"
#include "sensor/StopCloseTime.h"
#include "widgets/MyConmboBox.h"
#include "widgets/RotatableWidget.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "app/LanguageLoader.h"

using namespace LightingTest;

namespace {

const int kKfpsByte = 4;
const int kSleepByte = 8;
const int kAngleByte = 15;
const int kAngleSetByte = 16;

int MouseLongRange()
{
    unsigned char mode = 0x73;
    const QByteArray path = CurrentDevice::Path();
    if (!UsbFinderC_GetLongRangeMode(path.constData(), &mode))
        return -1;
    return mode;
}

QList<int> SentLongRangeModes()
{
    QList<int> modes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetLongRangeMode")))
        modes << call.value(QStringLiteral("mode")).toInt();
    return modes;
}

// Picks an entry as the user does: the list's activation.
void Pick(MyConmboBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

class TestAdvancedPanels : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;

    void ShowRecord(const FlashDataMap& map)
    {
        SetCurrentRecord(map);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&map));
        SimulatedDeviceControl::clearCalls();
    }

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        UseReceiverMouse();
    }

    void init()
    {
        ResetFlags();
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        UsbFinderC_SetLongRangeMode(CurrentDevice::Path().constData(), 0);
        FlashDataMap map{};
        map.sleepTime = 6;
        ShowRecord(map);
        lastSensorAngle = 0;
        deviceSendEnabled = true;
    }

    void cleanup() { ResetFlags(); }

    // ---- sleep time ----

    void aSleepPickWritesItsCode_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::newRow("10 s") << 0 << 1;
        QTest::newRow("item 3") << 3 << 12;
        QTest::newRow("item 7, the last") << 7 << 90;
        QTest::newRow("the current item again") << 2 << 6;
    }

    void aSleepPickWritesItsCode()
    {
        QFETCH(int, index);
        QFETCH(int, code);
        StopCloseTime panel;
        panel.SetSleepIndex(2);
        QCOMPARE(SendCount(), 0);
        Pick(panel.findChild<MyConmboBox*>(QStringLiteral("StopClose")), index);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(int(uchar(LastSentRecord().at(kSleepByte))), code);
        QCOMPARE(MouseHolds(kSleepByte), code);
    }

    void aSleepPickIsPutBackOrKept_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("sending");
        QTest::addColumn<int>("shown");
        QTest::newRow("offline: back to the last entry") << false << true << 2;
        QTest::newRow("sending disabled: the box keeps it") << true << false << 5;
    }

    void aSleepPickIsPutBackOrKept()
    {
        QFETCH(bool, online);
        QFETCH(bool, sending);
        QFETCH(int, shown);
        StopCloseTime panel;
        auto* box = panel.findChild<MyConmboBox*>(QStringLiteral("StopClose"));
        panel.SetSleepIndex(2);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), online);
        deviceSendEnabled = sending;
        Pick(box, 5);
        QCOMPARE(box->currentIndex(), shown);
        QCOMPARE(SendCount(), 0);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        QCOMPARE(MouseHolds(kSleepByte), 6);
        // The last entry stayed 2: a refused pick later goes back there.
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Pick(box, 6);
        QCOMPARE(box->currentIndex(), 2);
    }

    void sleepItemsTakeTheHostsTexts()
    {
        StopCloseTime panel;
        auto* box = panel.findChild<MyConmboBox*>(QStringLiteral("StopClose"));
        QCOMPARE(box->count(), 8);
        panel.SetItemText(3, QStringLiteral("2 min"));
        QCOMPARE(box->itemText(3), QStringLiteral("2 min"));
        QCOMPARE(StopCloseTime::CodeOfIndex(10), 240);
        QCOMPARE(StopCloseTime::CodeOfIndex(11), -1);
        QCOMPARE(StopCloseTime::CodeOfIndex(-1), -1);
    }

    // ---- 20K frame rate ----

    void theSwitchWritesByteFourEvenBeforeSendingIsEnabled()
    {
        KFPS20 panel;
        auto* button = panel.findChild<QToolButton*>(QStringLiteral("KFPS"));
        deviceSendEnabled = false;
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isChecked());
        QCOMPARE(MouseHolds(kKfpsByte), 1);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(MouseHolds(kKfpsByte), 0);
    }

    void anOfflineSwitchGoesBack()
    {
        KFPS20 panel;
        auto* button = panel.findChild<QToolButton*>(QStringLiteral("KFPS"));
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isChecked());
        QCOMPARE(SendCount(), 0);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        QCOMPARE(MouseHolds(kKfpsByte), 0);
        // The page's switch setting never writes.
        panel.setSwitchChecked(true);
        QVERIFY(button->isChecked());
        QCOMPARE(SendCount(), 0);
    }

    // ---- long-range mode ----

    void theLongRangeModeReachesTheReceiver()
    {
        LongMode panel;
        auto* box = panel.findChild<QCheckBox*>(QStringLiteral("checkBox"));
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(MouseLongRange(), 1);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(MouseLongRange(), 0);
        QCOMPARE(SentLongRangeModes(), (QList<int>{1, 0}));
        // Nothing of it goes into the device record.
        QCOMPARE(SendCount(), 0);
    }

    // The page shows the state the receiver reported; sending it back
    // would ask a silent mouse inside the link's wait.
    void thePagesSettingShowsWithoutSending()
    {
        LongMode panel;
        auto* box = panel.findChild<QCheckBox*>(QStringLiteral("checkBox"));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        panel.setModeChecked(true);
        QVERIFY(box->isChecked());
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        panel.setModeChecked(false);
        QVERIFY(!box->isChecked());
        panel.setModeChecked(true);
        QVERIFY(box->isChecked());
        QCOMPARE(SentLongRangeModes(), QList<int>{});
        QCOMPARE(offline.size(), 0);
        // The user's click after it still reaches the receiver.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(SentLongRangeModes(), QList<int>{0});
        QCOMPARE(MouseLongRange(), 0);
    }

    void anOfflineLongRangeChangeGoesBackWithTheNotice()
    {
        LongMode panel;
        auto* box = panel.findChild<QCheckBox*>(QStringLiteral("checkBox"));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        // The notice comes even while a page fills.
        sensorPageFilling = true;
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QCOMPARE(offline.size(), 1);
        QCOMPARE(SentLongRangeModes(), QList<int>{});
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        QCOMPARE(MouseLongRange(), 0);
    }

    void withoutSendingTheLongRangeBoxKeepsItsState()
    {
        LongMode panel;
        auto* box = panel.findChild<QCheckBox*>(QStringLiteral("checkBox"));
        deviceSendEnabled = false;
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(SentLongRangeModes(), QList<int>{});
        QCOMPARE(MouseLongRange(), 0);
    }

    // ---- sensor angle ----

    void aReleasedAngleIsWrittenAsASignedByte_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("byte");
        QTest::newRow("-12") << -12 << 0xF4;
        QTest::newRow("-30") << -30 << 0xE2;
        QTest::newRow("30") << 30 << 30;
        QTest::newRow("0 after -5") << 0 << 0;
    }

    void aReleasedAngleIsWrittenAsASignedByte()
    {
        QFETCH(int, angle);
        QFETCH(int, byte);
        AngleMove panel;
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("AngleSet"));
        auto* text = panel.findChild<QLabel*>(QStringLiteral("Keydown_6"));
        auto* picture = panel.findChild<RotatableWidget*>(QStringLiteral("widget_2"));
        if (angle == 0)
            panel.setAngleValue(-5);
        // Dragging shows and turns at once but sends nothing.
        slider->setSliderDown(true);
        slider->setSliderPosition(angle);
        QCOMPARE(text->text(), QStringLiteral("%1°").arg(angle));
        QCOMPARE(picture->angle(), (angle + 360) % 360);
        QCOMPARE(SendCount(), 0);
        // The release writes the enable byte and the angle.
        slider->setSliderDown(false);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(kAngleSetByte), 1);
        QCOMPARE(MouseHolds(kAngleByte), byte);
        QCOMPARE(lastSensorAngle, angle);
    }

    void aRefusedAngleGoesBackAndLocksTheSlider()
    {
        AngleMove panel;
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("AngleSet"));
        auto* text = panel.findChild<QLabel*>(QStringLiteral("Keydown_6"));
        auto* picture = panel.findChild<RotatableWidget*>(QStringLiteral("widget_2"));
        lastSensorAngle = 10;
        panel.setAngleValue(10);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        slider->setValue(-20);
        QCOMPARE(slider->value(), 10);
        QCOMPARE(text->text(), QStringLiteral("10°"));
        QCOMPARE(picture->angle(), 10);
        QVERIFY(!slider->isEnabled());
        // A locked slider sends nothing, even once the mouse answers again.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        slider->setValue(25);
        QCOMPARE(slider->value(), 10);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(MouseHolds(kAngleByte), 0);
        // The page's next fill unlocks it.
        panel.setSliderEnabled(true);
        slider->setValue(25);
        QCOMPARE(MouseHolds(kAngleByte), 25);
    }

    void aNewValueWhileTheSensorPageFillsSendsNothing()
    {
        AngleMove panel;
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("AngleSet"));
        auto* text = panel.findChild<QLabel*>(QStringLiteral("Keydown_6"));
        sensorPageFilling = true;
        slider->setValue(7);
        QCOMPARE(text->text(), QStringLiteral("7°"));
        QCOMPARE(SendCount(), 0);
        QCOMPARE(lastSensorAngle, 0);
    }

    void thePagesOperationsTouchOnlyTheirPart()
    {
        AngleMove panel;
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("AngleSet"));
        auto* text = panel.findChild<QLabel*>(QStringLiteral("Keydown_6"));
        auto* picture = panel.findChild<RotatableWidget*>(QStringLiteral("widget_2"));
        panel.setAngleValue(20);
        QCOMPARE(slider->value(), 20);
        QCOMPARE(text->text(), QStringLiteral("+30°"));
        QCOMPARE(picture->angle(), 0);
        panel.setPictureAngle(-10);
        QCOMPARE(picture->angle(), 350);
        panel.setAngleText(QStringLiteral("20°"));
        QCOMPARE(text->text(), QStringLiteral("20°"));
        QCOMPARE(SendCount(), 0);
    }

    void thePanelsTakeTheirTextsAndShippedPictures()
    {
        KFPS20 kfps;
        LongMode longMode;
        AngleMove angle;
        const QString section = QStringLiteral("AdvancedSettings");
        QCOMPARE(kfps.findChild<QLabel*>(QStringLiteral("label_3"))->text(),
                 LanguageTables::Text(languageIndex, section, QStringLiteral("scanningTitle")));
        QCOMPARE(longMode.findChild<QLabel*>(QStringLiteral("label_6"))->text(),
                 LanguageTables::Text(languageIndex, section, QStringLiteral("LongDistanceTips")));
        QCOMPARE(angle.findChild<QLabel*>(QStringLiteral("Error_3"))->toolTip(),
                 LanguageTables::Text(languageIndex, section, QStringLiteral("AngularModeTips")));
        QVERIFY(!LanguageTables::Text(languageIndex, section, QStringLiteral("AngularMode")).isEmpty());
        for (QWidget* panel : std::initializer_list<QWidget*>{&kfps, &longMode, &angle}) {
            const QStringList pictures = NoticeTest::StyleSheetPictures(panel);
            QVERIFY(!pictures.isEmpty());
            for (const QString& picture : pictures)
                QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        }
        kfps.moveTipIcon(300, 6);
        QCOMPARE(kfps.findChild<QLabel*>(QStringLiteral("Error_2"))->pos(), QPoint(300, 6));
    }
};

QTEST_MAIN(TestAdvancedPanels)
#include "tst_advancedpanels.moc"
