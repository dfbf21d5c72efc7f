#include "sensor/SensorCapabilities.h"

#include "sensor/SensorCapabilityHeader.h"

QString CurrentSensorName;

namespace {

SensorDefineTable& ProcessTable()
{
    static SensorDefineTable table;
    return table;
}

bool processTableLoaded = false;

QString CodeTablePrefix(const QString& sensor)
{
    return QStringLiteral("SENSOR_") + sensor + QStringLiteral("_DPI");
}

} // namespace

const SensorDefineTable& SensorCapabilities::DefineTable()
{
    return ProcessTable();
}

void SensorCapabilities::LoadHeader(SensorFeatureLists* features)
{
    // The defines are the same for every page of the process: read once, so
    // that a second page does not double the table.
    SensorDefineTable* table = processTableLoaded ? nullptr : &ProcessTable();
    processTableLoaded = true;
    if (!table && !features)
        return;
    SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), table, features);
}

bool SensorCapabilities::Supports(const QString& featureList, const QString& sensor)
{
    return sensor.isEmpty() || featureList.contains(sensor, Qt::CaseSensitive);
}

bool SensorCapabilities::HasCodeTable(const SensorDefineTable& table, const QString& sensor)
{
    const QString prefix = CodeTablePrefix(sensor);
    for (const QString& name : table.sensorDefineNames) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

std::optional<int> SensorCapabilities::CodeOfDpi(const SensorDefineTable& table, const QString& sensor, int dpi)
{
    const QString name = CodeTablePrefix(sensor) + QLatin1Char('_') + QString::number(dpi);
    const int at = table.sensorDefineNames.indexOf(name);
    if (at < 0 || at >= table.sensorDefineValues.size())
        return std::nullopt;
    return table.sensorDefineValues[at];
}

std::optional<int> SensorCapabilities::DpiOfCode(const SensorDefineTable& table, const QString& sensor, int code)
{
    const QString prefix = CodeTablePrefix(sensor);
    const int count = qMin(table.sensorDefineNames.size(), table.sensorDefineValues.size());
    for (int i = 0; i < count; ++i) {
        if (table.sensorDefineValues[i] != code)
            continue;
        const QString& name = table.sensorDefineNames[i];
        const int at = name.indexOf(prefix);
        if (at < 0)
            continue;
        // The DPI follows the separator after "_DPI". A define of the table's
        // family that carries no number there is no DPI entry.
        bool ok = false;
        const int dpi = name.mid(at + prefix.size() + 1).toInt(&ok, 10);
        if (ok && dpi >= 0)
            return dpi;
    }
    return std::nullopt;
}
