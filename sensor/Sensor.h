#pragma once

#include "device/FlashDataMap.h"
#include "sensor/SensorFeatureLists.h"

#include <QString>
#include <QWidget>

class SensorLOD;
class SensorRate;

// The sensor page. It reads the sensor capability header once, and at every
// fill the model's sensor and DPI ranges; for now a fill shows the record's
// report rate (limited by the connection), lift-off distance and the current
// level's DPI in its panels and tells the overview.
class Sensor : public QWidget {
    Q_OBJECT
public:
    explicit Sensor(QWidget* parent = nullptr);

    // The report-rate panel's index of a record rate code; -1 for an unknown code.
    static int RateIndexOfCode(int code);

    // The SUPPORT lists of the capability header.
    const SensorFeatureLists& featureLists() const { return sensorFeatures; }
    // The DPI editor's first level count, from the per-user "Level.ini".
    int initialLevelCount() const { return levelCountFromFile; }

public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);

private:
    void Fill(const FlashDataMap& record);

    QString sensorPageFolder;
    SensorFeatureLists sensorFeatures;
    int levelCountFromFile = 1;
    SensorRate* frameRate;
    SensorLOD* frameLOD;
};
