#pragma once

#include "device/FlashDataMap.h"

#include <QString>

// The current model's sensor name, as the sensor page's last fill read it.
extern QString CurrentSensorName;

// Turns the codes the mouse stores for a DPI level back into DPI values.
class DpiValueCoding {
public:
    // The DPI a level entry stands for, for a sensor without a code table:
    // (code + 1) steps of 50, or of 100 when the entry's 0x22 bits are set,
    // doubled again by its 0x11 bits. The sensors 3395 and 3950 keep bits 8
    // and 9 of the code in the top bits of the flags.
    static int DpiOfEntry(const DpiLevelEntry& entry, const QString& sensorName);
};
