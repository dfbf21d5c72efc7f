#include "sensor/StraightLine.h"

#include "device/DeviceSettingSetters.h"

namespace {

const SensorSwitchPanel::Traits kTraits = {
    "StraightLine",
    "直线修正",
    &DeviceSettingSetters::SetStraightLine,
    {170, 120, 185, 100, 175},
};

} // namespace

StraightLine::StraightLine(QWidget* parent)
    : SensorSwitchPanel(kTraits, parent)
{
    QMetaObject::connectSlotsByName(this);
}

StraightLine::~StraightLine() = default;

void StraightLine::on_StraightLine_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
