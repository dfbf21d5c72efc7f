#pragma once

#include <QSlider>

// Slider that jumps straight to the value under the pointer on a press,
// instead of stepping a page towards it.
class MySlider : public QSlider {
public:
    explicit MySlider(QWidget* parent = nullptr);
    ~MySlider() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
