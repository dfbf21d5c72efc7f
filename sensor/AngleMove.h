#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QSlider;
class RotatableWidget;

// The sensor angle last shown from device data or last accepted by the mouse;
// a refused angle goes back to it.
extern int lastSensorAngle;

// The sensor angle of the advanced page (record byte 15, -30..30 degrees)
// on a slider, with a mouse picture that turns with it. The value is written
// when the handle is released; a refused write puts everything back and
// disables the slider until the next fill from the device.
class AngleMove : public QFrame {
    Q_OBJECT
public:
    explicit AngleMove(QWidget* parent = nullptr);
    ~AngleMove() override;

    // None of these writes.
    void setAngleValue(int angle);
    void setSliderEnabled(bool on);
    void moveTipIcon(int x, int y);
    void setAngleText(const QString& text);
    void setPictureAngle(int angle);

public slots:
    void SlotAllLanguage(int index);

private slots:
    void on_AngleSet_sliderMoved(int position);
    void on_AngleSet_valueChanged(int value);

private:
    void ShowAngle(int angle);

    QLabel* label_7;
    RotatableWidget* widget;
    RotatableWidget* widget_2;
    QLabel* Keydown_6;
    QLabel* Error_3;
    QSlider* AngleSet;
    QString pictureDir;
};
