#include "lighting/LightLevelSlider.h"

#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"

#include <QFrame>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace LightLevelSlider {

void DragCheck(QSlider* slider, QSpinBox* box, int position)
{
    if (!slider->isEnabled())
        return;
    slider->setEnabled(false);
    if (!DeviceSettingSetters::IsDeviceOnline()) {
        slider->setValue(box->value());
        return;
    }
    slider->setEnabled(true);
    box->setValue(position);
}

void Release(QSlider* slider, QSpinBox* box, int value, const std::atomic<bool>& pageFilling,
             bool (*writer)(int), int code)
{
    if (!slider->isEnabled()) {
        slider->setValue(box->value());
        return;
    }
    if (!deviceSendEnabled || pageFilling)
        return;
    if (!writer(code)) {
        const QSignalBlocker block(slider);
        slider->setEnabled(false);
        slider->setValue(box->value());
        return;
    }
    box->setValue(value);
}

void ShowRow(QSlider* slider, QSpinBox* box, QFrame* rule, bool shown)
{
    slider->setVisible(shown);
    box->setVisible(shown);
    rule->setVisible(!shown);
}

} // namespace LightLevelSlider
