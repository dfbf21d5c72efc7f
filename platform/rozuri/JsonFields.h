#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Lenient readers for scenario fields: numbers may be written as JSON
// numbers or as texts ("0x0102", "258"); byte lists as arrays of numbers or
// as hex texts.
class JsonFields {
public:
    static int number(const QJsonObject &json, const QString &key, int fallback);
    static bool flag(const QJsonObject &json, const QString &key, bool fallback);
    static QString text(const QJsonObject &json, const QString &key, const QString &fallback);
    // Exactly size bytes: shorter lists are padded with zeros, longer cut.
    static QByteArray bytes(const QJsonObject &json, const QString &key, const QByteArray &fallback);
    static QJsonValue byteList(const QByteArray &bytes);
};
