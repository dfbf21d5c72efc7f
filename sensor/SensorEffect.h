#pragma once

#include <QFrame>

class MyConmboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

// The DPI indicator light's panel: effect (off, steady, breathing), speed 1
// to 5 and brightness level 1 to 10. Each user change is written through a
// setting writer; a refused write puts the control back. Only the controls
// the chosen effect uses are shown. The host shows device values through the
// Set operations, which send nothing.
class SensorEffect : public QFrame {
    Q_OBJECT
public:
    explicit SensorEffect(QWidget* parent = nullptr);
    ~SensorEffect() override;

    // Brightness level 1..10 to the record's code and back; a code outside
    // the table reads as the level itself.
    static int BrightnessCode(int level);
    static int BrightnessLevel(int code);

    void SetMode(int effect);
    void SetSpeed(int speed);
    void SetBrightnessLevel(int level);
    void SetSlidersEnabled(bool enabled);
    void UnblockSliders();
    void SetModeText(int item, const QString& text);
    void SetTitleText(const QString& text);
    void SetSpeedLabelText(const QString& text);
    void SetBrightnessLabelText(const QString& text);
    void SetModeEnabled(bool enabled);

private slots:
    void on_Model_currentIndexChanged(int index);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

private:
    void BuildForm();
    void ApplyStyles();
    void ApplyLayout(int effect);

    QString pictureFolder;
    int rememberedEffect = 0;

    QLabel* label = nullptr;
    MyConmboBox* Model = nullptr;
    QLabel* label_14 = nullptr;
    QLabel* label_15 = nullptr;
    QSlider* SpeedH = nullptr;
    QSlider* LightH = nullptr;
    QFrame* line = nullptr;
    QFrame* line_2 = nullptr;
    QSpinBox* SpeedSpinBox = nullptr;
    QSpinBox* LightSpinBox = nullptr;
    QToolButton* TitleButton_3 = nullptr;
};
