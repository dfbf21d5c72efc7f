#include "sensor/Sensor.h"

#include "app/PostMsg.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
{
    PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
}

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    Q_UNUSED(DataMap);
    sensorPageReady = false;
    sensorPageFilling = true;
    sensorPageFilling = false;
    sensorPageReady = true;
}
