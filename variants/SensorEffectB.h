#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

// Second design of the DPI indicator's light effect panel: three exclusive
// tick boxes for the effect (off, steady, breathing), a speed slider for
// breathing and a brightness slider for steady; only the chosen effect's row
// is shown. Changes are written at once unless a sensor page fill runs.
class SensorEffectB : public QFrame {
    Q_OBJECT
public:
    explicit SensorEffectB(QWidget* parent = nullptr);

    void SetSlidersEnabled(bool on);
    // Ticks the effect 0..2 and shows its row; writes nothing.
    void SetMode(int mode);
    void SetModeText(int mode, const QString& text);
    void SetTitleText(const QString& text);
    void SetSpeedLabelText(const QString& text);
    void SetBrightnessLabelText(const QString& text);
    // Move the slider; a changed value is written unless the guard stops it,
    // so a host fills while sensorPageFilling is set.
    void SetSpeed(int value);
    void SetBrightnessLevel(int level);

    // For a host that drives the effect from a list of its own: lays out
    // effects 0..2 and writes them under the guard; other indexes are ignored.
    void on_Model_currentIndexChanged(int index);

private slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM3_clicked(bool checked);
    void on_SpeedH_sliderMoved(int position);
    void on_SpeedH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);

private:
    void ApplyLayout(int effect);
    void WriteEffect(int effect);
    // The effect, speed and brightness the record (as the mouse holds it) says.
    void ShowHeldIndicator();
    static bool GuardOpen();

    QLabel* label = nullptr;
    QCheckBox* MM1 = nullptr;
    QCheckBox* MM2 = nullptr;
    QCheckBox* MM3 = nullptr;
    QLabel* label_14 = nullptr;
    QLabel* label_15 = nullptr;
    QSlider* SpeedH = nullptr;
    QFrame* line = nullptr;
    QSpinBox* SpeedSpinBox = nullptr;
    QSlider* LightH = nullptr;
    QFrame* line_2 = nullptr;
    QSpinBox* LightSpinBox = nullptr;
    QString pictureFolder;
    QButtonGroup* modeGroup = nullptr;
};
