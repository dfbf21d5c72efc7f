#pragma once

#include "platform/rozuri/SimulatedMouse.h"
#include "platform/rozuri/SimulatedReceiver.h"

#include <QJsonObject>
#include <QVector>
#include <string>
#include <vector>

// The set of simulated devices and how they are reached by path.
class SimulatedWorld {
public:
    // What a path leads to; at most one of the two is set.
    struct Endpoint {
        SimulatedReceiver *receiver = nullptr;
        SimulatedMouse *mouse = nullptr; // a mouse on its cable
        bool present() const { return receiver || mouse; }
    };

    QVector<SimulatedReceiver> receivers;
    QVector<SimulatedMouse> mice;
    // Milliseconds every request to a device takes to be answered.
    int latencyMs = 0;

    static bool fromJson(const QJsonObject &json, SimulatedWorld *out, QString *error);
    QJsonObject toJson() const;

    // Enumerable devices (plugged, not in boot mode) at path.
    Endpoint endpoint(const char *path);
    // The mouse that answers through this endpoint, or null.
    SimulatedMouse *answeringMouse(const Endpoint &endpoint);
    std::vector<std::string> find(const QString &vid, const QString &pid);

    SimulatedMouse *mouse(const QString &name);
    SimulatedReceiver *receiver(const QString &name);
    SimulatedMouse *pairedMouse(const SimulatedReceiver &receiver);
    SimulatedReceiver *pairedReceiver(const SimulatedMouse &mouse);
    void pair(SimulatedMouse *mouse, SimulatedReceiver *receiver);

private:
    void assignPaths();
};
