#include "app/UserFolderProblem.h"

#include <QMetaObject>
#include <QObject>
#include <QtDebug>

#include <mutex>

namespace {

std::mutex problemMutex;
QString firstPath;
bool told = false;
QObject* listenerContext = nullptr;
std::function<void()> listener;

} // namespace

void UserFolderProblem::Report(const QString& path)
{
    std::lock_guard<std::mutex> lock(problemMutex);
    if (!firstPath.isEmpty())
        return;
    firstPath = path.isEmpty() ? QStringLiteral("?") : path;
    qWarning().noquote() << "cannot write" << path;
    // Posted under the lock: the context cannot go away meanwhile, since it
    // removes itself through SetListener first.
    if (listenerContext && listener)
        QMetaObject::invokeMethod(listenerContext, listener, Qt::QueuedConnection);
}

QString UserFolderProblem::TakeUntold()
{
    std::lock_guard<std::mutex> lock(problemMutex);
    if (firstPath.isEmpty() || told)
        return QString();
    told = true;
    return firstPath;
}

void UserFolderProblem::SetListener(QObject* context, std::function<void()> call)
{
    std::lock_guard<std::mutex> lock(problemMutex);
    listenerContext = context;
    listener = std::move(call);
}

void UserFolderProblem::Reset()
{
    std::lock_guard<std::mutex> lock(problemMutex);
    firstPath.clear();
    told = false;
}
