#include "platform/rozuri/FirmwareImageHeader.h"

bool FirmwareImageHeader::read(const RozFirmwareImage *image, FirmwareImageHeader *out)
{
    if (!image || !image->bytes || image->length < kSize || !out)
        return false;
    const unsigned char *b = image->bytes;
    const quint32 word = b[0x10] | (b[0x11] << 8) | (b[0x12] << 16) | (static_cast<quint32>(b[0x13]) << 24);
    FirmwareImageHeader h;
    h.target = b[0x14];
    h.cid = b[0x15];
    h.mid = b[0x16];
    h.versionWord = static_cast<quint16>((((word >> 8) & 0xFF) << 8) | (word & 0xFF));
    if (h.target != kMouseTarget && h.target != kReceiverTarget)
        return false;
    *out = h;
    return true;
}
