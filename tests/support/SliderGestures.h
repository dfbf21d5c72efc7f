#pragma once

// Works a slider as the user does: the mouse's press, moves and release go
// through the slider's window as the window system delivers them, keys go
// to the slider itself.

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace SliderGestures {

// The style option the slider fills for itself, with its handle at position.
inline QStyleOptionSlider Option(QSlider* slider, int position)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.upsideDown = slider->invertedAppearance() != (slider->layoutDirection() == Qt::RightToLeft);
    option.direction = slider->layoutDirection();
    option.sliderPosition = position;
    option.sliderValue = position;
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    if (slider->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

// The centre of the slider's handle if it stood at value.
inline QPoint HandleCentre(QSlider* slider, int value)
{
    const QStyleOptionSlider option = Option(slider, value);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

inline QWindow* WindowOf(QSlider* slider)
{
    return slider->window()->windowHandle();
}

inline QPoint InWindow(QSlider* slider, const QPoint& at)
{
    return slider->mapTo(slider->window(), at);
}

// Takes the handle where it stands and lets it go at the place of value
// `to`, reached in `moves` even steps; `afterMove` runs after each step.
inline void Drag(QSlider* slider, int to, int moves, const std::function<void()>& afterMove = {})
{
    const QPoint from = HandleCentre(slider, slider->sliderPosition());
    const QPoint end = HandleCentre(slider, to);
    QTest::mousePress(WindowOf(slider), Qt::LeftButton, Qt::NoModifier, InWindow(slider, from));
    for (int step = 1; step <= moves; ++step) {
        QTest::mouseMove(WindowOf(slider), InWindow(slider, from + (end - from) * step / moves));
        if (afterMove)
            afterMove();
    }
    QTest::mouseRelease(WindowOf(slider), Qt::LeftButton, Qt::NoModifier, InWindow(slider, end));
}

// A click on the groove where the handle of value `at` would stand.
inline void ClickGroove(QSlider* slider, int at)
{
    QTest::mouseClick(WindowOf(slider), Qt::LeftButton, Qt::NoModifier, InWindow(slider, HandleCentre(slider, at)));
}

} // namespace SliderGestures
