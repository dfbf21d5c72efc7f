#include "sensor/Sensor.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorLOD.h"
#include "sensor/SensorRate.h"

namespace {
// A record holds this many DPI level entries.
constexpr int kRecordDpiLevels = 8;
}

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Sensor"));
    // The panels hold what the page shows; the page's form lays them out.
    frameRate = new SensorRate(this);
    frameRate->setObjectName(QStringLiteral("frameRate"));
    frameRate->hide();
    frameLOD = new SensorLOD(this);
    frameLOD->setObjectName(QStringLiteral("frameLOD"));
    frameLOD->hide();
    PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
}

int Sensor::RateIndexOfCode(int code)
{
    switch (code) {
    case 8: return 0;
    case 4: return 1;
    case 2: return 2;
    case 1: return 3;
    case 16: return 4;
    case 32: return 5;
    case 64: return 6;
    default: return -1;
    }
}

void Sensor::SlotUpDataSenSorUISensor(FlashDataMap DataMap)
{
    sensorPageReady = false;
    sensorPageFilling = true;
    Fill(DataMap);
    sensorPageFilling = false;
    sensorPageReady = true;
}

void Sensor::SlotUpDataSenSorUIB(FlashDataMap DataMap)
{
    sensorPageFilling = true;
    Fill(DataMap);
    sensorPageFilling = false;
}

void Sensor::Fill(const FlashDataMap& record)
{
    const DeviceAllInfo device = CurrentDevice::Info();
    const QString group = ConfigSettings::ModelGroup(device.modelIndex);

    const int rateIndex = RateIndexOfCode(record.reportRate);
    if (rateIndex >= 0)
        frameRate->selectRate(rateIndex);
    // On the cable the mouse reports at 1000 Hz whatever rate its receiver uses.
    if (device.wired && (record.reportRate == 16 || record.reportRate == 32))
        frameRate->selectRate(3);

    CurrentSensorName = ConfigSettings::Instance()->Value(group, QStringLiteral("Sensor"));
    if (CurrentSensorName == QLatin1String("3950"))
        frameLOD->addSubMillimetreItem();
    else
        frameLOD->removeSubMillimetreItem();

    frameLOD->setLodIndex(record.liftOffDistance - 1);

    // Only the levels the model offers count, and never more than the record holds.
    const int levels = ConfigSettings::Instance()->Value(group, QStringLiteral("DPIMaxGrade")).toInt();
    const int current = record.currentDpiLevel;
    if (current < levels && current < kRecordDpiLevels)
        PostMsg::Instance()->EmitSigAddSensor(DpiValueCoding::DpiOfEntry(record.dpiLevels[current], CurrentSensorName));
}
