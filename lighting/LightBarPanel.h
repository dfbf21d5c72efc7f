#pragma once

#include <QVector>

#include <initializer_list>

class QFrame;
class QLabel;
class QSlider;
class QSpinBox;
class QString;
class QToolButton;
class QWidget;

// What the two light bar panels, the mouse's (MouseLight) and the
// receiver's (ReceiveLight), build and show alike; each passes its own
// controls and places.
namespace LightBarPanel {

// The editable 0..255 colour channel box, 45 by 20 at (x, y).
QSpinBox* NewChannelBox(QWidget* parent, const char* name, int x, int y, int points);
// Shows the controls light effect 0..6 uses: brightness for all but off (0),
// speed for effects 1, 2, 4 and 5, the colour group for effects 2 and 3; a
// hidden slider's row shows its rule instead. Any other effect changes
// nothing.
void ShowEffectControls(int effect, QSlider* brightness, QSpinBox* brightnessBox, QFrame* brightnessLine,
                        QSlider* speed, QSpinBox* speedBox, QFrame* speedLine,
                        const QVector<QWidget*>& colourWidgets);
// The pictures of the colour group: the colour board, the minus and plus
// buttons, the preview frame and each preset's "Color<letter>.png".
void StyleColourPictures(const QString& pictureFolder, QLabel* board, std::initializer_list<QToolButton*> reduce,
                         std::initializer_list<QToolButton*> add, QLabel* preview,
                         const QVector<QToolButton*>& presets);

} // namespace LightBarPanel
