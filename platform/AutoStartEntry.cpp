#include "platform/AutoStartEntry.h"
#include "platform/files/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString AutoStartEntry::Folder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG Base Directory rules ignore a relative value.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

QString AutoStartEntry::FilePath(const QString& name)
{
    return Folder() + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

QString AutoStartEntry::QuoteExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // Inside the value itself a backslash is escaped once more, and a
    // percent sign is a field code unless doubled.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray AutoStartEntry::Contents(const QString& name, const QString& program)
{
    QString single = name;
    single.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + single
        + QStringLiteral("\nExec=") + QuoteExecArgument(program)
        + QStringLiteral("\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    return text.toUtf8();
}

bool AutoStartEntry::Write(const QString& name, const QString& program, QString* error)
{
    if (!QDir().mkpath(Folder())) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(Folder());
        return false;
    }
    return FileWriter::Replace(FilePath(name), Contents(name, program), error);
}

bool AutoStartEntry::Remove(const QString& name, QString* error)
{
    QFile file(FilePath(name));
    if (!file.exists())
        return true;
    if (!file.remove()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool AutoStartEntry::Exists(const QString& name)
{
    return QFileInfo::exists(FilePath(name));
}
