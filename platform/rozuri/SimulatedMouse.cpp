#include "platform/rozuri/SimulatedMouse.h"

#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/JsonFields.h"

#include <QJsonArray>

SimulatedMouse SimulatedMouse::fromJson(const QJsonObject &json)
{
    SimulatedMouse m;
    m.name = JsonFields::text(json, QStringLiteral("name"), QString());
    m.vid = JsonFields::text(json, QStringLiteral("vid"), m.vid);
    m.pid = JsonFields::text(json, QStringLiteral("pid"), m.pid);
    m.cid = static_cast<quint8>(JsonFields::number(json, QStringLiteral("cid"), m.cid));
    m.mid = static_cast<quint8>(JsonFields::number(json, QStringLiteral("mid"), m.mid));
    m.cableKind = static_cast<quint8>(JsonFields::number(json, QStringLiteral("cableKind"), m.cableKind));
    m.cablePlugged = JsonFields::flag(json, QStringLiteral("cablePlugged"), m.cablePlugged);
    m.powered = JsonFields::flag(json, QStringLiteral("online"), m.powered);
    m.bootMode = JsonFields::flag(json, QStringLiteral("bootMode"), m.bootMode);
    m.pairingMode = JsonFields::flag(json, QStringLiteral("pairingMode"), m.pairingMode);
    m.screen = JsonFields::flag(json, QStringLiteral("screen"), m.screen);
    m.battery = static_cast<quint8>(JsonFields::number(json, QStringLiteral("battery"), m.battery));
    m.charging = JsonFields::flag(json, QStringLiteral("charging"), m.charging);
    m.version = static_cast<quint16>(JsonFields::number(json, QStringLiteral("version"), m.version));
    m.longRange = static_cast<quint8>(JsonFields::number(json, QStringLiteral("longRange"), m.longRange));
    m.batteryOptimize = JsonFields::flag(json, QStringLiteral("batteryOptimize"), m.batteryOptimize);
    m.pcDriverStatus = JsonFields::number(json, QStringLiteral("pcDriverStatus"), m.pcDriverStatus);
    m.profile = qBound(0, JsonFields::number(json, QStringLiteral("profile"), 0), kProfiles - 1);
    m.receiver = JsonFields::text(json, QStringLiteral("receiver"), QString());
    m.clock = QByteArray::fromHex(JsonFields::text(json, QStringLiteral("clock"), QString()).toLatin1());

    const QByteArray factory = FlashImageCodec::encode(FlashImageCodec::defaultRecord());
    const QJsonArray images = json.value(QStringLiteral("images")).toArray();
    for (int p = 0; p < kProfiles; ++p) {
        const QByteArray image = QByteArray::fromBase64(images.at(p).toString().toLatin1());
        QByteArray unused;
        m.images[p] = FlashImageCodec::decode(image, &unused) ? image : factory;
    }
    return m;
}

QJsonObject SimulatedMouse::toJson() const
{
    QJsonObject json;
    json.insert(QStringLiteral("name"), name);
    json.insert(QStringLiteral("vid"), vid);
    json.insert(QStringLiteral("pid"), pid);
    json.insert(QStringLiteral("cid"), cid);
    json.insert(QStringLiteral("mid"), mid);
    json.insert(QStringLiteral("cableKind"), cableKind);
    json.insert(QStringLiteral("cablePlugged"), cablePlugged);
    json.insert(QStringLiteral("online"), powered);
    json.insert(QStringLiteral("bootMode"), bootMode);
    json.insert(QStringLiteral("pairingMode"), pairingMode);
    json.insert(QStringLiteral("screen"), screen);
    json.insert(QStringLiteral("battery"), battery);
    json.insert(QStringLiteral("charging"), charging);
    json.insert(QStringLiteral("version"), version);
    json.insert(QStringLiteral("longRange"), longRange);
    json.insert(QStringLiteral("batteryOptimize"), batteryOptimize);
    json.insert(QStringLiteral("pcDriverStatus"), pcDriverStatus);
    json.insert(QStringLiteral("profile"), profile);
    json.insert(QStringLiteral("receiver"), receiver);
    json.insert(QStringLiteral("clock"), QString::fromLatin1(clock.toHex()));
    QJsonArray list;
    for (const QByteArray &image : images)
        list.append(QString::fromLatin1(image.toBase64()));
    json.insert(QStringLiteral("images"), list);
    return json;
}

void SimulatedMouse::factoryReset()
{
    const QByteArray factory = FlashImageCodec::encode(FlashImageCodec::defaultRecord());
    for (QByteArray &image : images)
        image = factory;
    profile = 0;
    longRange = 0;
}
