#pragma once

#include <QImage>
#include <QPoint>

// What the colour boards ask of the desktop: its scale, the cursor and a
// small grab of its pixels. Tests put a desktop picture of their own in
// place of the screen.
class ScreenGrab {
public:
    // The physical desktop width divided by the logical one; 1 when either
    // is unknown.
    static double HorizontalScale();
    // The cursor in logical desktop pixels.
    static QPoint CursorPosition();
    // The area of the desktop at (x, y) in physical pixels; a null image
    // when nothing could be grabbed.
    static QImage Grab(int x, int y, int width, int height);

    // Tests only. Grabs are cut from desktop (a null picture makes every grab
    // fail), the cursor stands at cursor and the scale is scale.
    static void SetDesktopForTest(const QImage& desktop, const QPoint& cursor, double scale = 1.0);
    // Back to the real screen.
    static void ClearTest();
    // The origin of the last grab asked for; tests read it.
    static QPoint LastGrabOrigin();
};
