#pragma once

#include <QFrame>

class QButtonGroup;
class QCheckBox;

// The 4 kHz receiver's single-LED panel: three exclusive boxes for the LED's
// meanings 1, 2 and 3. For now it shows the meaning the lighting page ticks;
// writing it to the receiver comes later.
class OneLed : public QFrame {
    Q_OBJECT
public:
    explicit OneLed(QWidget* parent = nullptr);
    ~OneLed() override;

    // index 0, 1, 2 ticks the box of meaning 1, 2, 3 without its signals;
    // other values do nothing.
    void SetMeaning(int index);
    // The same with the box's signals flowing, as a user's tick.
    void ApplyMeaning(int index);

private:
    QCheckBox* Box(int index) const;

    QCheckBox* ReUntil = nullptr;
    QCheckBox* ReUntil_2 = nullptr;
    QCheckBox* ReUntil_3 = nullptr;
    QButtonGroup* group = nullptr;
};
