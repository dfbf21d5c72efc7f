#pragma once

#include <atomic>

class QFrame;
class QSlider;
class QSpinBox;

// A light's level row: a slider (brightness or speed), its read-only number
// box and the rule shown in their place while the effect has no such level.
// The mouse light bar and the DPI indicator panels handle it alike: the same
// checks on a drag and on a released value, only the writer differs.
namespace LightLevelSlider {

// A drag asks whether the device answers, without ending the user's press;
// offline the slider goes back to its number box and stays disabled. Online
// the box follows the drag and the release writes it.
void DragCheck(QSlider* slider, QSpinBox* box, int position);
// A released value: a disabled slider only goes back to its number box.
// Otherwise, while sending is on and the page is not being filled, code is
// written: refused, the slider goes back to its box and stays disabled;
// taken, the box shows value.
void Release(QSlider* slider, QSpinBox* box, int value, const std::atomic<bool>& pageFilling,
             bool (*writer)(int), int code);
// Shows the row's slider and number box, or its rule in their place.
void ShowRow(QSlider* slider, QSpinBox* box, QFrame* rule, bool shown);

} // namespace LightLevelSlider
