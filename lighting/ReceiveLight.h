#pragma once

#include <QFrame>

class MyConmboBox;
class QLabel;
class QSlider;
class QSpinBox;

// The receiver light bar's panel: effect, brightness, speed and colour of the
// USB receiver's own light. For now it holds the controls and shows what the
// lighting page fills in; writing the bar to the receiver comes later.
class ReceiveLight : public QFrame {
    Q_OBJECT
public:
    explicit ReceiveLight(QWidget* parent = nullptr);
    ~ReceiveLight() override;

    // Blocks the sliders' and the channel boxes' signals (not the effect's).
    void BlockControlSignals(bool block);
    void SetEffectIndex(int index);
    void SetBrightnessSlider(int value);
    void SetSpeedSlider(int value);
    void SetBrightnessBox(int value);
    void SetSpeedBox(int value);
    void SetBarColor(int red, int green, int blue);

private:
    MyConmboBox* LightMod_2 = nullptr;
    QSlider* horizontalLight_2 = nullptr;
    QSpinBox* LightSpinBox_3 = nullptr;
    QSlider* horizontalSpeed_2 = nullptr;
    QSpinBox* SpeedSpinBox_3 = nullptr;
    QSpinBox* RSpinBox_2 = nullptr;
    QSpinBox* GSpinBox_2 = nullptr;
    QSpinBox* BSpinBox_2 = nullptr;
    QLabel* labelPreView_2 = nullptr;
};
