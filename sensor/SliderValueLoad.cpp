#include "sensor/SliderValueLoad.h"

#include <QScopedValueRollback>
#include <QSlider>

void SliderValueLoad::Load(QSlider* slider, int value)
{
    const QScopedValueRollback<int> loading(depth, depth + 1);
    slider->setValue(value);
}
