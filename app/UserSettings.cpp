#include "app/UserSettings.h"

#include "app/AppPaths.h"
#include "app/UserFolderProblem.h"

#include <QSettings>

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
    , m_settings(new QSettings(filePath, QSettings::IniFormat))
{
    m_settings->setIniCodec("UTF-8");
}

UserSettings::~UserSettings()
{
    delete m_settings;
}

QString UserSettings::Value(const QString& group, const QString& key)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_settings->value(group + QLatin1Char('/') + key).toString();
}

bool UserSettings::SetValue(const QString& group, const QString& key, const QString& value)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const QString name = group + QLatin1Char('/') + key;
    const QVariant before = m_settings->value(name);
    m_settings->setValue(name, value);
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    UserFolderProblem::Report(m_filePath);
    // What could not be stored is not shown as stored either.
    if (before.isValid())
        m_settings->setValue(name, before);
    else
        m_settings->remove(name);
    return false;
}

void UserSettings::Sync()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        UserFolderProblem::Report(m_filePath);
}
