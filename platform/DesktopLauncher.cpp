#include "platform/DesktopLauncher.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopLauncher::StartDetached(const QString& commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine.trimmed());
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

bool DesktopLauncher::OpenUrl(const QString& text)
{
    const QUrl url = QUrl::fromUserInput(text.trimmed());
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}
