#include "settings/ClockSyncPacket.h"

namespace ClockSyncPacket {

QByteArray Build(const QDateTime& now)
{
    QByteArray packet(kLength, '\0');
    const QDate date = now.date();
    const QTime time = now.time();
    packet[0] = char(0x0A);
    packet[1] = char(0x00);
    packet[2] = char(0x10);
    packet[3] = char((date.year() >> 8) & 0xFF);
    packet[4] = char(date.year() & 0xFF);
    packet[5] = char(date.month());
    packet[6] = char(date.day());
    packet[7] = char(time.hour());
    packet[8] = char(time.minute());
    packet[9] = char(time.second());
    packet[10] = char(date.dayOfWeek());
    PutChecksum(&packet);
    return packet;
}

quint8 Checksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (int i = 0; i + 1 < bytes.size(); ++i)
        sum = static_cast<quint8>(sum + static_cast<quint8>(bytes.at(i)));
    return static_cast<quint8>(0x55 - sum);
}

void PutChecksum(QByteArray* packet)
{
    if (packet->isEmpty())
        return;
    (*packet)[packet->size() - 1] = static_cast<char>(Checksum(*packet));
}

bool CheckReply(const QByteArray& reply)
{
    return !reply.isEmpty() && static_cast<quint8>(reply.at(reply.size() - 1)) == Checksum(reply);
}

bool IsEcho(const QByteArray& packet, const QByteArray& reply)
{
    return packet.size() >= 7 && reply.size() >= 7 && reply.left(7) == packet.left(7) && CheckReply(reply);
}

} // namespace ClockSyncPacket
