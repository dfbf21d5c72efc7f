#pragma once

#include <QString>

// The SUPPORT lines of driver_sensor.h: which sensors offer a feature, as the
// line's text (sensor names separated by commas). Empty until a line sets it.
struct SensorFeatureLists {
    QString sensorModeSensors;
    QString lodCalSensors;
    QString rippleSensors;
    QString fixLineSensors;
    QString motionSyncSensors;
    QString mousepadCalSensors;
};
