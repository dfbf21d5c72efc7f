#pragma once

// What the program asks of the display: the desktop width in physical pixels
// (read before the application object exists) and the screen's logical DPI.
// NK_DESKTOP_WIDTH and NK_SCREEN_DPI override both, for tests.
class DisplayMetrics {
public:
    // 0 when no display can be reached.
    static int DesktopWidthPixels();
    // Needs the application object; 96 when no screen is known.
    static double LogicalDpi();
};
