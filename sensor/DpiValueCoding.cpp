#include "sensor/DpiValueCoding.h"

QString CurrentSensorName;

int DpiValueCoding::DpiOfEntry(const DpiLevelEntry& entry, const QString& sensorName)
{
    int code = entry.xCode;
    const int flags = entry.rangeFlags;
    if (sensorName == QLatin1String("3395") || sensorName == QLatin1String("3950"))
        code |= (flags & 0xC0) << 2;
    int dpi = (flags & 0x22) ? (code + 1) * 100 : (code + 1) * 50;
    if (flags & 0x11)
        dpi *= 2;
    return dpi;
}
