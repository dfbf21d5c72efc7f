#pragma once

#include <QByteArray>
#include <QDateTime>

// The 40-byte packet that sets the clock of a mouse with a screen, and the
// checksum that every packet and reply of that exchange carries in its last
// byte: 0x55 minus the 8-bit sum of all bytes before it.
namespace ClockSyncPacket {

constexpr int kLength = 40;

// 0x0A 0x00 0x10, year (high, low), month, day, hour, minute, second, day
// of the week (1 Monday .. 7 Sunday); the rest zero; checksum last.
QByteArray Build(const QDateTime& now);

quint8 Checksum(const QByteArray& bytes);
void PutChecksum(QByteArray* packet);
// True when the reply's last byte is the checksum of the bytes before it.
bool CheckReply(const QByteArray& reply);
// A reply is the device's echo when it repeats the packet's first seven
// bytes and carries a right checksum.
bool IsEcho(const QByteArray& packet, const QByteArray& reply);

} // namespace ClockSyncPacket
