#pragma once

#include <QPushButton>

// Push button styled as a link: the pointer turns into a pointing hand over it.
class MyButton : public QPushButton {
public:
    explicit MyButton(QWidget* parent = nullptr);
    ~MyButton() override;

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
};
