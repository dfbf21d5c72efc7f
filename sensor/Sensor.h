#pragma once

#include "device/FlashDataMap.h"

#include <QWidget>

class SensorLOD;
class SensorRate;

// The sensor page. For now a fill shows the record's report rate, lift-off
// distance and the current level's DPI in its panels and tells the overview.
class Sensor : public QWidget {
    Q_OBJECT
public:
    explicit Sensor(QWidget* parent = nullptr);

    // The report-rate panel's index of a record rate code; -1 for an unknown code.
    static int RateIndexOfCode(int code);

public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);

private:
    void Fill(const FlashDataMap& record);

    SensorRate* frameRate;
    SensorLOD* frameLOD;
};
