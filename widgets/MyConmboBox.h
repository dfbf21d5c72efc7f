#pragma once

#include <QComboBox>

// Combo box whose closed face shows the current entry centred, like a push
// button's label. It remembers which entry was current when the user pressed
// it, so a page can put that entry back when the device refuses the new one.
class MyConmboBox : public QComboBox {
public:
    explicit MyConmboBox(QWidget* parent = nullptr);
    ~MyConmboBox() override;

    // The current index at the last mouse press; 0 before any press.
    int PressedIndex() const { return m_pressedIndex; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_pressedIndex = 0;
};
