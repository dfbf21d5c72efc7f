#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <functional>

// Reads pixels off the screen for the colour pickers. Tests replace the
// grab with a function that returns a given image.
class ScreenGrab {
public:
    using GrabFunction = std::function<QImage(const QPoint& at, int width, int height)>;

    // Physical desktop pixels per logical pixel, horizontally.
    static double DesktopScale();
    // The cursor's global position scaled by DesktopScale, fractions cut.
    static QPoint ScaledCursorPosition();
    // The colour of the pixel at a physical desktop position; false when
    // the grab gave no picture or no valid pixel.
    static bool PixelAt(const QPoint& at, QColor* colour);

    // Replaces the grab (an empty function restores the screen's own).
    static void SetGrabFunction(const GrabFunction& grab);
    // Replaces the cursor position (for tests); a null function restores it.
    static void SetCursorFunction(const std::function<QPoint()>& cursor);
};
