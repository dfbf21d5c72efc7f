#pragma once

class QWidget;

// Scales the font of a widget and of every widget below it by a factor.
// Each font is scaled once: a child that only inherits its parent's font ends
// at the same size as the parent, not scaled again on its own level.
void ScaleWidgetFonts(QWidget* widget, double factor);

// The factor that keeps fonts at their designed size on this screen:
// 1 / (logical DPI / 96), in single precision.
double ScreenFontFactor();
