#pragma once

#include <mutex>
#include <QString>

#include "platform/files/IniFileStore.h"

// Read-write store over the per-user "/Macro.ini": language, start with the
// desktop session, and the chooser's do-not-show-again choice.
class UserSettings {
public:
    static UserSettings* Instance();
    static QString DefaultFilePath();

    explicit UserSettings(const QString& filePath);
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    QString Value(const QString& group, const QString& key);
    // False when the file could not be written (the value is then not kept).
    bool SetValue(const QString& group, const QString& key, const QString& value);
    // Takes what the file holds now (every SetValue is on disk already).
    void Sync();

    QString FilePath() const { return m_filePath; }

    // The file holds a few short values.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

private:
    QString m_filePath;
    IniFileStore m_store;
    std::mutex m_mutex;
};
