#include "sensor/DpiValueCoding.h"
#include "platform/files/FileReader.h"

#include "app/ConfigSettings.h"
#include "platform/files/FileWriter.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceSettingSetters.h"


namespace {

// A record holds this many DPI level entries.
constexpr int kRecordDpiLevels = 8;
// The count and a line end; anything longer is no count file.
constexpr qint64 kMaxLevelFileBytes = 64;

bool KeepsHighBits(const QString& sensor)
{
    return sensor == QLatin1String("3395") || sensor == QLatin1String("3950");
}

} // namespace

int DpiValueCoding::LargestPlainCode(const QString& sensor)
{
    return KeepsHighBits(sensor) ? 0x3FF : 0xFF;
}

DpiLevelCode DpiValueCoding::Encode(int dpi, int previousFlags, const QString& sensor,
                                    const SensorDefineTable& defines, const DpiRangeTable& ranges)
{
    // What a code table miss sends: the level's present step, not the new one.
    const int fallback = qMax(0, (previousFlags & 0x22) ? dpi / 100 : dpi / 50);

    int flags = 0;
    int multiplier = 1;
    const int mode = ranges.dpiRangeMode;
    if (mode == 0x33) {
        const int count = qMin(ranges.dpiRangeCount, ranges.dpiRangeMinima.size());
        int k = -1;
        for (int r = count - 1; r >= 0; --r) {
            if (dpi >= ranges.dpiRangeMinima[r]) {
                k = r;
                break;
            }
        }
        if (k == 3) {
            flags = 0x33;
            multiplier = 4;
        } else if (k == 2) {
            flags = 0x11;
            multiplier = 2;
        } else if (k == 1) {
            flags = 0x22;
            multiplier = 2;
        }
    } else if (mode == 0x11 || mode == 0x22) {
        if (!ranges.dpiRangeMaxima.isEmpty() && dpi > ranges.dpiRangeMaxima.first()) {
            flags = mode;
            multiplier = 2;
        }
    }

    int code = 0;
    if (!SensorCapabilities::HasCodeTable(defines, sensor)) {
        // Below the lowest step the sensor's lowest code, never a negative
        // one, whose bits would spill into the flags.
        code = qMax(0, dpi / (multiplier * 50) - 1);
        if (KeepsHighBits(sensor)) {
            // Only bits 8 and 9 have a place: a larger code is held at the
            // largest, since its further bits would land on the range flags.
            code = qMin(code, LargestPlainCode(sensor));
            const int high = code >> 8;
            flags |= ((high << 4) | high) << 2;
        }
    } else {
        const std::optional<int> tableCode = SensorCapabilities::CodeOfDpi(defines, sensor, dpi / multiplier);
        code = tableCode && *tableCode >= 0 ? *tableCode : fallback;
    }
    return DpiLevelCode{code & 0xFF, code & 0xFF, flags & 0xFF};
}

int DpiValueCoding::DpiOfEntry(const DpiLevelEntry& entry, const QString& sensorName)
{
    int code = entry.xCode;
    const int flags = entry.rangeFlags;
    if (KeepsHighBits(sensorName))
        code |= (flags & 0xC0) << 2;
    int dpi = (flags & 0x22) ? (code + 1) * 100 : (code + 1) * 50;
    if (flags & 0x11)
        dpi *= 2;
    return dpi;
}

int DpiValueCoding::Decode(const DpiLevelEntry& entry, const QString& sensor, const SensorDefineTable& defines)
{
    if (!SensorCapabilities::HasCodeTable(defines, sensor))
        return DpiOfEntry(entry, sensor);
    const std::optional<int> tableDpi = SensorCapabilities::DpiOfCode(defines, sensor, entry.xCode);
    int dpi = tableDpi ? *tableDpi : 0;
    if (entry.rangeFlags & 0x22)
        dpi *= 2;
    if (entry.rangeFlags & 0x11)
        dpi *= 2;
    return dpi;
}

void DpiValueCoding::ParseDpiRanges()
{
    DpiRangeTable::Current() = DpiRangeTable::FromModel(CurrentDevice::Info().modelIndex);
}

int DpiValueCoding::DpiOfLevelEntry(const DpiLevelEntry& entry)
{
    return Decode(entry, CurrentSensorName, SensorCapabilities::DefineTable());
}

bool DpiValueCoding::sendDpiLevel(int level, int dpi)
{
    // -1 is "no level selected"; nothing outside the record's levels is touched.
    if (level < 0 || level >= kRecordDpiLevels)
        return false;
    const int previousFlags = CurrentFlashMapLock::Snapshot().dpiLevels[level].rangeFlags;
    const DpiLevelCode code = Encode(dpi, previousFlags, CurrentSensorName, SensorCapabilities::DefineTable(),
                                     DpiRangeTable::Current());
    return DeviceSettingSetters::SetDpiLevelValue(level, code.xCode, code.yCode, code.flags);
}

int DpiValueCoding::ModelLevelCount(int modelIndex)
{
    const QString group = ConfigSettings::ModelGroup(modelIndex);
    const int levels = ConfigSettings::Instance()->Value(group, QStringLiteral("DPIMaxGrade")).trimmed().toInt();
    return qBound(0, levels, kRecordDpiLevels);
}

int DpiValueCoding::readDpiLevelCountFile(const QString& folder)
{
    const QString path = folder + QStringLiteral("/Level.ini");
    // A folder, a FIFO or a file longer than any count holds no count.
    const FileReader::Result file = FileReader::Read(path, kMaxLevelFileBytes);
    if (!file.ok())
        return 1;
    // Only the first line counts.
    const int end = file.bytes.indexOf('\n');
    const QString line = QString::fromUtf8(end < 0 ? file.bytes : file.bytes.left(end)).trimmed();
    if (line.isEmpty())
        return 1;
    return qBound(0, line.toInt(), kRecordDpiLevels);
}

bool DpiValueCoding::writeDpiLevelCountFile(const QString& folder, int count, QString* reason)
{
    return FileWriter::Replace(folder + QStringLiteral("/Level.ini"), QByteArray::number(count), reason);
}
