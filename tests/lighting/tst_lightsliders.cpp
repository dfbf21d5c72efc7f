// The brightness and speed sliders of every light panel, worked with the
// mouse and the keys as the user does: whatever the gesture, afterwards the
// device holds the level the slider shows and its number box says.

#include "LightingTestSupport.h"
#include "SliderGestures.h"

#include "lighting/LightingState.h"
#include "lighting/MouseLight.h"
#include "lighting/ReceiveLight.h"
#include "sensor/SensorEffect.h"
#include "variants/SensorEffectB.h"

#include <QSlider>
#include <QSpinBox>

#include <functional>
#include <memory>

using namespace LightingTest;

namespace {

enum Gesture { OneMove, SeveralMoves, GrooveClick, KeyStep };

const int kStart = 2;

// One level row of one panel, shown with the device holding kStart.
struct LevelRow {
    std::unique_ptr<QWidget> panel;
    QSlider* slider = nullptr;
    QSpinBox* box = nullptr;
    // The level the device holds, as the slider shows it.
    std::function<int()> held;
    // How often the panel wrote to the device.
    std::function<int()> writes = [] { return SendCount(); };
};

int ReceiverHolds(int byte)
{
    unsigned char bar[7] = {};
    if (!UsbFinderC_GetDongleRGBBarMode(CurrentDevice::Path().constData(), bar))
        return -1;
    return bar[byte];
}

// The mouse holds a record with every light level at kStart.
void MouseHoldsStartLevels()
{
    LedBarSettings bar{1, 0, 0, 0, kStart - 1, kStart - 1, 1};
    FlashDataMap map = LightingRecord(1, SensorEffect::BrightnessCode(kStart), kStart, 1, bar, 0);
    SetCurrentRecord(map);
    ProtocolDataUpdate(reinterpret_cast<const unsigned char*>(&map));
    const unsigned char receiverBar[7] = {1, 0, 0, 0, kStart - 1, kStart - 1, 1};
    UsbFinderC_SetDongleRGBBarMode(CurrentDevice::Path().constData(), receiverBar);
}

// Both designs of the DPI indicator panel are shown and coded alike.
template <typename Panel>
void ShowDpiIndicatorRow(LevelRow* row, Panel* panel, bool brightness)
{
    row->panel.reset(panel);
    sensorPageFilling = true;
    panel->SetSlidersEnabled(true);
    panel->SetMode(brightness ? 1 : 2);
    panel->SetSpeed(kStart);
    panel->SetBrightnessLevel(kStart);
    sensorPageFilling = false;
    row->slider = panel->template findChild<QSlider*>(brightness ? "LightH" : "SpeedH");
    row->box = panel->template findChild<QSpinBox*>(brightness ? "LightSpinBox" : "SpeedSpinBox");
    if (brightness)
        row->held = [] { return SensorEffect::BrightnessLevel(MouseHolds(85)); };
    else
        row->held = [] { return MouseHolds(86); };
}

// Builds the panel and shows kStart in it as its host's fill does.
LevelRow MakeRow(const QString& panelName, bool brightness)
{
    LevelRow row;
    if (panelName == QLatin1String("DPI indicator")) {
        ShowDpiIndicatorRow(&row, new SensorEffect, brightness);
    } else if (panelName == QLatin1String("DPI indicator, second design")) {
        ShowDpiIndicatorRow(&row, new SensorEffectB, brightness);
    } else if (panelName == QLatin1String("mouse light bar")) {
        auto* panel = new MouseLight;
        row.panel.reset(panel);
        lightPageFilling = true;
        panel->EnableSliders(true);
        panel->BlockValueSignals(true);
        panel->SetLightValue(kStart);
        panel->SetLightSpinBox(kStart);
        panel->SetSpeedValue(kStart);
        panel->SetSpeedSpinBox(kStart);
        panel->BlockValueSignals(false);
        panel->SetComboIndex(1);
        lastMouseLightMode = 1;
        lightPageFilling = false;
        row.slider = panel->findChild<QSlider*>(brightness ? "horizontalLight" : "horizontalSpeed");
        row.box = panel->findChild<QSpinBox*>(brightness ? "LightSpinBox_2" : "SpeedSpinBox_2");
        const int byte = brightness ? 93 : 92;
        row.held = [byte] { return MouseHolds(byte) + 1; };
    } else {
        auto* panel = new ReceiveLight;
        row.panel.reset(panel);
        lightPageFilling = true;
        panel->BlockControlSignals(true);
        panel->SetBrightnessSlider(kStart);
        panel->SetBrightnessBox(kStart);
        panel->SetSpeedSlider(kStart);
        panel->SetSpeedBox(kStart);
        panel->BlockControlSignals(false);
        panel->SetEffectIndex(1);
        lastReceiverBarMode = 1;
        lastReceiverBarBrightness = kStart;
        lastReceiverBarSpeed = kStart;
        lightPageFilling = false;
        row.slider = panel->findChild<QSlider*>(brightness ? "horizontalLight_2" : "horizontalSpeed_2");
        row.box = panel->findChild<QSpinBox*>(brightness ? "LightSpinBox_3" : "SpeedSpinBox_3");
        const int byte = brightness ? 5 : 4;
        row.held = [byte] { return ReceiverHolds(byte) + 1; };
        row.writes = [] { return SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetDongleRGBBarMode")).size(); };
    }
    row.panel->show();
    return row;
}

} // namespace

class TestLightSliders : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    QSignalSpy* m_offline = nullptr;

