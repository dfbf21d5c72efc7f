#include "platform/rozuri/SimulatedReceiver.h"

#include "platform/rozuri/JsonFields.h"

QString SimulatedReceiver::pidForKind(quint8 kind)
{
    switch (kind) {
    case 0: return QStringLiteral("2101");
    case 4: return QStringLiteral("2102");
    case 1: return QStringLiteral("2104");
    case 5: return QStringLiteral("2108");
    default: return QStringLiteral("2100");
    }
}

SimulatedReceiver SimulatedReceiver::fromJson(const QJsonObject &json)
{
    SimulatedReceiver r;
    r.name = JsonFields::text(json, QStringLiteral("name"), QString());
    r.vid = JsonFields::text(json, QStringLiteral("vid"), r.vid);
    r.kind = static_cast<quint8>(JsonFields::number(json, QStringLiteral("kind"), r.kind));
    r.pid = JsonFields::text(json, QStringLiteral("pid"), pidForKind(r.kind));
    r.cid = static_cast<quint8>(JsonFields::number(json, QStringLiteral("cid"), r.cid));
    r.mid = static_cast<quint8>(JsonFields::number(json, QStringLiteral("mid"), r.mid));
    r.version = static_cast<quint16>(JsonFields::number(json, QStringLiteral("version"), r.version));
    r.address = JsonFields::bytes(json, QStringLiteral("address"), r.address);
    r.plugged = JsonFields::flag(json, QStringLiteral("plugged"), r.plugged);
    r.bootMode = JsonFields::flag(json, QStringLiteral("bootMode"), r.bootMode);
    r.lightBar = JsonFields::bytes(json, QStringLiteral("lightBar"), r.lightBar);
    r.indicatorLeds = JsonFields::bytes(json, QStringLiteral("indicatorLeds"), r.indicatorLeds);
    r.ledRecord = JsonFields::bytes(json, QStringLiteral("ledRecord"), r.ledRecord);
    if (json.contains(QStringLiteral("ledMeaning")))
        r.ledRecord[0] = static_cast<char>(JsonFields::number(json, QStringLiteral("ledMeaning"), 0));
    return r;
}

QJsonObject SimulatedReceiver::toJson() const
{
    QJsonObject json;
    json.insert(QStringLiteral("name"), name);
    json.insert(QStringLiteral("vid"), vid);
    json.insert(QStringLiteral("pid"), pid);
    json.insert(QStringLiteral("kind"), kind);
    json.insert(QStringLiteral("cid"), cid);
    json.insert(QStringLiteral("mid"), mid);
    json.insert(QStringLiteral("version"), version);
    json.insert(QStringLiteral("address"), QString::fromLatin1(address.toHex()));
    json.insert(QStringLiteral("plugged"), plugged);
    json.insert(QStringLiteral("bootMode"), bootMode);
    json.insert(QStringLiteral("lightBar"), JsonFields::byteList(lightBar));
    json.insert(QStringLiteral("indicatorLeds"), JsonFields::byteList(indicatorLeds));
    json.insert(QStringLiteral("ledRecord"), QString::fromLatin1(ledRecord.toHex()));
    return json;
}
