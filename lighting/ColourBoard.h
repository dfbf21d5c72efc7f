#pragma once

class QColor;

// What the light editors' plus, minus and preset buttons and their colour
// boards share: the online check before they act, and the colour picked
// from the screen under the cursor.
class ColourBoard {
public:
    // While sending is on, an offline device ends the button (with the
    // offline notice outside a lighting fill); otherwise it may act.
    static bool ButtonsMayAct();
    // The colour of the desktop pixel under the cursor. The cursor's logical
    // position is scaled by the desktop's horizontal scale on both axes.
    // False when the screen could not be read: the caller keeps its colour.
    static bool PickCursorColour(QColor* colour);
};
