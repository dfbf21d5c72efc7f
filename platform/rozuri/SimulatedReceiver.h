#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <string>

// One simulated USB receiver.
class SimulatedReceiver {
public:
    enum PairStatus { PairIdle = 0, PairPending = 1, PairFailed = 2, PairPaired = 3 };

    QString name;
    QString vid = QStringLiteral("1A2B");
    QString pid;                   // from the kind when the scenario gives none
    quint8 kind = 1;               // 0 1 kHz, 4 2 kHz, 1 4 kHz, 5 8 kHz
    quint8 cid = 0;
    quint8 mid = 0;
    quint16 version = 0x0100;
    QByteArray address = QByteArray(3, '\0'); // the receiver id, 3 bytes
    bool plugged = true;
    bool bootMode = false;
    QByteArray lightBar = QByteArray(7, '\0');
    QByteArray indicatorLeds = QByteArray(3, '\0');
    QByteArray ledRecord = QByteArray(10, '\0'); // byte 0 the 4 kHz LED meaning
    int pairStatus = PairIdle;
    std::string path;              // set by the world

    static SimulatedReceiver fromJson(const QJsonObject &json);
    QJsonObject toJson() const;
    static QString pidForKind(quint8 kind);
};