    void Prepare()
    {
        ResetFlags();
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        MouseHoldsStartLevels();
        SimulatedDeviceControl::clearCalls();
        m_offline->clear();
    }

    static void AddPanels(const std::function<void(const QString& panel, bool brightness)>& add)
    {
        for (const char* panel : {"DPI indicator", "DPI indicator, second design", "mouse light bar", "receiver light bar"})
            for (bool brightness : {true, false})
                add(QLatin1String(panel), brightness);
    }

private slots:
    void initTestCase()
    {
        m_config = UseLightingConfig();
        UseReceiverMouse();
        m_offline = OfflineNotices();
    }

    void cleanup() { ResetFlags(); }

    void everyGestureEndsWithDeviceSliderAndBoxAgreeing_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("brightness");
        QTest::addColumn<int>("gesture");
        const QList<QPair<Gesture, const char*>> gestures{{OneMove, "drag in one move"},
                                                         {SeveralMoves, "drag in several moves"},
                                                         {GrooveClick, "click on the groove"},
                                                         {KeyStep, "arrow key"}};
        AddPanels([&](const QString& panel, bool brightness) {
            for (const auto& gesture : gestures) {
                const QString name = panel + (brightness ? QStringLiteral(" brightness, ") : QStringLiteral(" speed, "))
                    + QLatin1String(gesture.second);
                QTest::newRow(qPrintable(name)) << panel << brightness << int(gesture.first);
            }
        });
    }

    void everyGestureEndsWithDeviceSliderAndBoxAgreeing()
    {
        QFETCH(QString, panel);
        QFETCH(bool, brightness);
        QFETCH(int, gesture);
        Prepare();
        LevelRow row = MakeRow(panel, brightness);
        QVERIFY(QTest::qWaitForWindowExposed(row.panel.get()));
        QCOMPARE(row.held(), kStart);
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();

        QSlider* slider = row.slider;
        int expected = kStart + 1;
        switch (Gesture(gesture)) {
        case OneMove:
            expected = slider->maximum() - 1;
            SliderGestures::Drag(slider, expected, 1);
            break;
        case SeveralMoves: {
            expected = slider->maximum() - 1;
            // The number box follows the handle all the way.
            QList<int> handle;
            QList<int> shown;
            SliderGestures::Drag(slider, expected, expected - kStart, [&] {
                handle << slider->sliderPosition();
                shown << row.box->value();
            });
            QCOMPARE(shown, handle);
            QCOMPARE(handle.last(), expected);
            break;
        }
        case GrooveClick:
            SliderGestures::ClickGroove(slider, slider->maximum());
            break;
        case KeyStep:
            QTest::keyClick(slider, Qt::Key_Right);
            break;
        }

        QCOMPARE(row.writes(), 1);
        QCOMPARE(row.held(), expected);
        QCOMPARE(slider->value(), expected);
        QCOMPARE(slider->sliderPosition(), expected);
        QCOMPARE(row.box->value(), expected);
        QVERIFY(slider->isEnabled());
        QVERIFY(!slider->isSliderDown());
        QCOMPARE(m_offline->count(), 0);
    }

    // The panels that ask the mouse on each step of a drag.
    void dragWhileTheMouseIsOfflineGoesBackAndTellsOnce_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("brightness");
        QTest::addColumn<int>("moves");
        for (const char* panel : {"DPI indicator", "mouse light bar"}) {
            for (bool brightness : {true, false}) {
                for (int moves : {1, 3}) {
                    const QString name = QLatin1String(panel) + (brightness ? QStringLiteral(" brightness, ")
                                                                            : QStringLiteral(" speed, "))
                        + QString::number(moves) + QStringLiteral(" moves");
                    QTest::newRow(qPrintable(name)) << QString::fromLatin1(panel) << brightness << moves;
                }
            }
        }
    }

    void dragWhileTheMouseIsOfflineGoesBackAndTellsOnce()
    {
        QFETCH(QString, panel);
        QFETCH(bool, brightness);
        QFETCH(int, moves);
        Prepare();
        LevelRow row = MakeRow(panel, brightness);
        QVERIFY(QTest::qWaitForWindowExposed(row.panel.get()));
        deviceSendEnabled = true;
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), false);
        SimulatedDeviceControl::clearCalls();

        SliderGestures::Drag(row.slider, row.slider->maximum(), moves);
        QCOMPARE(row.writes(), 0);
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(row.slider->value(), kStart);
        QCOMPARE(row.box->value(), kStart);
        QVERIFY(!row.slider->isEnabled());

        // Disabled, it ignores the next drag even once the mouse is back.
        SimulatedDeviceControl::setOnline(QStringLiteral("drive1"), true);
        SliderGestures::Drag(row.slider, kStart + 1, 1);
        QCOMPARE(row.writes(), 0);
        QCOMPARE(row.slider->value(), kStart);
        QCOMPARE(row.held(), kStart);
    }
};

QTEST_MAIN(TestLightSliders)
#include "tst_lightsliders.moc"
