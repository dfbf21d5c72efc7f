#include "platform/rozuri/JsonFields.h"

#include <QJsonArray>

int JsonFields::number(const QJsonObject &json, const QString &key, int fallback)
{
    const QJsonValue v = json.value(key);
    if (v.isDouble())
        return v.toInt(fallback);
    if (v.isString()) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok, 0);
        return ok ? n : fallback;
    }
    return fallback;
}

bool JsonFields::flag(const QJsonObject &json, const QString &key, bool fallback)
{
    const QJsonValue v = json.value(key);
    if (v.isBool())
        return v.toBool();
    if (v.isDouble())
        return v.toInt() != 0;
    return fallback;
}

QString JsonFields::text(const QJsonObject &json, const QString &key, const QString &fallback)
{
    const QJsonValue v = json.value(key);
    return v.isString() ? v.toString() : fallback;
}

QByteArray JsonFields::bytes(const QJsonObject &json, const QString &key, const QByteArray &fallback)
{
    const QJsonValue v = json.value(key);
    QByteArray out;
    if (v.isArray()) {
        for (const QJsonValue &item : v.toArray())
            out.append(static_cast<char>(item.toInt() & 0xFF));
    } else if (v.isString()) {
        out = QByteArray::fromHex(v.toString().toLatin1());
    } else {
        return fallback;
    }
    out = out.left(fallback.size());
    out.append(QByteArray(fallback.size() - out.size(), '\0'));
    return out;
}

QJsonValue JsonFields::byteList(const QByteArray &bytes)
{
    QJsonArray list;
    for (char c : bytes)
        list.append(static_cast<quint8>(c));
    return list;
}
