#include "LightingTestSupport.h"

#include "sensor/SensorEffect.h"
#include "widgets/MyConmboBox.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

using namespace LightingTest;

class TestSensorEffect : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    SensorEffect* m_panel = nullptr;
    QSignalSpy* m_offline = nullptr;

    QComboBox* Model() const { return m_panel->findChild<QComboBox*>(QStringLiteral("Model")); }
    QSlider* Slider(const char* name) const { return m_panel->findChild<QSlider*>(QLatin1String(name)); }
    QSpinBox* Box(const char* name) const { return m_panel->findChild<QSpinBox*>(QLatin1String(name)); }
    bool Shown(const char* name) const { return !m_panel->findChild<QWidget*>(QLatin1String(name))->isHidden(); }

    // The panel as a fill leaves it: effect 2 shown, speed 3, level 5, the
    // record holding the same.
    void ShowDeviceState()
    {
        FlashDataMap map = LightingRecord(2, 128, 3, 1, LedBarSettings{}, 0);
        SetCurrentRecord(map);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&map));
        m_panel->SetSlidersEnabled(true);
        m_panel->UnblockSliders();
        m_panel->SetMode(2);
        m_panel->SetSpeed(3);
        m_panel->SetBrightnessLevel(5);
        SimulatedDeviceControl::clearCalls();
        m_offline->clear();
    }

