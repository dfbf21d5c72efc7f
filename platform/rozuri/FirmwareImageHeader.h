#pragma once

#include "platform/rozuri/ROZUri.h"

#include <QtGlobal>

// The fields of a firmware image's 728-byte header that the library uses.
class FirmwareImageHeader {
public:
    static constexpr int kSize = ROZ_FIRMWARE_HEADER_SIZE;
    static constexpr quint8 kMouseTarget = 210;
    static constexpr quint8 kReceiverTarget = 211;

    // False for a missing image, one shorter than its header, or one whose
    // target is neither the mouse nor the receiver.
    static bool read(const RozFirmwareImage *image, FirmwareImageHeader *out);

    quint8 target = 0;
    quint8 cid = 0;
    quint8 mid = 0;
    // High byte major, low byte minor, as the devices report it.
    quint16 versionWord = 0;
};
