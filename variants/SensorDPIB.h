#pragma once

#include "sensor/SliderValueLoad.h"

#include <QFrame>
#include <QString>

class MyConmboBox;
class MySlider;
class QButtonGroup;
class QCheckBox;
class QColor;
class QColorDialog;
class QLabel;
class QSpinBox;
class QToolButton;

// Second design of the DPI level editor: one row per level (level box,
// colour swatch, slider, number) for up to eight levels, and a list for the
// number of levels. Values go through the DPI encoder, colours, the current
// level and level swaps through the setting writers. The host fills it with
// the operations below; texts come from the host.
class SensorDPIB : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLevels = 8;

    explicit SensorDPIB(QWidget* parent = nullptr);

    // Level arguments are rows 0..7; any other value changes nothing.
    bool BlockLevelCountSignals(bool block);
    void ClearLevelCounts();
    void InsertLevelCount(int index, const QString& text);
    void SetLevelCountIndex(int index);
    void SetLevelCountLabel(const QString& text);
    void BlockSliderSignals(bool block);
    void SetSlidersEnabled(bool enabled);
    void SetSlidersMaximum(int value);
    void SetSlidersMinimum(int value);
    // Show a value the mouse holds: the slider's change is shown, not written.
    void SetSliderValue(int value, int level);
    void SetSpinValue(int value, int level);
    void SetLevelValueText(int level, const QString& text);
    // Stores a "#rrggbb" colour; ApplyLevelColor paints it.
    void SetLevelColorText(int level, const QString& colour);
    void ApplyLevelColor(int level);
    void ApplyAllLevelColors();
    // Paints the fixed preset colours; the stored colours stay.
    void ApplyPresetColors();
    void SetCurrentLevel(int level);
    // Checks the level's box; a newly checked box runs its level choice.
    void CheckLevel(int level);
    // Checks the level's box after an online check.
    void SelectLevel(int level);
    // Shows rows 0..lastLevel and hides the others.
    void ShowLevels(int lastLevel);

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderA_valueChanged(int value);
    void on_horizontalSliderB_valueChanged(int value);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderD_valueChanged(int value);
    void on_horizontalSliderE_valueChanged(int value);
    void on_horizontalSliderF_valueChanged(int value);
    void on_horizontalSliderG_valueChanged(int value);
    void on_horizontalSliderH_valueChanged(int value);
    void on_MA_toggled(bool checked);
    void on_MB_toggled(bool checked);
    void on_MC_toggled(bool checked);
    void on_MD_toggled(bool checked);
    void on_ME_toggled(bool checked);
    void on_MF_toggled(bool checked);
    void on_MG_toggled(bool checked);
    void on_MH_toggled(bool checked);
    void on_BlueButtonA_clicked();
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();
    void SetColor(const QColor& color);

private:
    // The list and the rows show the level count the record (as the mouse holds it) says.
    void ShowHeldLevelCount();
    struct Row {
        QCheckBox* level = nullptr;
        QToolButton* swatch = nullptr;
        MySlider* slider = nullptr;
        QSpinBox* number = nullptr;
    };

    void BuildForm();
    void ApplyStyles();
    void SliderChanged(int row, int value);
    void LevelChosen(int row, bool checked);
    void SwatchClicked(int row);
    void PaintSwatch(int row, const QString& colour);
    static bool IsLevel(int level) { return level >= 0 && level < kLevels; }

    QLabel* label = nullptr;
    MyConmboBox* ChooseEvent = nullptr;
    Row rows[kLevels];
    QColorDialog* colorDialog = nullptr;
    QString pictureDir;
    QButtonGroup* levelGroup = nullptr;
    int currentLevel = 1;
    QString levelColors[kLevels];
    // Set while the host shows a value on a slider; every other change of
    // a slider is the user's and is written.
    SliderValueLoad sliderLoad;
    int previousLevel = 0;
    int colorTarget = 0;
};
