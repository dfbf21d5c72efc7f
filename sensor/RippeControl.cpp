#include "sensor/RippeControl.h"

#include "device/DeviceSettingSetters.h"

namespace {

const SensorSwitchPanel::Traits kTraits = {
    "RippeControl",
    "波纹控制",
    &DeviceSettingSetters::SetRippleControl,
    {175, 120, 185, 100, 175},
};

} // namespace

RippeControl::RippeControl(QWidget* parent)
    : SensorSwitchPanel(kTraits, parent)
{
    QMetaObject::connectSlotsByName(this);
}

RippeControl::~RippeControl() = default;

void RippeControl::on_RippeControl_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
