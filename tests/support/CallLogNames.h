#pragma once

#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// The simulated library's calls by name, in the order they were made; only
// the given names when some are given.
inline QStringList CallNames(const QStringList& wanted = QStringList())
{
    QStringList names;
    for (const QJsonObject& call : SimulatedDeviceControl::calls()) {
        const QString fn = call.value(QStringLiteral("fn")).toString();
        if (wanted.isEmpty() || wanted.contains(fn))
            names.append(fn);
    }
    return names;
}

// The calls of the given names with the mode argument that tells them apart
// ("UsbServer_SetPCDriverStatus 0").
inline QStringList CallsWithMode(const QStringList& names)
{
    QStringList calls;
    for (const QJsonObject& call : SimulatedDeviceControl::calls()) {
        const QString fn = call.value(QStringLiteral("fn")).toString();
        if (!names.contains(fn))
            continue;
        calls.append(call.contains(QStringLiteral("mode"))
                         ? fn + QLatin1Char(' ') + QString::number(call.value(QStringLiteral("mode")).toInt())
                         : fn);
    }
    return calls;
}
