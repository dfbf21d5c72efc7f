#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "sensor/SliderValueLoad.h"

class QButtonGroup;
class QColor;
class QColorDialog;
class QMouseEvent;
class SensorDPIForm;

// The DPI level editor of the sensor page: up to eight DPI levels as a row of
// level buttons carrying their DPI values, each with a colour swatch, the
// level-count list, a slider and a read-only number for the selected level's
// value, and a marker under the selected level. The page fills it through
// the operations below; none of them writes to the mouse. The user's own
// choices (a level, its colour, its value, the level count, a dragged
// marker) are written at once through the setting writers; a choice the
// mouse does not take is put back, so the editor shows what the mouse holds.
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
    // Completes a marker drop on a level: selects it through its level
    // button, which writes it. With the mouse offline the row shows the
    // level the mouse still holds.
    void ApplyDraggedLevel(int level);

    // Hold or let through, together, the signals of the level buttons and
    // swatches with those of the slider and the number beside it, or with
    // those of the slider and the level-count list.
    void BlockRowAndValueSignals(bool block);
    void BlockRowSliderAndCountSignals(bool block);
    // The swatch handling of every level, the given one's as checked: its
    // swatch large, its button checked, its value on the slider.
    void RunSwatchToggled(int level);
    void SetSpinVisible(bool visible);
    // Does nothing; the editor's callers may rely on it being there.
    void EmptyOperation();

    int CurrentLevel() const { return currentLevel; }
    int LevelCount() const { return levelCount; }
    int LevelCountIndex() const { return levelCountIndex; }
    // "r,g,b" of a level; empty for another index.
    QString LevelColor(int level) const;

protected:
    // Dragging the marker under the row picks the current level.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Sees the slider's presses and releases: a value the user moves it to
    // is written once, when the mouse button lets go of the slider.
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderC_sliderMoved(int position);
    void on_ReduceLevelA_clicked();
    void on_AddLevelA_clicked();
    void SetColor(const QColor& color);
    void on_BlueButton_clicked();
    void on_BrightRedButton_clicked();
    void on_RedButton_clicked();
    void on_YellowButton_clicked();
    void on_GreenButton_clicked();
    void on_PurpleButton_clicked();
    void on_LightBlueButton_clicked();
    void on_LightYellowButton_clicked();
    void on_BlueButtonA_clicked();
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();
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
    // No control of the form has this name: it never runs.
    void on_pushButton_clicked();

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
    void LevelButtonClicked(int level);
    void SwatchToggled(int level, bool checked);
    void SwatchClicked(int level);
    int LevelValue(int level) const;
    int CheckedLevel() const;
    void BlockRowSignals(bool block);
    // Shows a level's value on the slider and the number beside it; the
    // value change this causes is never written.
    void LoadSliderValue(int level, int value);
    // The value the user gave the checked level, to the mouse; announced
    // only when the mouse took it, else put back.
    void SendLevelValue(int level, int value, int shownBefore);
    // The level's text, and the slider and number while it is checked, show
    // what the mouse holds for it again (shownBefore when no level is checked).
    void PutValueBack(int level, int shownBefore);
    // The mouse did not answer: the slider goes back to value and stays
    // disabled until the page's next fill.
    void PutSliderBack(int value);
    void EndSliderGesture();
    // Levels c and index trade values and colours; index becomes current.
    void ExchangeLevels(int c, int index);
    void EndMarkerDrag(const QPoint& position);

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
    // While a level's value is loaded into the slider, its change is shown
    // for that level and not written.
    SliderValueLoad sliderLoad;
    int sliderLoadLevel = -1;
    // The mouse button is held on the slider; the value shown when it was
    // pressed is what the mouse holds.
    bool sliderHeld = false;
    int heldStartValue = 0;
    bool sliderForwarding = false;
    int countChangeLevel = 0;
    int levelCountIndex = 0;
    int previousLevel = 1;
};
