#include "app/UserSettings.h"

#include "app/AppPaths.h"
#include "app/UserFolderProblem.h"


namespace {
std::mutex creationMutex;
UserSettings* instance = nullptr;
} // namespace

UserSettings* UserSettings::Instance()
{
    std::unique_lock<std::mutex> lock(creationMutex);
    if (!instance)
        instance = new UserSettings(DefaultFilePath());
    return instance;
}

QString UserSettings::DefaultFilePath()
{
    return AppPaths::UserDataFolder() + QStringLiteral("/Macro.ini");
}

UserSettings::UserSettings(const QString& filePath)
    : m_filePath(filePath)
    , m_store(filePath, kMaxFileBytes)
{
}

QString UserSettings::Value(const QString& group, const QString& key)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_store.Value(group + QLatin1Char('/') + key).toString();
}

bool UserSettings::SetValue(const QString& group, const QString& key, const QString& value)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    // What could not be stored is not shown as stored either.
    if (m_store.Set(group + QLatin1Char('/') + key, value))
        return true;
    lock.unlock();
    UserFolderProblem::Report(m_filePath);
    return false;
}

void UserSettings::Sync()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_store.Reload();
}
