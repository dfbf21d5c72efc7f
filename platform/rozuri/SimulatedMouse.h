#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <string>

// One simulated mouse: what it keeps in its flash and what it reports.
class SimulatedMouse {
public:
    static constexpr int kProfiles = 4;

    QString name;
    QString vid = QStringLiteral("1A2B");
    QString pid = QStringLiteral("2001"); // product id when on the cable
    quint8 cid = 0;
    quint8 mid = 0;
    quint8 cableKind = 3;         // 2 cable up to 1000 Hz, 3 up to 8000 Hz
    bool cablePlugged = false;
    bool powered = true;          // false: the mouse answers nothing
    bool bootMode = false;
    bool pairingMode = false;     // answers a receiver's pairing request
    bool screen = false;          // takes clock packets
    quint8 battery = 100;
    bool charging = false;
    quint16 version = 0x0100;
    quint8 longRange = 0;
    bool batteryOptimize = true;
    int pcDriverStatus = 0;
    int profile = 0;
    QByteArray images[kProfiles];  // flash image per profile
    QString receiver;              // name of the receiver it is paired with
    QByteArray clock;              // last clock packet taken
    std::string cablePath;         // set by the world

    // Scenario and state form; missing fields keep their defaults. Images
    // absent from the object are the factory image.
    static SimulatedMouse fromJson(const QJsonObject &json);
    QJsonObject toJson() const;

    QByteArray &currentImage() { return images[profile]; }
    void factoryReset();
};
