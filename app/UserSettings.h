#pragma once

#include <mutex>
#include <QString>

class QSettings;

// Read-write store over the per-user "/Macro.ini": language, start with the
// desktop session, and the chooser's do-not-show-again choice.
class UserSettings {
public:
    static UserSettings* Instance();
    static QString DefaultFilePath();

    explicit UserSettings(const QString& filePath);
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    QString Value(const QString& group, const QString& key);
    // False when the file could not be written (the value is then not kept).
    bool SetValue(const QString& group, const QString& key, const QString& value);
    // Writes whatever is not on disk yet (every SetValue already does).
    void Sync();

    QString FilePath() const { return m_filePath; }

private:
    QString m_filePath;
    QSettings* m_settings;
    std::mutex m_mutex;
};
