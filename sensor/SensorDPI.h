#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QColorDialog;
class SensorDPIForm;

// The DPI level editor of the sensor page: up to eight DPI levels as a row of
// level buttons carrying their DPI values, each with a colour swatch, the
// level-count list, a slider and a read-only number for the selected level's
// value, and a marker under the selected level. The page fills it through
// the operations below; none of them writes to the mouse.
class SensorDPI : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLevels = 8;

    explicit SensorDPI(QWidget* parent = nullptr);
    ~SensorDPI() override;

    // The level-count list.
    bool BlockLevelCountSignals(bool block);
    void ClearLevelCountItems();
    void InsertLevelCountItem(int index, const QString& text);
    void SetLevelCountIndex(int index);
    void SetLevelCount(int count);
    void SetCurrentLevel(int level);
    // Shows the levels 0 to index, hides the others; other indexes change nothing.
    void ShowLevelCount(int index);

    // The value slider and the number beside it.
    bool BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    void SetSliderMinimum(int value);
    void SetSliderMaximum(int value);
    void SetSliderValue(int value);
    void EnableSlider();
    void SetSpinValue(int value);

    void SetTitleText(const QString& text);
    void SetLevelText(int level, const QString& text);
    // Stores a "#rrggbb" colour for the level; restyles nothing.
    void SetLevelColor(int level, const QString& text);
    // The level's swatch large, every other swatch small.
    void RefreshSwatches(int level);
    // currentLevel := position - 1; for 1 to 8 the marker goes under that level.
    void MoveMarker(int position);
    // Checks the level's button, draws the row around it, loads the slider
    // with its value and announces the value to the overview.
    void SelectLevel(int level);
    // The model's default colours (DPIColor) and DPI texts (DPIGrade).
    void LoadDpiConfig();

    // Draws the level as the selected one and loads the slider with its value.
    void ShowSelectedLevel(int level);

    int CurrentLevel() const { return currentLevel; }
    int LevelCount() const { return levelCount; }
    int LevelCountIndex() const { return levelCountIndex; }
    // "r,g,b" of a level; empty for another index.
    QString LevelColor(int level) const;

private slots:
    void on_BlueButton_toggled(bool checked);
    void on_BrightRedButton_toggled(bool checked);
    void on_RedButton_toggled(bool checked);
    void on_YellowButton_toggled(bool checked);
    void on_GreenButton_toggled(bool checked);
    void on_PurpleButton_toggled(bool checked);
    void on_LightBlueButton_toggled(bool checked);
    void on_LightYellowButton_toggled(bool checked);
    void on_BlueButtonA_toggled(bool checked);
    void on_BrightRedButtonA_toggled(bool checked);
    void on_RedButtonA_toggled(bool checked);
    void on_YellowButtonA_toggled(bool checked);
    void on_GreenButtonA_toggled(bool checked);
    void on_PurpleButtonA_toggled(bool checked);
    void on_LightBlueButtonA_toggled(bool checked);
    void on_LightYellowButtonA_toggled(bool checked);

private:
    void ApplyStyles();
    QString LevelButtonStyle(bool large) const;
    QString SwatchStyle(int level, bool large) const;
    void SetLevelButtonLook(int level, bool large);
    void SetSwatchLook(int level, bool large);
    // The swatch's style for its checked state; its geometry stays.
    void RefreshSwatchStyle(int level);
    // Every swatch but the level's takes its small look.
    void ShrinkOtherSwatches(int level);
    void LevelButtonToggled(int level, bool checked);
    void SwatchToggled(int level, bool checked);
    int LevelValue(int level) const;
    void BlockRowSignals(bool block);

    SensorDPIForm* ui;
    QString pictureDir;
    QButtonGroup* levelButtonGroup;
    QButtonGroup* swatchGroup;
    QColorDialog* colorDialog;
    QStringList buttonColorList;
    QString buttonColor; // "rgb(r,g,b)"
    QRect levelButtonRects[kLevels];
    QRect swatchRects[kLevels];
    QPoint markerPositions[kLevels];
    QRect dragArea;
    bool markerDragging = false;
    QPoint dragOffset;
    int currentLevel = 1;
    int levelCount = 1;
    QString levelColors[kLevels];
    bool sliderSendArmed = false;
    int countChangeLevel = 0;
    int levelCountIndex = 0;
    int previousLevel = 1;
};
