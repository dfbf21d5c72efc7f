#pragma once

#include <QPoint>
#include <QRect>

class MyConmboBox;
class MySlider;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

// The controls of the DPI level editor, built on the editor at fixed
// positions: the title and level-count list, the value slider with its
// read-only number, minus and plus, the eight level buttons each with its
// colour swatch, and the marker under the selected level. The widgets belong
// to the editor; the form only holds the pointers.
class SensorDPIForm {
public:
    static constexpr int kLevels = 8;

    // One level of the row: level i is DPI level entry i of the record.
    struct Level {
        const char* buttonName;
        const char* swatchName;
        QRect buttonRect;
        QRect swatchRect;
        QPoint markerPosition;
        const char* defaultColor; // "r,g,b"
        const char* defaultText;
    };
    static const Level& LevelAt(int level);

    explicit SensorDPIForm(QFrame* editor);
    SensorDPIForm(const SensorDPIForm&) = delete;
    SensorDPIForm& operator=(const SensorDPIForm&) = delete;

    // The form's own texts.
    void RetranslateUi(QFrame* editor);

    QLabel* label;
    MyConmboBox* ChooseEvent;
    MySlider* horizontalSliderC;
    QSpinBox* spinBoxA;
    QToolButton* levelButtons[kLevels];
    QToolButton* swatches[kLevels];
    QLabel* label_8;
    QToolButton* ReduceLevelA;
    QToolButton* AddLevelA;
};
