#include "variants/StraightLineB.h"

#include "device/DeviceSettingSetters.h"

StraightLineB::StraightLineB(QWidget* parent)
    : SwitchPanelB(parent, "StraightLineB", "StraightLine_2", QStringLiteral("直线修正"), &DeviceSettingSetters::SetStraightLine)
{
    QMetaObject::connectSlotsByName(this);
}

void StraightLineB::on_StraightLine_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
