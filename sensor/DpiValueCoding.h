#pragma once

#include "device/FlashDataMap.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/SensorCapabilities.h"

#include <QString>

// The three bytes of a DPI level entry that carry its value.
struct DpiLevelCode {
    int xCode = 0;
    int yCode = 0;
    int flags = 0;
};

// How a DPI value becomes the codes of a level entry and back. A code is the
// value in steps of 50 minus one, or the sensor's own code from the
// capability header's code table. Range flags in the entry's flags byte
// double the step (0x22) and double it again (0x11); the sensors 3395 and
// 3950 keep bits 8 and 9 of a plain code in the flags byte's top bits.
class DpiValueCoding {
public:
    // The highest code a level entry can carry for the sensor without a code table.
    static int LargestPlainCode(const QString& sensor);

    // Codes dpi for a level whose entry holds previousFlags now.
    static DpiLevelCode Encode(int dpi, int previousFlags, const QString& sensor,
                               const SensorDefineTable& defines, const DpiRangeTable& ranges);
    // The DPI a level entry stands for; 0 for a code its code table lacks.
    static int Decode(const DpiLevelEntry& entry, const QString& sensor, const SensorDefineTable& defines);
    // The plain rule alone: (code + 1) steps of 50, or of 100 with the 0x22
    // bits, doubled again by the 0x11 bits; 3395 and 3950 add bits 8 and 9.
    static int DpiOfEntry(const DpiLevelEntry& entry, const QString& sensorName);

    // With the process-wide tables and CurrentSensorName:
    // rebuilds DpiRangeTable::Current() from the current model's DPIRange.
    static void ParseDpiRanges();
    // The DPI shown for a level entry.
    static int DpiOfLevelEntry(const DpiLevelEntry& entry);
    // Codes dpi for level 0..7 and writes it through the DPI level writer,
    // which sends the record when the mouse answers. Other levels (-1 is
    // "no level selected") do nothing. True only when the mouse took it.
    static bool sendDpiLevel(int level, int dpi);

    // The number of levels the model offers: Drive<n>/DPIMaxGrade, never
    // more than a record holds and never below 0.
    static int ModelLevelCount(int modelIndex);

    // The DPI editor's first level count from "Level.ini" in folder: its
    // first line as a decimal number, 1 when the file is missing or the line
    // empty, 0 when the line is no number; never more than a record holds.
    static int readDpiLevelCountFile(const QString& folder);
    // Replaces "Level.ini" in folder with the count in decimal, without a
    // line end. False when it could not be written whole; the earlier file
    // is then as it was, and reason (when given) says why.
    static bool writeDpiLevelCountFile(const QString& folder, int count, QString* reason = nullptr);
};
