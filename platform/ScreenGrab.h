#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <functional>

// What the colour pickers ask of the desktop: its scale, the cursor and a
// small grab of its pixels. Tests put a desktop picture, or a grab and a
// cursor of their own, in place of the screen.
class ScreenGrab {
public:
    using GrabFunction = std::function<QImage(const QPoint& at, int width, int height)>;

    // The physical desktop width divided by the logical one; 1 when either
    // is unknown.
    static double HorizontalScale();
    // The same scale, under the name the light mode dialog uses.
    static double DesktopScale() { return HorizontalScale(); }
    // The cursor in logical desktop pixels.
    static QPoint CursorPosition();
    // The cursor scaled by HorizontalScale, fractions cut.
    static QPoint ScaledCursorPosition();
    // The area of the desktop at (x, y) in physical pixels; a null image
    // when nothing could be grabbed.
    static QImage Grab(int x, int y, int width, int height);
    // The colour of the pixel at a physical desktop position; false when
    // the grab gave no picture or no valid pixel.
    static bool PixelAt(const QPoint& at, QColor* colour);

    // Tests only. Grabs are cut from desktop (a null picture makes every grab
    // fail), the cursor stands at cursor and the scale is scale.
    static void SetDesktopForTest(const QImage& desktop, const QPoint& cursor, double scale = 1.0);
    // Tests only: replace the grab or the cursor; an empty function restores it.
    static void SetGrabFunction(const GrabFunction& grab);
    static void SetCursorFunction(const std::function<QPoint()>& cursor);
    // Back to the real screen.
    static void ClearTest();
    // The origin of the last grab asked for; tests read it.
    static QPoint LastGrabOrigin();
};
