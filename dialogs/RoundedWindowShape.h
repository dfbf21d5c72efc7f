#pragma once

#include <QObject>

class QWidget;

// Gives a frameless dialog the shape of its background frame with rounded
// corners: the window shows nothing outside the frame (no light corners
// beside the rounded background picture, no bar under a frame that is
// shorter than the dialog). Follows the frame when it moves or resizes.
class RoundedWindowShape : public QObject {
    Q_OBJECT
public:
    // The radius of the notices' background picture.
    static constexpr int kCornerRadius = 6;

    // Owned by the dialog. radius: that of the frame's background picture.
    RoundedWindowShape(QWidget* dialog, QWidget* frame, int radius = kCornerRadius);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    QWidget* m_dialog;
    QWidget* m_frame;
    int m_radius;
};
