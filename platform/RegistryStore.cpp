#include <mutex>
#include "platform/RegistryStore.h"

#include "app/AppPaths.h"


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
    , m_store(filePath, kMaxFileBytes)
{
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
    return m_store.Value(SettingsKey(keyPath, name)).toString();
}

bool RegistryStore::Contains(const QString& keyPath, const QString& name) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_store.Contains(SettingsKey(keyPath, name));
}

bool RegistryStore::SetValue(const QString& keyPath, const QString& name, const QString& value)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return Told(m_store.Set(SettingsKey(keyPath, name), value), lock);
}

bool RegistryStore::Remove(const QString& keyPath, const QString& name)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return Told(m_store.Remove(SettingsKey(keyPath, name)), lock);
}

void RegistryStore::Sync()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_store.Reload();
}

bool RegistryStore::Told(bool written, std::unique_lock<std::mutex>& lock)
{
    lock.unlock();
    const WriteFailureHandler handler = writeFailureHandler;
    if (!written && handler)
        handler(m_filePath);
    return written;
}
