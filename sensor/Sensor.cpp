#include "sensor/Sensor.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorCapabilities.h"
#include "sensor/SensorLOD.h"
#include "sensor/SensorRate.h"

#include <QDir>

Sensor::Sensor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Sensor"));
    frameRate = new SensorRate(this);
    frameRate->setObjectName(QStringLiteral("frameRate"));
    frameRate->setGeometry(80, 208, 725, 82);
    // The lift-off panel only holds what the page shows until the page's form lays it out.
    frameLOD = new SensorLOD(this);
    frameLOD->setObjectName(QStringLiteral("frameLOD"));
    frameLOD->hide();

    sensorPageFolder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
    QDir().mkpath(sensorPageFolder);
    levelCountFromFile = DpiValueCoding::readDpiLevelCountFile(sensorPageFolder);
    SensorCapabilities::LoadHeader(&sensorFeatures);

    PostMsg::Connect(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this, SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this, SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
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

void Sensor::SlotAllLanguage(int index)
{
    const int language = index == 2 ? 1 : index;
    frameRate->setTitleText(LanguageTables::Text(language, QStringLiteral("sensor"), QStringLiteral("ReportRate")));
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

    // The ranges first: the levels' values are read with them.
    DpiValueCoding::ParseDpiRanges();
    // Only the levels the model offers count; the current level of a record
    // may be anything and indexes nothing beyond them.
    const int levels = DpiValueCoding::ModelLevelCount(device.modelIndex);
    const int current = record.currentDpiLevel;
    if (current < levels)
        PostMsg::Instance()->EmitSigAddSensor(DpiValueCoding::DpiOfLevelEntry(record.dpiLevels[current]));

    const int rateClass = SensorRate::RateClassOfConnection(device.connectionKind);
    if (rateClass >= 0)
        frameRate->setRateLimit(rateClass);
}
