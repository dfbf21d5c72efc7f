#include "app/Startup.h"

#include "platform/files/FileWriter.h"

#include "app/AppPaths.h"
#include "app/UserFolderProblem.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QToolTip>
#include <QWidget>

void CreateUserFolders()
{
    const QString base = AppPaths::UserDataFolder();
    static const char* const folders[] = {
        "/Log", "/Device_Info", "/Exception", "/usersetting",
        "/usersetting/MainPage", "/usersetting/MacroPage", "/usersetting/SensorPage",
    };
    for (const char* folder : folders) {
        const QString path = base + QLatin1String(folder);
        if (!QDir(path).exists() && !QDir().mkpath(path))
            UserFolderProblem::Report(path);
    }
    const QString userFile = base + QStringLiteral("/Macro.ini");
    if (!QFileInfo::exists(userFile) && !FileWriter::Replace(userFile, QByteArray()))
        UserFolderProblem::Report(userFile);
}

QString ScaleFactorText(int desktopWidth)
{
    if (desktopWidth <= 1920)
        return QString();
    const int factor = desktopWidth / 1920;
    return QString::number(static_cast<double>(factor), 'g', 6);
}

void RemoveOldFiles(const QString& folder)
{
    const quint32 now = static_cast<quint32>(QDateTime::currentDateTime().toSecsSinceEpoch());
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList();
    for (const QFileInfo& entry : entries) {
        if (entry.isDir())
            continue;
        const quint32 modified = static_cast<quint32>(entry.lastModified().toSecsSinceEpoch());
        // A file dated after now is kept: its age is unknown, not huge.
        if (modified > now)
            continue;
        if ((now - modified) / 86400u > 7u)
            QFile::remove(entry.absoluteFilePath());
    }
}

namespace {

void CollectFonts(QWidget* widget, QList<QPair<QWidget*, QFont>>* fonts)
{
    fonts->append(qMakePair(widget, widget->font()));
    for (QObject* child : widget->children()) {
        if (child->isWidgetType())
            CollectFonts(static_cast<QWidget*>(child), fonts);
    }
}

} // namespace

QList<QPair<QWidget*, QFont>> WidgetTreeFonts(QWidget* widget)
{
    QList<QPair<QWidget*, QFont>> fonts;
    if (widget)
        CollectFonts(widget, &fonts);
    return fonts;
}

void ScaleWindowFonts(QWidget* widget, double factor)
{
    if (!widget)
        return;
    // Styled boxes hand their font to their inner editors only when polished:
    // before that an editor would be scaled from the application's font.
    widget->ensurePolished();
    for (auto& entry : WidgetTreeFonts(widget)) {
        QFont font = entry.second;
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * factor);
        const QString name = entry.first->objectName();
        if (name == QLatin1String("Receive_2"))
            continue;
        entry.first->setFont(font);
        if (name == QLatin1String("NoApear"))
            QToolTip::setFont(font);
    }
}
