#include "platform/RegistryStore.h"

#include "app/AppPaths.h"

#include <QMutexLocker>
#include <QSettings>

RegistryStore& RegistryStore::Instance()
{
    // Function-local static: construction is thread-safe in C++11 and later.
    static RegistryStore store(AppPaths::UserDataFolder() + QStringLiteral("/Registry.ini"));
    return store;
}

RegistryStore::RegistryStore(const QString& filePath)
    : m_filePath(filePath)
    , m_settings(new QSettings(filePath, QSettings::IniFormat))
{
    m_settings->setIniCodec("UTF-8");
}

RegistryStore::~RegistryStore()
{
    delete m_settings;
}

QString RegistryStore::SettingsKey(const QString& keyPath, const QString& name)
{
    // Registry paths use backslashes; the ini file nests groups with "/".
    QString group = keyPath;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group + QLatin1Char('/') + name;
}

QString RegistryStore::Value(const QString& keyPath, const QString& name) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->value(SettingsKey(keyPath, name)).toString();
}

bool RegistryStore::Contains(const QString& keyPath, const QString& name) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->contains(SettingsKey(keyPath, name));
}

void RegistryStore::SetValue(const QString& keyPath, const QString& name, const QString& value)
{
    QMutexLocker lock(&m_mutex);
    m_settings->setValue(SettingsKey(keyPath, name), value);
    m_settings->sync();
}

void RegistryStore::Remove(const QString& keyPath, const QString& name)
{
    QMutexLocker lock(&m_mutex);
    m_settings->remove(SettingsKey(keyPath, name));
    m_settings->sync();
}

void RegistryStore::Sync()
{
    QMutexLocker lock(&m_mutex);
    m_settings->sync();
}
