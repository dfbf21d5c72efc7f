#pragma once

class MotionSync;
class MyConmboBox;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QToolButton;
class QWidget;
class RippeControl;
class SensorDPI;
class SensorLOD;
class SensorRate;
class StraightLine;

// The widgets of the sensor page, built on the page at fixed positions: the
// DPI level editor, the report rate, and the sensor settings (sensor mode,
// lift-off distance, performance mode with its time, ripple control,
// straight line and motion sync). The widgets belong to the page; the form
// only holds the pointers.
class SensorForm {
public:
    explicit SensorForm(QWidget* page);
    SensorForm(const SensorForm&) = delete;
    SensorForm& operator=(const SensorForm&) = delete;

    QGridLayout* gridLayout;
    QFrame* SenSorPage;
    SensorDPI* frameDpi;
    QToolButton* TitleButton;
    SensorRate* frameRate;
    QToolButton* TitleButton_2;
    QLabel* label_5;
    QToolButton* TitleButton_4;
    QLabel* label_11;
    QLabel* label;
    SensorLOD* frameLOD;
    MyConmboBox* ModelChoose;
    QCheckBox* Performance;
    QLabel* label_2;
    MyConmboBox* PerformanceOpen;
    RippeControl* frame;
    MotionSync* frame_3;
    StraightLine* frame_4;
};
