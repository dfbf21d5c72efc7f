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

    // Resolved once: every picture folder of every style sheet starts here.
    static QString ApplicationFolder()
    {
        if (!QCoreApplication::instance())
            return QCoreApplication::applicationDirPath();
        static const QString folder = QCoreApplication::applicationDirPath();
        return folder;
    }

    // Registry key of the firmware state: the failed-update record and the
    // stored mouse firmware versions.
    static QString FirmwareStateKey()
    {
        return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + ApplicationName() + QLatin1Char('\\')
            + ApplicationName() + QStringLiteral("\\Ruzaz Arode Dazo");
    }
};
