#pragma once

#include "sensor/SensorDefineTable.h"
#include "sensor/SensorFeatureLists.h"

#include <QByteArray>
#include <QString>

// Reads driver_sensor.h, the sensor capability header beside the program.
// Two layouts of a define are taken: "#define NAME<tab>VALUE" and
// "#define NAME VALUE" (a trailing "//comment" allowed after a tab-separated
// value). Values holding "0x" are hexadecimal. The button page and the sensor
// page both read the file through this one reader.
class SensorCapabilityHeader {
public:
    // The header's place beside the program.
    static QString DefaultPath();

    // Parses the file at path, appending to table and setting the feature
    // lists (either may be null). A missing or unreadable file adds nothing.
    static void Parse(const QString& path, SensorDefineTable* table, SensorFeatureLists* features);

    // The same rules over text already in memory.
    static void ParseText(const QByteArray& text, SensorDefineTable* table, SensorFeatureLists* features);

    // A value text as the header writes it: hexadecimal when it holds "0x",
    // else decimal; blanks around it ignored; anything else reads as 0.
    static qint32 ValueOf(const QString& text);
};
