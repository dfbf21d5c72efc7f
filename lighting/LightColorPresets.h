#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QVector>

// The fourteen preset colours of the light editors: each preset's button
// name, its picture, its place in the mouse light editor, and its colour.
struct LightColorPreset {
    QString objectName;  // "toolButtonColorA" .. "toolButtonColorN"
    QString picture;     // "ColorA.png" .. "ColorN.png"
    QPoint editorPosition;
    QColor colour;
};

const QVector<LightColorPreset>& LightColorPresets();
