#pragma once

#include "sensor/SensorDefineTable.h"
#include "sensor/SensorFeatureLists.h"

#include <QString>

#include <optional>

// The current model's sensor name ("3950", "3395", ...), set by every fill and
// reset of the sensor page from the model's configuration.
extern QString CurrentSensorName;

// What driver_sensor.h says about a sensor: its features and, for sensors
// whose DPI codes are not the plain step rule, the code of each DPI value.
// The lookups take the table and the sensor explicitly; the sensor page and
// the DPI coding pass the process-wide table and CurrentSensorName.
class SensorCapabilities {
public:
    // The process-wide define table. It is filled from the header beside the
    // program by the first LoadHeader() and only ever appended to.
    static const SensorDefineTable& DefineTable();

    // Reads the header beside the program: into the process-wide define
    // table the first time only (later pages reuse it), and into features
    // (when given) every time.
    static void LoadHeader(SensorFeatureLists* features);

    // A feature list names the sensor when it holds the sensor's name as a
    // case-sensitive substring; an empty sensor name is held by every list.
    static bool Supports(const QString& featureList, const QString& sensor);

    // Some define is named like SENSOR_<sensor>_DPI...
    static bool HasCodeTable(const SensorDefineTable& table, const QString& sensor);
    // The value of the first define named exactly SENSOR_<sensor>_DPI_<dpi>.
    static std::optional<int> CodeOfDpi(const SensorDefineTable& table, const QString& sensor, int dpi);
    // The DPI of the first code-table define, in file order, whose value is
    // code: the decimal number after SENSOR_<sensor>_DPI_ in its name.
    static std::optional<int> DpiOfCode(const SensorDefineTable& table, const QString& sensor, int code);
};
