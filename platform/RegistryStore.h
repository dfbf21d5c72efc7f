#pragma once

#include <mutex>
#include <QString>

#include "platform/files/IniFileStore.h"

// The program's registry: values under key paths such as
// "HKEY_CURRENT_USER\Software\<name>\<name>", kept in one ini file in the
// per-user data folder. Safe to use from several threads; every write is
// flushed at once, as a registry write would be.
class RegistryStore {
public:
    static RegistryStore& Instance();

    explicit RegistryStore(const QString& filePath);
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Empty text when the value is missing.
    QString Value(const QString& keyPath, const QString& name) const;
    bool Contains(const QString& keyPath, const QString& name) const;
    // False when the change did not reach the disk: the file then keeps
    // every earlier value, and the failure handler is told.
    bool SetValue(const QString& keyPath, const QString& name, const QString& value);
    bool Remove(const QString& keyPath, const QString& name);
    // Takes what the file holds now (every change is on disk already).
    void Sync();

    // A handful of short values.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    QString FilePath() const { return m_filePath; }

    // Told the file's path whenever a write does not reach the disk.
    using WriteFailureHandler = void (*)(const QString& path);
    static void SetWriteFailureHandler(WriteFailureHandler handler);

private:
    static QString SettingsKey(const QString& keyPath, const QString& name);
    bool Told(bool written, std::unique_lock<std::mutex>& lock);

    QString m_filePath;
    mutable std::mutex m_mutex;
    IniFileStore m_store;
};
