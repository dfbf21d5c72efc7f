#include "LightingTestSupport.h"

#include "app/LanguageLoader.h"
#include "lighting/LampLight.h"
#include "lighting/LightingState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>

using namespace LightingTest;

namespace {

struct Shown {
    int dpiEffect;
    int dpiSpeed;
    int dpiLevel;
    int barEffect;
    int barBrightness;
    int barSpeed;
    int red;
    int green;
    int blue;
    bool movingOff;
};

// Counts the wheel turns that reach it.
class WheelCatcher : public QWidget {
public:
    int turns = 0;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        ++turns;
        event->accept();
    }
};

} // namespace

Q_DECLARE_METATYPE(FlashDataMap)
Q_DECLARE_METATYPE(Shown)

class TestLampLight : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    LampLight* m_page = nullptr;

    template <typename T = QWidget>
    T* Child(const char* name) const
    {
        T* child = m_page->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    // A control of the DPI indicator panel or the mouse light editor.
    template <typename T = QWidget>
    T* In(const char* panel, const char* name) const
    {
        T* child = Child(panel)->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s in %s", name, panel);
        return child;
    }
    int Index(const char* panel, const char* box) const { return In<QComboBox>(panel, box)->currentIndex(); }
    int Value(const char* panel, const char* control) const
    {
        if (auto* slider = Child(panel)->findChild<QSlider*>(QLatin1String(control)))
            return slider->value();
        return In<QSpinBox>(panel, control)->value();
    }

    void SetReceiverBar(const QByteArray& bar)
    {
        QVERIFY(UsbFinderC_SetDongleRGBBarMode(CurrentDevice::Path().constData(),
                                               reinterpret_cast<const unsigned char*>(bar.constData())));
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<FlashDataMap>("FlashDataMap");
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
        ConfigSettings::ReplaceInstance(m_config);
    }

    void init()
    {
        ResetFlags();
        UseReceiverMouse();
        lightPageReady = false;
        m_page = new LampLight;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        delete m_page;
        m_page = nullptr;
        ResetFlags();
        UsbServer_Exit();
    }

    void showsTheDpiIndicatorPanelOnly()
    {
        QCOMPARE(m_page->size(), QSize(883, 630));
        QCOMPARE(Child<QTabWidget>("tabWidget")->currentIndex(), 0);
        QVERIFY(Child<QTabWidget>("tabWidget")->tabBar()->isHidden());
        QVERIFY(!Child("frameEffect")->isHidden());
        QVERIFY(Child("FrameMouseLight")->isHidden());
        QVERIFY(Child("FrameOneLed")->isHidden());
        QVERIFY(Child("verticalScrollBar")->isHidden());
        QCOMPARE(Child("frameEffect")->geometry(), QRect(40, 50, 778, 144));
        QVERIFY(receiverLedBar && receiverIndicatorLeds);
    }

    void textsComeFromTheLanguageFile()
    {
        QCOMPARE(In<QLabel>("frameEffect", "label")->text(), QStringLiteral("DPI indicator"));
        QCOMPARE(In<QLabel>("frameEffect", "label_14")->text(), QStringLiteral("Speed"));
        QCOMPARE(In<QLabel>("frameEffect", "label_15")->text(), QStringLiteral("Brightness"));
        QComboBox* model = In<QComboBox>("frameEffect", "Model");
        QCOMPARE(model->itemText(0), QStringLiteral("Off"));
        QCOMPARE(model->itemText(1), QStringLiteral("Steady"));
        QCOMPARE(model->itemText(2), QStringLiteral("Breathing"));
        QComboBox* effects = In<QComboBox>("FrameMouseLight", "LightMod");
        QCOMPARE(effects->itemText(1), QStringLiteral("Colour flow"));
        QCOMPARE(effects->itemText(6), QStringLiteral("Custom"));
        QCOMPARE(In<QLabel>("FrameMouseLight", "label_4")->text(), QStringLiteral("Light off while moving"));
    }

    void recordFillsThePageAndTheHiddenEditor_data()
    {
        QTest::addColumn<FlashDataMap>("record");
        QTest::addColumn<Shown>("shown");
        QTest::newRow("steady indicator, breathing bar")
            << LightingRecord(1, 128, 3, 1, LedBarSettings{2, 10, 20, 30, 3, 5, 1}, 1)
            << Shown{1, 3, 5, 2, 6, 4, 10, 20, 30, true};
        QTest::newRow("both lights off")
            << LightingRecord(2, 30, 2, 0, LedBarSettings{4, 1, 2, 3, 0, 0, 0}, 0)
            << Shown{0, 2, 2, 0, 1, 1, 1, 2, 3, false};
        QTest::newRow("highest values")
            << LightingRecord(2, 255, 5, 1, LedBarSettings{6, 255, 255, 255, 9, 9, 1}, 0)
            << Shown{2, 5, 10, 6, 10, 10, 255, 255, 255, false};
        QTest::newRow("brightness code outside the table")
            << LightingRecord(1, 0, 1, 1, LedBarSettings{3, 0, 0, 0, 4, 2, 1}, 1)
            << Shown{1, 1, 1, 3, 3, 5, 0, 0, 0, true};
    }

    void recordFillsThePageAndTheHiddenEditor()
    {
        QFETCH(FlashDataMap, record);
        QFETCH(Shown, shown);
        deviceSendEnabled = true;
        m_page->SlotUpDataLightUILight(record);

        QCOMPARE(Index("frameEffect", "Model"), shown.dpiEffect);
        QCOMPARE(Value("frameEffect", "SpeedH"), shown.dpiSpeed);
        QCOMPARE(Value("frameEffect", "SpeedSpinBox"), shown.dpiSpeed);
        QCOMPARE(Value("frameEffect", "LightH"), shown.dpiLevel);
        QCOMPARE(Value("frameEffect", "LightSpinBox"), shown.dpiLevel);
        QCOMPARE(In("frameEffect", "LightH")->isHidden(), shown.dpiEffect != 1);
        QCOMPARE(In("frameEffect", "SpeedH")->isHidden(), shown.dpiEffect != 2);

        QCOMPARE(Index("FrameMouseLight", "LightMod"), shown.barEffect);
        QCOMPARE(lastMouseLightMode, shown.barEffect);
        QCOMPARE(Value("FrameMouseLight", "horizontalLight"), shown.barBrightness);
        QCOMPARE(Value("FrameMouseLight", "LightSpinBox_2"), shown.barBrightness);
        QCOMPARE(Value("FrameMouseLight", "horizontalSpeed"), shown.barSpeed);
        QCOMPARE(Value("FrameMouseLight", "SpeedSpinBox_2"), shown.barSpeed);
        QCOMPARE(Value("FrameMouseLight", "RSpinBox"), shown.red);
        QCOMPARE(Value("FrameMouseLight", "GSpinBox"), shown.green);
        QCOMPARE(Value("FrameMouseLight", "BSpinBox"), shown.blue);
        QVERIFY(In<QLabel>("FrameMouseLight", "labelPreView")->styleSheet().contains(
            QStringLiteral("rgb(%1,%2,%3)").arg(shown.red).arg(shown.green).arg(shown.blue)));
        QCOMPARE(In<QToolButton>("FrameMouseLight", "RippeControl")->isChecked(), shown.movingOff);
        QVERIFY(In("FrameMouseLight", "horizontalLight")->isEnabled());
        QVERIFY(Child("FrameMouseLight")->isHidden());

        QVERIFY(lightPageReady);
        QVERIFY(!lightPageFilling);
        // Showing is not changing: nothing goes to the mouse.
        QCOMPARE(SendCount(), 0);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetDongleRGBBarMode")).size(), 0);
    }

    void unknownIndicatorEffectKeepsTheShownOne()
    {
        m_page->SlotUpDataLightUILight(LightingRecord(2, 60, 4, 1, LedBarSettings{}, 0));
        m_page->SlotUpDataLightUILight(LightingRecord(7, 90, 1, 1, LedBarSettings{}, 0));
        QCOMPARE(Index("frameEffect", "Model"), 2);
        QCOMPARE(Value("frameEffect", "SpeedH"), 1);
        QCOMPARE(Value("frameEffect", "LightH"), 4);
    }

    void deviceFillReadsTheReceiver()
    {
        m_page->SlotUpDataLightUILight(FlashDataMap{});
        const QString path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k"));
        const QList<QJsonObject> bar = SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleRGBBarMode"));
        const QList<QJsonObject> leds = SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleIndicatorLed"));
        QCOMPARE(bar.size(), 1);
        QCOMPARE(leds.size(), 1);
        QCOMPARE(bar.first().value(QStringLiteral("path")).toString(), path);

        // The scenario's bar: colour flow, 0/128/255, speed 4, brightness 9, on.
        QCOMPARE(Index("FrameReceiveLight", "LightMod_2"), 1);
        QCOMPARE(Value("FrameReceiveLight", "horizontalLight_2"), 10);
        QCOMPARE(Value("FrameReceiveLight", "LightSpinBox_3"), 10);
        QCOMPARE(Value("FrameReceiveLight", "horizontalSpeed_2"), 5);
        QCOMPARE(Value("FrameReceiveLight", "SpeedSpinBox_3"), 5);
        QCOMPARE(Value("FrameReceiveLight", "GSpinBox_2"), 128);
        QCOMPARE(Value("FrameReceiveLight", "BSpinBox_2"), 255);
        QCOMPARE(lastReceiverBarMode, 1);
        QCOMPARE(lastReceiverBarBrightness, 10);
        QCOMPARE(lastReceiverBarSpeed, 5);
        QCOMPARE(Index("FrameThreeLed", "LightMod_3"), 0);
        QCOMPARE(Index("FrameThreeLed", "LightMod_4"), 1);
        QCOMPARE(Index("FrameThreeLed", "LightMod_5"), 2);
        QCOMPARE(lastIndicatorLedFunctions[0], 0);
        QCOMPARE(lastIndicatorLedFunctions[1], 1);
        QCOMPARE(lastIndicatorLedFunctions[2], 2);
    }

    void receiverBarWithoutOnFlagShowsEffectOff()
    {
        SetReceiverBar(QByteArray::fromHex("04010203000900"));
        m_page->SlotUpDataLightUILight(FlashDataMap{});
        QCOMPARE(Index("FrameReceiveLight", "LightMod_2"), 0);
        QCOMPARE(lastReceiverBarMode, 0);
        // Brightness 9 and speed 0 are slider steps 10 and 1.
        QCOMPARE(Value("FrameReceiveLight", "horizontalLight_2"), 10);
        QCOMPARE(Value("FrameReceiveLight", "horizontalSpeed_2"), 1);
    }

    void offlineFillTicksTheSecondMeaningWithoutSending_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("secondTicked");
        QTest::newRow("offline: from the device cache") << false << true;
        QTest::newRow("online") << true << false;
    }

    void offlineFillTicksTheSecondMeaningWithoutSending()
    {
        QFETCH(bool, online);
        QFETCH(bool, secondTicked);
        deviceSendEnabled = true;
        CurrentDevice::SetOnline(online);
        m_page->SlotUpDataLightUILight(FlashDataMap{});
        CurrentDevice::SetOnline(true);
        QCOMPARE(In<QCheckBox>("FrameOneLed", "ReUntil_2")->isChecked(), secondTicked);
        QVERIFY(!In<QCheckBox>("FrameOneLed", "ReUntil")->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
    }

    void storedRecordFillLeavesTheEditorsSlidersDisabled()
    {
        lightPageReady = true;
        deviceSendEnabled = true;
        m_page->SlotUpDataLightUIA(LightingRecord(1, 150, 2, 1, LedBarSettings{5, 9, 8, 7, 1, 2, 1}, 1));
        QVERIFY(!lightPageReady);
        QVERIFY(!lightPageFilling);
        QVERIFY(!In("FrameMouseLight", "horizontalLight")->isEnabled());
        QVERIFY(!In("FrameMouseLight", "horizontalSpeed")->isEnabled());
        QCOMPARE(Index("FrameMouseLight", "LightMod"), 5);
        QCOMPARE(Value("frameEffect", "LightH"), 6);
        QVERIFY(In<QCheckBox>("FrameOneLed", "ReUntil_2")->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDongleRGBBarMode")).size(), 1);
        QCOMPARE(SendCount(), 0);

        // The next device fill enables them again.
        m_page->SlotUpDataLightUILight(FlashDataMap{});
        QVERIFY(In("FrameMouseLight", "horizontalLight")->isEnabled());
        QVERIFY(lightPageReady);
    }

    void defaultsWhenNoRecordCanBeHad()
    {
        m_page->SlotUpDataLightUILight(LightingRecord(2, 30, 1, 1, LedBarSettings{3, 40, 50, 60, 0, 0, 1}, 1));
        m_page->SlotRGBValue(dongleRgbFor(2));
        QVERIFY(!Child("FrameOneLed")->isHidden());
        deviceSendEnabled = true;
        lightPageReady = false;
        SimulatedDeviceControl::clearCalls();

        m_page->SlotFormResetLight();

        QCOMPARE(Index("FrameMouseLight", "LightMod"), 1);
        QCOMPARE(lastMouseLightMode, 1);
        QCOMPARE(Value("FrameMouseLight", "horizontalLight"), 10);
        QCOMPARE(Value("FrameMouseLight", "LightSpinBox_2"), 10);
        QCOMPARE(Value("FrameMouseLight", "horizontalSpeed"), 8);
        QCOMPARE(Value("FrameMouseLight", "SpeedSpinBox_2"), 8);
        QVERIFY(!In<QToolButton>("FrameMouseLight", "RippeControl")->isChecked());
        // The colours stay.
        QCOMPARE(Value("FrameMouseLight", "RSpinBox"), 40);
        QCOMPARE(Value("FrameReceiveLight", "BSpinBox_2"), 255);
        QCOMPARE(Index("FrameReceiveLight", "LightMod_2"), 1);
        QCOMPARE(Value("FrameReceiveLight", "horizontalLight_2"), 10);
        QCOMPARE(Value("FrameReceiveLight", "SpeedSpinBox_3"), 8);
        QCOMPARE(lastReceiverBarMode, 1);
        QCOMPARE(lastReceiverBarBrightness, 10);
        QCOMPARE(lastReceiverBarSpeed, 8);
        QVERIFY(Child("FrameOneLed")->isHidden());
        QCOMPARE(Index("frameEffect", "Model"), 0);
        QCOMPARE(Value("frameEffect", "SpeedH"), 3);
        QCOMPARE(Value("frameEffect", "LightH"), 5);
        QCOMPARE(Index("FrameThreeLed", "LightMod_4"), 0);
        QCOMPARE(Index("FrameThreeLed", "LightMod_5"), 0);
        QCOMPARE(lastIndicatorLedFunctions[2], 0);
        QVERIFY(!lightPageFilling);
        QVERIFY(!lightPageReady);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
    }

    void indicatorReportUpdatesOnlyThatPanel()
    {
        m_page->SlotUpDataLightUILight(LightingRecord(1, 128, 3, 1, LedBarSettings{2, 10, 20, 30, 3, 5, 1}, 1));
        lightPageReady = false;
        SimulatedDeviceControl::clearCalls();
        FlashDataMap changed = LightingRecord(2, 210, 4, 1, LedBarSettings{5, 1, 1, 1, 0, 0, 1}, 0);
        m_page->SlotUpDataDPILed(changed);
        QCOMPARE(Index("frameEffect", "Model"), 2);
        QCOMPARE(Value("frameEffect", "SpeedH"), 4);
        QCOMPARE(Value("frameEffect", "LightH"), 8);
        QCOMPARE(Index("FrameMouseLight", "LightMod"), 2);
        QVERIFY(!lightPageReady);
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
    }

    void userChangesReachTheMouse()
    {
        FlashDataMap record = LightingRecord(1, 128, 3, 1, LedBarSettings{2, 10, 20, 30, 3, 5, 1}, 1);
        SetCurrentRecord(record);
        ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&record));
        m_page->SlotUpDataLightUILight(record);
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();

        In<QComboBox>("frameEffect", "Model")->setCurrentIndex(2);
        QCOMPARE(MouseHolds(84), 2);
        QCOMPARE(MouseHolds(87), 1);
        In<QSlider>("frameEffect", "SpeedH")->setValue(5);
        QCOMPARE(MouseHolds(86), 5);
        In<QComboBox>("frameEffect", "Model")->setCurrentIndex(1);
        In<QSlider>("frameEffect", "LightH")->setValue(2);
        QCOMPARE(MouseHolds(85), 30);
        In<QComboBox>("frameEffect", "Model")->setCurrentIndex(0);
        QCOMPARE(MouseHolds(87), 0);
        QCOMPARE(MouseHolds(84), 1);

        In<QComboBox>("FrameMouseLight", "LightMod")->setCurrentIndex(5);
        QCOMPARE(MouseHolds(88), 5);
        QCOMPARE(MouseHolds(94), 1);
        In<QSlider>("FrameMouseLight", "horizontalLight")->setValue(10);
        QCOMPARE(MouseHolds(93), 9);
        In<QSlider>("FrameMouseLight", "horizontalSpeed")->setValue(1);
        QCOMPARE(MouseHolds(92), 0);
        QCOMPARE(SendCount(), 8);
        // Every byte outside the lighting fields went back as the mouse had it.
        QCOMPARE(LastSentRecord().left(84), Bytes(record).left(84));
    }

    void fourKLedPanelFollowsTheConnection_data()
    {
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<bool>("keptByForm");
        QTest::addColumn<bool>("keptByFormB");
        QTest::newRow("4 kHz receiver") << 0 << 1 << false << true << false;
        QTest::newRow("1 kHz receiver") << 0 << 0 << false << false << false;
        QTest::newRow("2 kHz receiver") << 0 << 4 << false << false << false;
        QTest::newRow("8 kHz receiver") << 0 << 5 << false << false << false;
        QTest::newRow("cable") << 0 << 3 << true << false << false;
        QTest::newRow("cable kind, not wired") << 0 << 2 << false << true << true;
        QTest::newRow("model without the LED") << 1 << 1 << false << false << false;
        QTest::newRow("model list too short") << 2 << 1 << false << false << false;
    }

    void fourKLedPanelFollowsTheConnection()
    {
        QFETCH(int, modelIndex);
        QFETCH(int, kind);
        QFETCH(bool, wired);
        QFETCH(bool, keptByForm);
        QFETCH(bool, keptByFormB);
        for (bool formB : {false, true}) {
            UseDevice(0, 1, false);
            m_page->SlotRGBValue(dongleRgbFor(0));
            QVERIFY(!Child("FrameOneLed")->isHidden());
            UseDevice(modelIndex, kind, wired);
            if (formB)
                m_page->SlotFormB();
            else
                m_page->SlotForm();
            QCOMPARE(!Child("FrameOneLed")->isHidden(), formB ? keptByFormB : keptByForm);
        }
        // Only the 4 kHz receiver of a model with the LED shows it.
        m_page->SlotFormResetLight();
        m_page->SlotRGBValue(dongleRgbFor(3));
        QCOMPARE(!Child("FrameOneLed")->isHidden(), modelIndex == 0 && kind == 1 && !wired);
    }

    void receiverLedMeaningTicksItsBox_data()
    {
        QTest::addColumn<int>("meaning");
        QTest::addColumn<int>("ticked");
        QTest::newRow("none known") << 0 << -1;
        QTest::newRow("meaning 1") << 1 << 0;
        QTest::newRow("meaning 3") << 3 << 2;
        QTest::newRow("out of range") << 4 << -1;
    }

    void receiverLedMeaningTicksItsBox()
    {
        QFETCH(int, meaning);
        QFETCH(int, ticked);
        m_page->SlotRGBValue(dongleRgbFor(meaning));
        QVERIFY(!Child("FrameOneLed")->isHidden());
        const char* boxes[3] = {"ReUntil", "ReUntil_2", "ReUntil_3"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(In<QCheckBox>("FrameOneLed", boxes[i])->isChecked(), i == ticked);
        m_page->SlotRGBValue(nullptr);
    }

    void wheelTurnsEndAtThePage()
    {
        WheelCatcher parent;
        delete m_page;
        m_page = new LampLight(&parent);
        QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_page, &turn);
        QCOMPARE(parent.turns, 0);
        m_page->setParent(nullptr);
    }

private:
    DongleRGB m_rgb;
    DongleRGB* dongleRgbFor(int meaning)
    {
        m_rgb = DongleRGB{};
        m_rgb.bytes[0] = uint8_t(meaning);
        return &m_rgb;
    }
    static void UseDevice(int modelIndex, int kind, bool wired)
    {
        DeviceAllInfo info = CurrentDevice::Info();
        info.modelIndex = modelIndex;
        info.connectionKind = ConnectionKind(kind);
        info.wired = wired;
        CurrentDevice::SetInfo(info);
    }
};

QTEST_MAIN(TestLampLight)
#include "tst_lamplight.moc"
