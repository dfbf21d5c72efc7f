#pragma once

class QColor;
class QMouseEvent;
class QSpinBox;
class QWidget;

// What the light editors' plus, minus and preset buttons and their colour
// boards share: the online check before they act, and the colour picked
// from the screen under the cursor.
class ColourBoard {
public:
    // While sending is on, an offline device ends the button (with the
    // offline notice outside a lighting fill); otherwise it may act.
    static bool ButtonsMayAct();
    // A plus or minus button: moves the channel box by step when the
    // buttons may act.
    static void StepChannel(QSpinBox* box, int step);
    // A preset button: sets the red, green and blue boxes to preset 0..13
    // when the buttons may act.
    static void ApplyPreset(QSpinBox* red, QSpinBox* green, QSpinBox* blue, int preset);
    // The colour of the desktop pixel under the cursor. The cursor's logical
    // position is scaled by the desktop's horizontal scale on both axes.
    // False when the screen could not be read: the caller keeps its colour.
    static bool PickCursorColour(QColor* colour);

    // An editor's controls as its mouse press handling needs them.
    struct Controls {
        QWidget* editor;
        QWidget* board;
        QSpinBox* channels[3]; // red, green, blue
        QSpinBox* valueBoxes[2];
    };
    // A press on the editor: one beside the boxes ends their editing; one on
    // the board (any button) sets the channels, red first, to the picked
    // colour and gives it back. False when nothing was picked: not a press,
    // not on the board, the device offline or the screen unreadable.
    static bool HandlePress(const Controls& controls, QMouseEvent* event, QColor* picked);
};
