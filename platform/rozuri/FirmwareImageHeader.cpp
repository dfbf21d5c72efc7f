#include "platform/rozuri/FirmwareImageHeader.h"

#include <cstring>

bool FirmwareImageHeader::parse(const unsigned char *bytes, int length, FirmwareImageHeader *out)
{
    if (!bytes || length < kSize || !out)
        return false;
    const quint32 word = bytes[0x10] | (bytes[0x11] << 8) | (bytes[0x12] << 16)
        | (static_cast<quint32>(bytes[0x13]) << 24);
    FirmwareImageHeader h;
    h.target = bytes[0x14];
    h.cid = bytes[0x15];
    h.mid = bytes[0x16];
    h.minorVersion = static_cast<quint8>(word & 0xFF);
    h.majorVersion = word >> 8;
    const char *name = reinterpret_cast<const char *>(bytes + kNameOffset);
    const void *nul = std::memchr(name, 0, kNameSize);
    h.imageName = QByteArray(name, nul ? static_cast<int>(static_cast<const char *>(nul) - name) : kNameSize);
    h.versionWord = static_cast<quint16>(((h.majorVersion & 0xFF) << 8) | h.minorVersion);
    *out = h;
    return true;
}

bool FirmwareImageHeader::read(const RozFirmwareImage *image, FirmwareImageHeader *out)
{
    FirmwareImageHeader h;
    if (!image || !out || !parse(image->bytes, image->length, &h))
        return false;
    if (h.target != kMouseTarget && h.target != kReceiverTarget)
        return false;
    *out = h;
    return true;
}