private slots:
    void initTestCase()
    {
        m_config = UseLightingConfig();
        UseReceiverMouse();
        m_offline = OfflineNotices();
    }

    void init()
    {
        ResetFlags();
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        m_panel = new SensorEffect;
        ShowDeviceState();
        deviceSendEnabled = true;
    }

    void cleanup()
    {
        delete m_panel;
        m_panel = nullptr;
        ResetFlags();
    }

    void brightnessLevelIsSentAsItsCode_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("code");
        QTest::newRow("lowest") << 1 << 16;
        QTest::newRow("level 3") << 3 << 60;
        QTest::newRow("level 6") << 6 << 150;
        QTest::newRow("level 9") << 9 << 230;
        QTest::newRow("highest") << 10 << 255;
    }

    void brightnessLevelIsSentAsItsCode()
    {
        QFETCH(int, level);
        QFETCH(int, code);
        Slider("LightH")->setValue(level);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(int(uchar(LastSentRecord().at(85))), code);
        QCOMPARE(MouseHolds(85), code);
        QCOMPARE(Box("LightSpinBox")->value(), level);
        QCOMPARE(SensorEffect::BrightnessLevel(code), level);
    }

    void levelFiveIsSentWhenTheSliderComesBackToIt()
    {
        Slider("LightH")->setValue(7);
        Slider("LightH")->setValue(5);
        QCOMPARE(MouseHolds(85), 128);
    }

    void speedIsSentAsShown()
    {
        Slider("SpeedH")->setValue(5);
        QCOMPARE(MouseHolds(86), 5);
        QCOMPARE(Box("SpeedSpinBox")->value(), 5);
        QCOMPARE(m_offline->count(), 0);
    }

    void effectChoiceWritesEffectAndOnFlag_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("byte84");
        QTest::addColumn<int>("byte87");
        QTest::newRow("steady") << 1 << 1 << 1;
        QTest::newRow("off keeps the effect") << 0 << 2 << 0;
    }

    void effectChoiceWritesEffectAndOnFlag()
    {
        QFETCH(int, effect);
        QFETCH(int, byte84);
        QFETCH(int, byte87);
        Model()->setCurrentIndex(effect);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(84), byte84);
        QCOMPARE(MouseHolds(87), byte87);
        QCOMPARE(Model()->currentIndex(), effect);
    }

    void effectShowsOnlyTheControlsItUses_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("speed");
        QTest::addColumn<bool>("brightness");
        QTest::newRow("off") << 0 << false << false;
        QTest::newRow("steady") << 1 << false << true;
        QTest::newRow("breathing") << 2 << true << false;
    }

    void effectShowsOnlyTheControlsItUses()
    {
        QFETCH(int, effect);
        QFETCH(bool, speed);
        QFETCH(bool, brightness);
        for (int shownFirst : {0, 1, 2}) {
            m_panel->SetMode(shownFirst);
            if (shownFirst == effect)
                continue;
            Model()->setCurrentIndex(effect);
            QCOMPARE(Shown("SpeedH"), speed);
            QCOMPARE(Shown("SpeedSpinBox"), speed);
            QCOMPARE(Shown("LightH"), brightness);
            QCOMPARE(Shown("LightSpinBox"), brightness);
            // The grey track stands in for a hidden slider.
            QCOMPARE(Shown("line"), !speed);
            QCOMPARE(Shown("line_2"), !brightness);
        }
    }

    void effectIsOnlyShownWhileNothingMaySend_data()
    {
        QTest::addColumn<bool>("sendEnabled");
        QTest::addColumn<bool>("sensorFilling");
        QTest::newRow("sending not yet on") << false << false;
        QTest::newRow("sensor page filling") << true << true;
    }

    void effectIsOnlyShownWhileNothingMaySend()
    {
        QFETCH(bool, sendEnabled);
        QFETCH(bool, sensorFilling);
        deviceSendEnabled = sendEnabled;
        sensorPageFilling = sensorFilling;
        Model()->setCurrentIndex(1);
        QCOMPARE(SendCount(), 0);
        QVERIFY(Shown("LightH"));
        QVERIFY(!Shown("SpeedH"));

        // The effect the device has is still the one to go back to.
        deviceSendEnabled = true;
        sensorPageFilling = false;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Model()->setCurrentIndex(0);
        QCOMPARE(Model()->currentIndex(), 2);
        QVERIFY(Shown("SpeedH"));
    }

    void refusedEffectShowsTheRememberedOneAgain()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Model()->setCurrentIndex(1);
        QCOMPARE(Model()->currentIndex(), 2);
        QVERIFY(Shown("SpeedH"));
        QVERIFY(!Shown("LightH"));
        QCOMPARE(SendCount(), 0);
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(MouseHolds(84), 2);
        QCOMPARE(MouseHolds(87), 1);
    }

    void refusedSliderStaysDisabledAtItsNumberBox_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("shown");
        QTest::newRow("speed") << "SpeedH" << "SpeedSpinBox" << 3;
        QTest::newRow("brightness") << "LightH" << "LightSpinBox" << 5;
    }

    void refusedSliderStaysDisabledAtItsNumberBox()
    {
        QFETCH(QString, slider);
        QFETCH(QString, box);
        QFETCH(int, shown);
        QSlider* control = m_panel->findChild<QSlider*>(slider);
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        control->setValue(1);
        QVERIFY(!control->isEnabled());
        QCOMPARE(control->value(), shown);
        QCOMPARE(m_panel->findChild<QSpinBox*>(box)->value(), shown);
        QCOMPARE(m_offline->count(), 1);

        // Disabled, it keeps no new value even once the mouse answers.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        control->setValue(2);
        QCOMPARE(control->value(), shown);
        QCOMPARE(SendCount(), 0);

        // Until the host enables it again.
        m_panel->SetSlidersEnabled(true);
        control->setValue(2);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(m_panel->findChild<QSpinBox*>(box)->value(), 2);
    }

    void dragWhileOfflinePutsTheSliderBack()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        deviceSendEnabled = false; // the check runs whatever this says
        QSlider* speed = Slider("SpeedH");
        speed->setSliderDown(true);
        speed->setSliderPosition(5);
        QVERIFY(!speed->isEnabled());
        QCOMPARE(speed->value(), 3);
        QCOMPARE(m_offline->count(), 1);
        speed->setSliderDown(false);
        QCOMPARE(speed->value(), 3);
        QCOMPARE(SendCount(), 0);
    }

    void dragWhileOnlineShowsThePositionAndWritesTheRelease()
    {
        QSlider* light = Slider("LightH");
        light->setSliderDown(true);
        light->setSliderPosition(8);
        QVERIFY(light->isEnabled());
        QCOMPARE(Box("LightSpinBox")->value(), 8);
        QCOMPARE(SendCount(), 0);
        // The check leaves the press alone: the box follows each step and
        // the release writes where the handle was let go.
        light->setSliderPosition(9);
        light->setSliderDown(false);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(85), 230);
        QCOMPARE(Box("LightSpinBox")->value(), 9);
    }

    void showingAnUnknownEffectKeepsTheLayout()
    {
        m_panel->SetMode(5);
        QCOMPARE(Model()->currentIndex(), -1);
        QVERIFY(Shown("SpeedH"));
        QVERIFY(!Shown("LightH"));
        QCOMPARE(SendCount(), 0);
    }

    void showingValuesSendsNothing()
    {
        m_panel->SetMode(1);
        m_panel->SetSpeed(4);
        m_panel->SetBrightnessLevel(9);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(Slider("SpeedH")->value(), 4);
        QCOMPARE(Slider("LightH")->value(), 9);
        QCOMPARE(Box("LightSpinBox")->value(), 9);
    }

    void levelZeroShowsAtTheMinimum()
    {
        m_panel->SetBrightnessLevel(0);
        QCOMPARE(Slider("LightH")->value(), 1);
        QCOMPARE(Box("LightSpinBox")->value(), 1);
    }

    void shortThemeColoursReadAsWhite()
    {
        ConfigSettings shortColours(QStringLiteral(LIGHTING_FIXTURES "/short_colours.ini"));
        ConfigSettings::ReplaceInstance(&shortColours);
        SensorEffect panel;
        ConfigSettings::ReplaceInstance(m_config);
        const QString labelStyle = panel.findChild<QLabel*>(QStringLiteral("label"))->styleSheet();
        QVERIFY2(labelStyle.contains(QStringLiteral("rgb(255,255,255)")), qPrintable(labelStyle));
        QVERIFY(!labelStyle.contains(QStringLiteral("225,228")));
        const QString sliderStyle = panel.findChild<QSlider*>(QStringLiteral("SpeedH"))->styleSheet();
        QVERIFY(sliderStyle.contains(QStringLiteral("rgb(255,255,255)")));
        QVERIFY(!sliderStyle.contains(QStringLiteral("rgb(0)")));
    }
};

QTEST_MAIN(TestSensorEffect)
#include "tst_sensoreffect.moc"
