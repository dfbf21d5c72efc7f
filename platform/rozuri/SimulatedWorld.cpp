#include "platform/rozuri/SimulatedWorld.h"

#include "platform/rozuri/JsonFields.h"

#include <QHash>
#include <QJsonArray>
#include <cstring>

bool SimulatedWorld::fromJson(const QJsonObject &json, SimulatedWorld *out, QString *error)
{
    SimulatedWorld world;
    QStringList names;
    for (const QJsonValue &v : json.value(QStringLiteral("receivers")).toArray()) {
        SimulatedReceiver r = SimulatedReceiver::fromJson(v.toObject());
        if (r.name.isEmpty())
            r.name = QStringLiteral("receiver%1").arg(world.receivers.size());
        names.append(r.name);
        world.receivers.append(r);
    }
    for (const QJsonValue &v : json.value(QStringLiteral("mice")).toArray()) {
        SimulatedMouse m = SimulatedMouse::fromJson(v.toObject());
        if (m.name.isEmpty())
            m.name = QStringLiteral("mouse%1").arg(world.mice.size());
        names.append(m.name);
        world.mice.append(m);
    }
    if (names.removeDuplicates() > 0) {
        if (error)
            *error = QStringLiteral("device names must be unique");
        return false;
    }
    // A receiver holds one mouse: a later claim on the same receiver wins.
    for (int i = 0; i < world.mice.size(); ++i) {
        SimulatedMouse &m = world.mice[i];
        if (m.receiver.isEmpty())
            continue;
        SimulatedReceiver *r = world.receiver(m.receiver);
        if (!r) {
            m.receiver.clear();
            continue;
        }
        world.pair(&m, r);
    }
    world.latencyMs = qMax(0, JsonFields::number(json, QStringLiteral("latencyMs"), 0));
    world.assignPaths();
    *out = world;
    return true;
}

QJsonObject SimulatedWorld::toJson() const
{
    QJsonArray receiverList, mouseList;
    for (const SimulatedReceiver &r : receivers)
        receiverList.append(r.toJson());
    for (const SimulatedMouse &m : mice)
        mouseList.append(m.toJson());
    QJsonObject json;
    json.insert(QStringLiteral("receivers"), receiverList);
    json.insert(QStringLiteral("mice"), mouseList);
    if (latencyMs > 0)
        json.insert(QStringLiteral("latencyMs"), latencyMs);
    return json;
}

void SimulatedWorld::assignPaths()
{
    QHash<QString, int> next;
    auto makePath = [&next](const QString &vid, const QString &pid) {
        const QString key = vid.toLower() + QLatin1Char(':') + pid.toLower();
        const int n = next.value(key, 0);
        next.insert(key, n + 1);
        return QStringLiteral("sim-hid://%1/%2").arg(key).arg(n).toStdString();
    };
    for (SimulatedReceiver &r : receivers)
        r.path = makePath(r.vid, r.pid);
    for (SimulatedMouse &m : mice)
        m.cablePath = makePath(m.vid, m.pid);
}

SimulatedWorld::Endpoint SimulatedWorld::endpoint(const char *path)
{
    Endpoint e;
    if (!path)
        return e;
    for (SimulatedReceiver &r : receivers) {
        if (r.plugged && !r.bootMode && r.path == path) {
            e.receiver = &r;
            return e;
        }
    }
    for (SimulatedMouse &m : mice) {
        if (m.cablePlugged && !m.bootMode && m.cablePath == path) {
            e.mouse = &m;
            return e;
        }
    }
    return e;
}

SimulatedMouse *SimulatedWorld::answeringMouse(const Endpoint &e)
{
    if (e.mouse)
        return e.mouse->powered ? e.mouse : nullptr;
    if (!e.receiver)
        return nullptr;
    SimulatedMouse *m = pairedMouse(*e.receiver);
    // On its cable the mouse talks over the cable, not the receiver.
    if (!m || !m->powered || m->bootMode || m->cablePlugged)
        return nullptr;
    return m;
}

std::vector<std::string> SimulatedWorld::find(const QString &vid, const QString &pid)
{
    std::vector<std::string> paths;
    for (const SimulatedReceiver &r : receivers) {
        if (r.plugged && !r.bootMode && r.vid.compare(vid, Qt::CaseInsensitive) == 0
            && r.pid.compare(pid, Qt::CaseInsensitive) == 0)
            paths.push_back(r.path);
    }
    for (const SimulatedMouse &m : mice) {
        if (m.cablePlugged && !m.bootMode && m.vid.compare(vid, Qt::CaseInsensitive) == 0
            && m.pid.compare(pid, Qt::CaseInsensitive) == 0)
            paths.push_back(m.cablePath);
    }
    return paths;
}

SimulatedMouse *SimulatedWorld::mouse(const QString &name)
{
    for (SimulatedMouse &m : mice) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

SimulatedReceiver *SimulatedWorld::receiver(const QString &name)
{
    for (SimulatedReceiver &r : receivers) {
        if (r.name == name)
            return &r;
    }
    return nullptr;
}

SimulatedMouse *SimulatedWorld::pairedMouse(const SimulatedReceiver &r)
{
    for (SimulatedMouse &m : mice) {
        if (m.receiver == r.name)
            return &m;
    }
    return nullptr;
}

SimulatedReceiver *SimulatedWorld::pairedReceiver(const SimulatedMouse &m)
{
    return m.receiver.isEmpty() ? nullptr : receiver(m.receiver);
}

void SimulatedWorld::pair(SimulatedMouse *mouse, SimulatedReceiver *r)
{
    for (SimulatedMouse &other : mice) {
        if (&other != mouse && other.receiver == r->name)
            other.receiver.clear();
    }
    mouse->receiver = r->name;
}
