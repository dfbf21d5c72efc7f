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
    // Disabling a slider ends its press in Qt: the handle would jump back
    // and the release would send nothing. So the slider stays enabled while
    // the device is asked, and a move that arrives meanwhile (the offline
    // notice runs its own event loop) is not asked again.
    static bool asking = false;
    if (asking)
        return;
    asking = true;
    const bool online = DeviceSettingSetters::IsDeviceOnline();
    asking = false;
    if (!online) {
        slider->setEnabled(false);
        slider->setValue(box->value());
        return;
    }
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
