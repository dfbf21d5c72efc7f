#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// How the mouse is connected: byte 2 of the device-info answer.
enum ConnectionKind : uint8_t {
    ConnectionReceiver1K = 0,
    ConnectionReceiver4K = 1,
    ConnectionCable1K = 2,
    ConnectionCable8K = 3,
    ConnectionReceiver2K = 4,
    ConnectionReceiver8K = 5,
};

// One found device. A default record claims a 1 kHz receiver so that code
// reading a record nobody filled yet still gets a defined kind.
struct DeviceAllInfo {
    QString path;
    QString vidText = QStringLiteral("0");
    QString pidText = QStringLiteral("0");
    uint8_t cid = 0;
    uint8_t mid = 0;
    ConnectionKind connectionKind = ConnectionReceiver1K;
    int32_t modelIndex = 0;
    bool online = false;
    bool wired = false;
    QString deviceVersion;
    QString mouseVersion;
    QList<uint8_t> addressBytes;
};
