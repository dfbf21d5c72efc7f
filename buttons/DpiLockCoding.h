#pragma once

#include "sensor/SensorDefineTable.h"

#include <QString>
#include <QVector>

// The DPI-lock function: the DPI values the page offers and the sensor's own
// code of a DPI, which the header's code byte carries.
namespace DpiLockCoding {

struct Row {
    QString dpiButton; // object name of the DPI button on the page
    int dpi;
};

// The twelve DPI buttons in their order on the page (100 to 1200 DPI; the
// object names do not follow the DPI order).
const QVector<Row>& Rows();
const Row* RowOfButton(const QString& dpiButton);

// The code of a DPI for a sensor: the constant SENSOR_<sensor>_DPI_<dpi> of
// the table when the table has constants of that sensor (dpi / 50 when it
// lacks this one), else dpi / 50 - 1. Never clamped: the device keeps the
// low byte.
int DpiToSensorCode(int dpi, const QString& sensorName, const SensorDefineTable& table);

// The DPI a stored code stands for: the number after SENSOR_<sensor>_DPI_ of
// the sensor's constant with that value, 0 when the sensor has constants but
// none of this code; (code + 1) * 50 when it has none.
int SensorCodeToDpi(int code, const QString& sensorName, const SensorDefineTable& table);

} // namespace DpiLockCoding
