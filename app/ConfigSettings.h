#pragma once

#include <mutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/files/IniFileCodec.h"

// Read-only store over "/usersetting/Config.ini" beside the program: models,
// ids, capabilities and theme colours. Thirteen id and model keys hold
// Base64 text and are decoded on every read.
class ConfigSettings {
public:
    static ConfigSettings* Instance();
    // Lets a test put a store over a fixture file in place of the shipped
    // one; returns the store it replaced (the caller owns both).
    static ConfigSettings* ReplaceInstance(ConfigSettings* replacement);

    // Tests open their own fixture files; the program uses Instance().
    explicit ConfigSettings(const QString& filePath);
    ~ConfigSettings();
    ConfigSettings(const ConfigSettings&) = delete;
    ConfigSettings& operator=(const ConfigSettings&) = delete;

    QString Value(const QString& group, const QString& key);
    QStringList ListValue(const QString& group, const QString& key);

    // The group of a model: "Drive" + (model index + 1).
    static QString ModelGroup(int modelIndex);

    static bool IsBase64Key(const QString& key);
    // Decodes one Base64 item, skipping characters that are not Base64, and
    // strips line feeds and spaces from the result; *ok is false when
    // characters were skipped.
    static QString DecodeItem(const QString& item, bool* ok = nullptr);

    QString FilePath() const { return m_filePath; }

    // A configuration far larger than this is no configuration of ours.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    // Whether the program can work from the file: it must be readable and
    // name at least one model (Option/DeviceTotal of 1 or more).
    enum class FileState { Usable, Unreadable, NoModel };
    FileState State();

private:
    QVariant StoredValue(const QString& group, const QString& key);
    void WarnOnce(const QString& what);

    QString m_filePath;
    IniFileCodec::Values m_values;
    bool m_readable = true;
    std::mutex m_mutex;
    QSet<QString> m_warned;
};
