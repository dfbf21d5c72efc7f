#pragma once

#include "platform/files/FileReader.h"
#include "platform/files/IniFileCodec.h"

#include <QString>
#include <QVariant>

#include <functional>

// A read-write INI store (Macro.ini, Registry.ini) kept in memory and on
// disk. Each change is made to what the file holds now (another run of the
// program may have written it since) and written through FileWriter, so a
// failed write leaves the file and the values as they were. A file that is
// there but cannot be read whole (a FIFO, a folder, far too large) is never
// written over: its contents would be lost. Not locked: the owner locks.
class IniFileStore {
public:
    IniFileStore(const QString& filePath, qint64 maxBytes);

    QString FilePath() const { return m_filePath; }
    // How the file read when the store was made or last reloaded.
    FileReader::Status LoadStatus() const { return m_loadStatus; }

    QVariant Value(const QString& key) const;
    bool Contains(const QString& key) const;

    // False (with the reason) when the change did not reach the disk; the
    // store then holds the file's values without the change.
    bool Set(const QString& key, const QVariant& value, QString* reason = nullptr);
    bool Remove(const QString& key, QString* reason = nullptr);
    // Takes the values the file holds now; false when it cannot be read.
    bool Reload(QString* reason = nullptr);

private:
    bool ReadFile(IniFileCodec::Document* document, QString* reason);
    bool Change(const std::function<void(IniFileCodec::Document&)>& edit, QString* reason);

    QString m_filePath;
    qint64 m_maxBytes;
    FileReader::Status m_loadStatus = FileReader::Status::Missing;
    IniFileCodec::Document m_document;
};
