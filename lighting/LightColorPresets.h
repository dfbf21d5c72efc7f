#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QVector>

// The fourteen preset colours of the light editors, A to N: each editor's
// preset buttons are named after the letter and show "Color<letter>.png".
struct LightColorPreset {
    char letter;
    int red;
    int green;
    int blue;
};

constexpr int kLightColorPresetCount = 14;
extern const LightColorPreset kLightColorPresets[kLightColorPresetCount];

// The same presets as the light mode dialog places them: button name,
// picture, place in the dialog and colour.
struct LightColorPresetButton {
    QString objectName;  // "toolButtonColorA" .. "toolButtonColorN"
    QString picture;     // "ColorA.png" .. "ColorN.png"
    QPoint editorPosition;
    QColor colour;
};

const QVector<LightColorPresetButton>& LightColorPresets();
