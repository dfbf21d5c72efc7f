#include "sensor/MotionSync.h"

#include "device/DeviceSettingSetters.h"

namespace {

const SensorSwitchPanel::Traits kTraits = {
    "MotionSync",
    "motion sync",
    &DeviceSettingSetters::SetMotionSync,
    {160, 150, 215, 100, 175},
};

} // namespace

MotionSync::MotionSync(QWidget* parent)
    : SensorSwitchPanel(kTraits, parent)
{
    QMetaObject::connectSlotsByName(this);
}

MotionSync::~MotionSync() = default;

void MotionSync::on_MotionSync_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
