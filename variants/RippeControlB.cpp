#include "variants/RippeControlB.h"

#include "device/DeviceSettingSetters.h"

RippeControlB::RippeControlB(QWidget* parent)
    : SwitchPanelB(parent, "RippeControlB", "RippeControl_2", QStringLiteral("波纹控制"), &DeviceSettingSetters::SetRippleControl)
{
    QMetaObject::connectSlotsByName(this);
}

void RippeControlB::on_RippeControl_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
