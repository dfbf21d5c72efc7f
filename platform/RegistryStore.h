#pragma once

#include <mutex>
#include <QString>


class QSettings;

// The program's registry: values under key paths such as
// "HKEY_CURRENT_USER\Software\<name>\<name>", kept in one ini file in the
// per-user data folder. Safe to use from several threads; every write is
// flushed at once, as a registry write would be.
class RegistryStore {
public:
    static RegistryStore& Instance();

    explicit RegistryStore(const QString& filePath);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Empty text when the value is missing.
    QString Value(const QString& keyPath, const QString& name) const;
    bool Contains(const QString& keyPath, const QString& name) const;
    void SetValue(const QString& keyPath, const QString& name, const QString& value);
    void Remove(const QString& keyPath, const QString& name);
    // Writes whatever is not on disk yet (every change already does).
    void Sync();

    QString FilePath() const { return m_filePath; }

    // Told the file's path whenever a write does not reach the disk.
    using WriteFailureHandler = void (*)(const QString& path);
    static void SetWriteFailureHandler(WriteFailureHandler handler);

private:
    static QString SettingsKey(const QString& keyPath, const QString& name);
    void SyncLocked(std::unique_lock<std::mutex>& lock);

    QString m_filePath;
    mutable std::mutex m_mutex;
    QSettings* m_settings;
};
