#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

// Where the program keeps its files: its own folder (shipped data) and the
// per-user data folder under the home folder.
class AppPaths {
public:
    static QString ApplicationName() { return QStringLiteral("Nevrix Kazmo"); }

    static QString UserDataFolder()
    {
        return QDir::homePath() + QStringLiteral("/AppData/Local/") + ApplicationName();
    }

    static QString ApplicationFolder() { return QCoreApplication::applicationDirPath(); }
};
