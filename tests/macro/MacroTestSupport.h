#pragma once

// Helpers for the tests that drive the macro page and read its files.

#include "app/AppPaths.h"
#include "app/LanguageTables.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace MacroTest {

// A text of language 0.
inline QString Text(const char* section, const char* key)
{
    return LanguageTables::Text(0, QString::fromLatin1(section), QString::fromLatin1(key));
}

inline QString MacroFolder()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/usersetting/MacroPage");
}

inline QString MacroPath(const QString& name)
{
    return MacroFolder() + QLatin1Char('/') + name + QStringLiteral(".ini");
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace MacroTest
