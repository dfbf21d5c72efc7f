#include "LightingTestSupport.h"

#include "lighting/LightingState.h"
#include "lighting/LightColorPresets.h"
#include "lighting/MouseLight.h"
#include "platform/ScreenGrab.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using namespace LightingTest;

class TestMouseLight : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    MouseLight* m_editor = nullptr;
    QSignalSpy* m_offline = nullptr;

    template <typename T = QWidget>
    T* Child(const char* name) const
    {
        T* child = m_editor->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QComboBox* Effect() const { return Child<QComboBox>("LightMod"); }
    bool Shown(const char* name) const { return !Child(name)->isHidden(); }

    QList<QByteArray> SentColours() const
    {
        QList<QByteArray> colours;
        for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")))
            colours.append(QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1()).mid(89, 3));
        return colours;
    }

    // As the lighting page fills the editor: breathing (effect 2), brightness
    // 6, speed 4, colour 10, 20, 30, moving-off on; the mouse holds the same.
    void FillLikeThePage()
    {
        FlashDataMap map = LightingRecord(1, 16, 1, 1, LedBarSettings{2, 10, 20, 30, 3, 5, 1}, 1);
        SetCurrentRecord(map);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&map));
        lightPageFilling = true;
        m_editor->EnableSliders(true);
        m_editor->BlockValueSignals(true);
        m_editor->SetLightValue(6);
        m_editor->SetSpeedValue(4);
        m_editor->SetSpeedSpinBox(4);
        m_editor->SetLightSpinBox(6);
        m_editor->SetRGB(10, 20, 30);
        m_editor->BlockValueSignals(false);
        m_editor->SetComboIndex(2);
        lastMouseLightMode = 2;
        m_editor->SetRippeControl(true);
        lightPageFilling = false;
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
        m_editor = new MouseLight;
        FillLikeThePage();
        deviceSendEnabled = true;
    }

    void cleanup()
    {
        ScreenGrab::ClearTest();
        delete m_editor;
        m_editor = nullptr;
        ResetFlags();
    }

    void startsInTheLayoutOfEffectZeroAndSendsNothing()
    {
        ResetFlags();
        SimulatedDeviceControl::clearCalls();
        MouseLight fresh;
        QCOMPARE(fresh.findChild<QComboBox*>(QStringLiteral("LightMod"))->currentIndex(), 0);
        QVERIFY(fresh.findChild<QSlider*>(QStringLiteral("horizontalLight"))->isHidden());
        QVERIFY(!fresh.findChild<QFrame*>(QStringLiteral("line"))->isHidden());
        QVERIFY(fresh.findChild<QSpinBox*>(QStringLiteral("RSpinBox"))->isHidden());
        QCOMPARE(SendCount(), 0);
    }

    void effectChoiceWritesEffectWithItsOnFlag_data()
    {
        QTest::addColumn<int>("effect");
        QTest::newRow("colour flow") << 1;
        QTest::newRow("steady") << 3;
        QTest::newRow("custom") << 6;
    }

    void effectChoiceWritesEffectWithItsOnFlag()
    {
        QFETCH(int, effect);
        Effect()->setCurrentIndex(effect);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(88), effect);
        QCOMPARE(MouseHolds(94), 1);
        QCOMPARE(MouseHolds(11), 1);
        QCOMPARE(lastMouseLightMode, effect);
    }

    void effectOffClearsTheFlagAndTheMovingSwitch()
    {
        Effect()->setCurrentIndex(0);
        QCOMPARE(SendCount(), 2);
        QCOMPARE(MouseHolds(94), 0);
        QCOMPARE(MouseHolds(88), 2);
        QCOMPARE(MouseHolds(11), 0);
        QVERIFY(!Child<QToolButton>("RippeControl")->isChecked());
        QVERIFY(!Shown("horizontalLight"));
        QVERIFY(!Shown("SpeedSpinBox_2"));
        QVERIFY(!Shown("RSpinBox"));
        QVERIFY(Shown("line"));
        QVERIFY(Shown("line_2"));
    }

    void effectShowsWhatItUses_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("brightness");
        QTest::addColumn<bool>("speed");
        QTest::addColumn<bool>("colour");
        QTest::newRow("0") << 0 << false << false << false;
        QTest::newRow("1") << 1 << true << true << false;
        QTest::newRow("2") << 2 << true << true << true;
        QTest::newRow("3") << 3 << true << false << true;
        QTest::newRow("4") << 4 << true << true << false;
        QTest::newRow("5") << 5 << true << true << false;
        QTest::newRow("6") << 6 << true << false << false;
    }

    void effectShowsWhatItUses()
    {
        QFETCH(int, effect);
        QFETCH(bool, brightness);
        QFETCH(bool, speed);
        QFETCH(bool, colour);
        deviceSendEnabled = false;
        m_editor->SetComboIndex(effect == 0 ? 1 : 0);
        m_editor->SetComboIndex(effect);
        QCOMPARE(Shown("horizontalLight"), brightness);
        QCOMPARE(Shown("LightSpinBox_2"), brightness);
        QCOMPARE(Shown("line"), !brightness);
        QCOMPARE(Shown("horizontalSpeed"), speed);
        QCOMPARE(Shown("SpeedSpinBox_2"), speed);
        QCOMPARE(Shown("line_2"), !speed);
        for (const char* name : {"labelPreView", "RSpinBox", "AddB", "ReduceG", "label_13", "toolButtonColorN"})
            QCOMPARE(Shown(name), colour);
        QVERIFY(Shown("RippeControl"));
        QVERIFY(Shown("label_4"));
    }

    void refusedEffectGoesBackAndKeepsTheLayout()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Effect()->setCurrentIndex(6);
        QCOMPARE(Effect()->currentIndex(), 2);
        QVERIFY(Shown("horizontalSpeed"));
        QVERIFY(Shown("RSpinBox"));
        QCOMPARE(lastMouseLightMode, 2);
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(SendCount(), 0);
    }

    void refusedMovingSwitchAfterEffectOffShowsItsFormerState_data()
    {
        QTest::addColumn<bool>("wasOn");
        QTest::newRow("was on") << true;
        QTest::newRow("was off") << false;
    }

    // The effect is taken, then the mouse stops answering before the switch
    // is written: the switch shows what the mouse still has.
    void refusedMovingSwitchAfterEffectOffShowsItsFormerState()
    {
        QFETCH(bool, wasOn);
        QToolButton* toggle = Child<QToolButton>("RippeControl");
        m_editor->SetRippeControl(wasOn);
        FlashDataMap held = LightingRecord(1, 16, 1, 1, LedBarSettings{2, 10, 20, 30, 3, 5, 1}, wasOn ? 1 : 0);
        SetCurrentRecord(held);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&held));
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::switchOffAfterOnlineAnswers(QStringLiteral("drive1"), 1);
        Effect()->setCurrentIndex(0);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(94), 0);
        QCOMPARE(MouseHolds(11), wasOn ? 1 : 0);
        QCOMPARE(toggle->isChecked(), wasOn);
        QCOMPARE(Effect()->currentIndex(), 0);
    }

    void brightnessAndSpeedAreSentLessOne_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("recordByte");
        QTest::newRow("brightness 10") << "horizontalLight" << "LightSpinBox_2" << 10 << 93;
        QTest::newRow("brightness 1") << "horizontalLight" << "LightSpinBox_2" << 1 << 93;
        QTest::newRow("speed 10") << "horizontalSpeed" << "SpeedSpinBox_2" << 10 << 92;
        QTest::newRow("speed 1") << "horizontalSpeed" << "SpeedSpinBox_2" << 1 << 92;
    }

    void brightnessAndSpeedAreSentLessOne()
    {
        QFETCH(QString, slider);
        QFETCH(QString, box);
        QFETCH(int, value);
        QFETCH(int, recordByte);
        m_editor->findChild<QSlider*>(slider)->setValue(value);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(MouseHolds(recordByte), value - 1);
        QCOMPARE(m_editor->findChild<QSpinBox*>(box)->value(), value);
    }

    void refusedSliderIsDisabledAtItsNumberBox()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        QSlider* light = Child<QSlider>("horizontalLight");
        light->setValue(9);
        QVERIFY(!light->isEnabled());
        QCOMPARE(light->value(), 6);
        QCOMPARE(m_offline->count(), 1);
        // While disabled a new value springs back unless the signals are held.
        m_editor->SetLightValue(2);
        QCOMPARE(light->value(), 6);
        m_editor->BlockValueSignals(true);
        m_editor->SetLightValue(2);
        m_editor->BlockValueSignals(false);
        QCOMPARE(light->value(), 2);
        m_editor->EnableSliders(true);
        QVERIFY(light->isEnabled());
    }

    void dragWhileOfflineLeavesTheSliderDisabled()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        deviceSendEnabled = false;
        QSlider* speed = Child<QSlider>("horizontalSpeed");
        speed->setSliderDown(true);
        speed->setSliderPosition(9);
        speed->setSliderDown(false);
        QVERIFY(!speed->isEnabled());
        QCOMPARE(speed->value(), 4);
        QCOMPARE(Child<QSpinBox>("SpeedSpinBox_2")->value(), 4);
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(SendCount(), 0);
    }

    void movingSwitchWritesByteEleven()
    {
        QToolButton* toggle = Child<QToolButton>("RippeControl");
        toggle->click();
        QVERIFY(!toggle->isChecked());
        QCOMPARE(MouseHolds(11), 0);
        toggle->click();
        QCOMPARE(MouseHolds(11), 1);
    }

    void refusedMovingSwitchFlipsBack()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        QToolButton* toggle = Child<QToolButton>("RippeControl");
        toggle->click();
        QVERIFY(toggle->isChecked());
        QCOMPARE(MouseHolds(11), 1);
        QCOMPARE(m_offline->count(), 1);
    }

    void typingAColourSendsEveryKeystroke()
    {
        QSpinBox* red = Child<QSpinBox>("RSpinBox");
        red->selectAll();
        QTest::keyClicks(red, QStringLiteral("128"));
        QCOMPARE(red->value(), 128);
        const QList<QByteArray> sent = SentColours();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent.at(0), QByteArray::fromHex("01141e"));
        QCOMPARE(sent.at(1), QByteArray::fromHex("0c141e"));
        QCOMPARE(sent.at(2), QByteArray::fromHex("80141e"));
        QCOMPARE(MouseHolds(89), 128);
        QVERIFY(Child<QLabel>("labelPreView")->styleSheet().contains(QStringLiteral("rgb(128,20,30)")));
    }

    // A colour the mouse does not get goes back to the one it holds, in the
    // boxes and the swatch alike.
    void refusedColourGoesBack_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("byPlus");
        QTest::newRow("offline") << "offline" << false;
        QTest::newRow("refused") << "refused" << false;
        QTest::newRow("gone after the online check") << "gone" << false;
        QTest::newRow("plus, refused") << "refused" << true;
    }

    void refusedColourGoesBack()
    {
        QFETCH(QString, how);
        QFETCH(bool, byPlus);
        if (how == QLatin1String("offline"))
            SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        else if (how == QLatin1String("refused"))
            SimulatedDeviceControl::failNextRecordStores(1);
        else
            QVERIFY(SimulatedDeviceControl::dropAfterOnlineAnswers(QStringLiteral("drive1"), 1));
        if (byPlus)
            Child<QToolButton>("AddB")->click();
        else
            Child<QSpinBox>("BSpinBox")->setValue(200);
        QCOMPARE(Child<QSpinBox>("RSpinBox")->value(), 10);
        QCOMPARE(Child<QSpinBox>("GSpinBox")->value(), 20);
        QCOMPARE(Child<QSpinBox>("BSpinBox")->value(), 30);
        QVERIFY(Child<QLabel>("labelPreView")->styleSheet().contains(QStringLiteral("rgb(10,20,30)")));
        QCOMPARE(MouseHolds(91), 30);
        QCOMPARE(m_offline->count(), 1);
        // The next change goes through from there.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        Child<QToolButton>("AddB")->click();
        QCOMPARE(Child<QSpinBox>("BSpinBox")->value(), 31);
        QCOMPARE(MouseHolds(91), 31);
    }

    void plusAndMinusStepAChannel_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("recordByte");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("sends");
        QTest::newRow("plus red") << "AddR" << 89 << 10 << 11 << 1;
        QTest::newRow("minus green") << "ReduceG" << 90 << 20 << 19 << 1;
        QTest::newRow("plus at 255") << "AddB" << 91 << 255 << 255 << 0;
        QTest::newRow("minus at 0") << "ReduceR" << 89 << 0 << 0 << 0;
    }

    void plusAndMinusStepAChannel()
    {
        QFETCH(QString, button);
        QFETCH(int, recordByte);
        QFETCH(int, start);
        QFETCH(int, expected);
        QFETCH(int, sends);
        deviceSendEnabled = false;
        const char* boxes[3] = {"RSpinBox", "GSpinBox", "BSpinBox"};
        Child<QSpinBox>(boxes[recordByte - 89])->setValue(start);
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();
        m_editor->findChild<QToolButton*>(button)->click();
        QCOMPARE(Child<QSpinBox>(boxes[recordByte - 89])->value(), expected);
        QCOMPARE(SendCount(), sends);
        // The button asks whether the mouse answers even when nothing changes.
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDeviceOnLine")).size(), 1 + sends);
        if (sends)
            QCOMPARE(MouseHolds(recordByte), expected);
    }

    void buttonsDoNothingWhileOffline()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        Child<QToolButton>("AddR")->click();
        Child<QToolButton>("toolButtonColorA")->click();
        QCOMPARE(Child<QSpinBox>("RSpinBox")->value(), 10);
        QCOMPARE(m_offline->count(), 2);
        QCOMPARE(SendCount(), 0);
    }

    void presetSendsOnceForEachChannelThatChanges()
    {
        deviceSendEnabled = false;
        m_editor->SetRGB(0, 255, 255);
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();
        Child<QToolButton>("toolButtonColorA")->click();
        const QList<QByteArray> sent = SentColours();
        QCOMPARE(sent.size(), 3);
        QCOMPARE(sent.at(0), QByteArray::fromHex("ffffff"));
        QCOMPARE(sent.at(1), QByteArray::fromHex("ff00ff"));
        QCOMPARE(sent.at(2), QByteArray::fromHex("ff0000"));
        SimulatedDeviceControl::clearCalls();
        Child<QToolButton>("toolButtonColorA")->click();
        QCOMPARE(SendCount(), 0);
    }

    void nothingIsSentBeforeSendingIsOn()
    {
        deviceSendEnabled = false;
        Effect()->setCurrentIndex(3);
        Child<QSlider>("horizontalLight")->setValue(2);
        Child<QSpinBox>("GSpinBox")->setValue(99);
        Child<QToolButton>("RippeControl")->click();
        Child<QToolButton>("AddB")->click();
        QCOMPARE(SendCount(), 0);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDeviceOnLine")).size(), 0);
        QVERIFY(Shown("RSpinBox"));
        QCOMPARE(Child<QSpinBox>("BSpinBox")->value(), 31);
    }

    void aFillSendsNothingAndRaisesNoNotice()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        lightPageFilling = true;
        m_editor->SetComboIndex(4);
        m_editor->SetLightValue(3);
        Child<QToolButton>("AddR")->click();
        lightPageFilling = false;
        QCOMPARE(SendCount(), 0);
        QCOMPARE(m_offline->count(), 0);
        QVERIFY(!Shown("RSpinBox"));
        QVERIFY(Shown("horizontalSpeed"));
    }

};

QTEST_MAIN(TestMouseLight)
#include "tst_mouselight.moc"
