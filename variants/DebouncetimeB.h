#pragma once

#include <QFrame>
#include <QString>

class QSlider;
class QSpinBox;

// Second design of the debounce control: a slider 1..20 with the number
// beside it. The number follows the handle; the value is written once, when
// the handle is released.
class DebouncetimeB : public QFrame {
    Q_OBJECT
public:
    explicit DebouncetimeB(QWidget* parent = nullptr);

    // Shows a value without writing it.
    void SetDebounceValue(int value);
    // The number's unit suffix; the index is not used.
    void SetItemUnit(int index, const QString& unit);

private slots:
    void on_Debunce_sliderMoved(int position);
    void on_Debunce_valueChanged(int value);

private:
    QSlider* Debunce = nullptr;
    QSpinBox* spinBoxA = nullptr;
    QString pictureFolder;
};
