#include "lighting/LampLight.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"

LampLight::LampLight(QWidget* parent)
    : QWidget(parent)
{
    PostMsg::Connect(SIGNAL(SigUpDataLightLight(FlashDataMap)), this, SLOT(SlotUpDataLightUILight(FlashDataMap)));
}

void LampLight::SlotUpDataLightUILight(FlashDataMap DataMap)
{
    Q_UNUSED(DataMap);
    lightPageReady = false;
    lightPageFilling = true;
    lightPageFilling = false;
    lightPageReady = true;
}
