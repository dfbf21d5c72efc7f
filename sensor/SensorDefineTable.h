#pragma once

#include <QStringList>
#include <QVector>

// The numeric constants of driver_sensor.h in file order. The two lists are
// index-parallel; duplicate names stay and lookups take the first match.
struct SensorDefineTable {
    QStringList sensorDefineNames;
    QVector<qint32> sensorDefineValues;
};
