#pragma once

class QSlider;

// Sets a DPI slider to a value the mouse already holds, for showing it. The
// value change this causes reaches the slider's slot while Loading() is
// true, and the slot shows it without writing it. Every change outside a
// load is the user's and is written, so a load that changes nothing (the
// same value, or the slider's signals held) cannot swallow the user's next
// change.
class SliderValueLoad {
public:
    void Load(QSlider* slider, int value);
    bool Loading() const { return depth > 0; }

private:
    int depth = 0;
};
