#include <mutex>
#include "platform/RegistryStore.h"

#include "app/AppPaths.h"

#include <QSettings>

#include <atomic>

namespace {
std::atomic<RegistryStore::WriteFailureHandler> writeFailureHandler{nullptr};
} // namespace

void RegistryStore::SetWriteFailureHandler(WriteFailureHandler handler)
{
    writeFailureHandler = handler;
}

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
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_settings->value(SettingsKey(keyPath, name)).toString();
}

bool RegistryStore::Contains(const QString& keyPath, const QString& name) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_settings->contains(SettingsKey(keyPath, name));
}

void RegistryStore::SetValue(const QString& keyPath, const QString& name, const QString& value)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_settings->setValue(SettingsKey(keyPath, name), value);
    SyncLocked(lock);
}

void RegistryStore::Remove(const QString& keyPath, const QString& name)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_settings->remove(SettingsKey(keyPath, name));
    SyncLocked(lock);
}

void RegistryStore::Sync()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    SyncLocked(lock);
}

void RegistryStore::SyncLocked(std::unique_lock<std::mutex>& lock)
{
    m_settings->sync();
    const bool failed = m_settings->status() != QSettings::NoError;
    lock.unlock();
    const WriteFailureHandler handler = writeFailureHandler;
    if (failed && handler)
        handler(m_filePath);
}
