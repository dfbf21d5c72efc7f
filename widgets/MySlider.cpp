#include "widgets/MySlider.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

#include <algorithm>

MySlider::MySlider(QWidget* parent)
    : QSlider(parent)
{
}

MySlider::~MySlider() = default;

void MySlider::mousePressEvent(QMouseEvent* event)
{
    QSlider::mousePressEvent(event);

    // A slider that has not been laid out yet has no scale to map the press onto.
    const int w = width();
    if (w <= 0)
        return;

    const double low = minimum();
    const double high = maximum();
    const double fraction = static_cast<double>(event->x()) / static_cast<double>(w);
    const double value = low + (high - low) * fraction;
    // Clamped before the conversion so a press outside the range cannot overflow an int.
    setValue(static_cast<int>(std::clamp(value, low, high)));

    if (QWidget* parent = parentWidget()) {
        QEvent pressed(static_cast<QEvent::Type>(QEvent::User + 1));
        QCoreApplication::sendEvent(parent, &pressed);
    }
}
