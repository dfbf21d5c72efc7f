#include "buttons/DpiLockCoding.h"

#include "sensor/SensorCapabilities.h"

namespace DpiLockCoding {

const QVector<Row>& Rows()
{
    static const QVector<Row> rows = {
        {QStringLiteral("VolumeUp_11"), 100}, {QStringLiteral("VolumeUp_12"), 200},
        {QStringLiteral("VolumeUp_13"), 300}, {QStringLiteral("VolumeUp_16"), 400},
        {QStringLiteral("VolumeUp_15"), 500}, {QStringLiteral("VolumeUp_19"), 600},
        {QStringLiteral("VolumeUp_20"), 700}, {QStringLiteral("VolumeUp_22"), 800},
        {QStringLiteral("VolumeUp_18"), 900}, {QStringLiteral("VolumeUp_24"), 1000},
        {QStringLiteral("VolumeUp_23"), 1100}, {QStringLiteral("VolumeUp_21"), 1200},
    };
    return rows;
}

const Row* RowOfButton(const QString& dpiButton)
{
    for (const Row& row : Rows()) {
        if (row.dpiButton == dpiButton)
            return &row;
    }
    return nullptr;
}

int DpiToSensorCode(int dpi, const QString& sensorName, const SensorDefineTable& table)
{
    if (!SensorCapabilities::HasCodeTable(table, sensorName))
        return dpi / 50 - 1;
    const std::optional<int> code = SensorCapabilities::CodeOfDpi(table, sensorName, dpi);
    return code ? *code : dpi / 50;
}

int SensorCodeToDpi(int code, const QString& sensorName, const SensorDefineTable& table)
{
    if (!SensorCapabilities::HasCodeTable(table, sensorName))
        return (code + 1) * 50;
    return SensorCapabilities::DpiOfCode(table, sensorName, code).value_or(0);
}

} // namespace DpiLockCoding
