#pragma once

#include <QFrame>
#include <QString>

class QSlider;
class QSpinBox;

// Second design of the sleep-time control: a slider over the eleven sleep
// times (10 s to 40 min) and the time beside it, in seconds for the first two
// and minutes for the others. A released handle writes the time.
class StopCloseTimeB : public QFrame {
    Q_OBJECT
public:
    explicit StopCloseTimeB(QWidget* parent = nullptr);

    // Shows entry index 0..10 without writing it.
    void SetSleepIndex(int index);
    // Takes the unit suffixes from the host's list texts: item 0 ("10" +
    // seconds unit) and item 5 ("15" + minutes unit); other items are ignored.
    void SetItemText(int index, const QString& text);

private slots:
    void on_StopClose_sliderMoved(int position);
    void on_StopClose_valueChanged(int value);

private:
    void ShowPosition(int position);

    QSlider* StopClose = nullptr;
    QSpinBox* spinBoxA = nullptr;
    QString pictureFolder;
    QString secondsSuffix;
    QString minutesSuffix;
};
