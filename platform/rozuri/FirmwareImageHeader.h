#pragma once

#include "platform/rozuri/ROZUri.h"

#include <QByteArray>
#include <QtGlobal>

// The fields of a firmware image's 728-byte header. Both the library and the
// configuration tool read images through this one parser.
class FirmwareImageHeader {
public:
    static constexpr int kSize = ROZ_FIRMWARE_HEADER_SIZE;
    static constexpr int kNameOffset = 0x57;
    static constexpr int kNameSize = 64;
    static constexpr quint8 kMouseTarget = 210;
    static constexpr quint8 kReceiverTarget = 211;

    // Every field below, whatever the target. False for missing bytes or
    // fewer than the header's 728.
    static bool parse(const unsigned char *bytes, int length, FirmwareImageHeader *out);

    // As parse, and also false when the target is neither the mouse nor the
    // receiver: the library writes nothing else.
    static bool read(const RozFirmwareImage *image, FirmwareImageHeader *out);

    quint8 target = 0;
    quint8 cid = 0;
    quint8 mid = 0;
    quint8 minorVersion = 0;
    // The 32-bit word at 0x10 shifted right by 8 bits.
    quint32 majorVersion = 0;
    // Raw bytes up to the first NUL, at most 64.
    QByteArray imageName;
    // High byte major, low byte minor, as the devices report it.
    quint16 versionWord = 0;
};
