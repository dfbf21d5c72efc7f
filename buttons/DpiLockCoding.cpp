#include "buttons/DpiLockCoding.h"

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
    const QString prefix = QStringLiteral("SENSOR_") + sensorName + QStringLiteral("_DPI");
    const int fallback = dpi / 50;
    bool sensorHasConstants = false;
    for (const QString& name : table.sensorDefineNames) {
        if (name.contains(prefix, Qt::CaseSensitive)) {
            sensorHasConstants = true;
            break;
        }
    }
    if (!sensorHasConstants)
        return fallback - 1;
    const QString key = prefix + QLatin1Char('_') + QString::number(dpi);
    const int position = table.sensorDefineNames.indexOf(key);
    if (position >= 0 && position < table.sensorDefineValues.size())
        return table.sensorDefineValues.at(position);
    return fallback;
}

} // namespace DpiLockCoding
