#include "variants/MotionSyncB.h"

#include "device/DeviceSettingSetters.h"

MotionSyncB::MotionSyncB(QWidget* parent)
    : SwitchPanelB(parent, "MotionSyncB", "MotionSync_2", QStringLiteral("motion sync"), &DeviceSettingSetters::SetMotionSync)
{
    QMetaObject::connectSlotsByName(this);
}

void MotionSyncB::on_MotionSync_2_clicked(bool checked)
{
    SwitchClicked(checked);
}
