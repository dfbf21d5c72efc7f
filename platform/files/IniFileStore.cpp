#include "platform/files/IniFileStore.h"

#include "platform/files/FileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The key as QSettings gives it back: no empty sections between slashes.
QString Normalised(const QString& key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

} // namespace

IniFileStore::IniFileStore(const QString& filePath, qint64 maxBytes)
    : m_filePath(filePath)
    , m_maxBytes(maxBytes)
{
    Reload();
}

bool IniFileStore::ReadFile(IniFileCodec::Values* values, QString* reason)
{
    const FileReader::Result file = FileReader::Read(m_filePath, m_maxBytes);
    m_loadStatus = file.status;
    if (file.status == FileReader::Status::Missing) {
        // Nothing on disk yet: what the store holds is all there is.
        *values = m_values;
        return true;
    }
    if (!file.ok()) {
        if (reason)
            *reason = file.reason;
        return false;
    }
    if (!IniFileCodec::Parse(file.bytes, values, reason)) {
        m_loadStatus = FileReader::Status::Unreadable;
        return false;
    }
    return true;
}

bool IniFileStore::Reload(QString* reason)
{
    IniFileCodec::Values values;
    if (!ReadFile(&values, reason))
        return false;
    m_values = values;
    return true;
}

bool IniFileStore::Change(const std::function<void(IniFileCodec::Values&)>& edit, QString* reason)
{
    IniFileCodec::Values current;
    if (!ReadFile(&current, reason))
        return false;
    m_values = current;
    IniFileCodec::Values next = current;
    edit(next);
    if (next == current)
        return true;
    QByteArray bytes;
    // As QSettings did: the store's folder is made on its first write.
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    if (!IniFileCodec::Serialise(next, &bytes, reason) || !FileWriter::Replace(m_filePath, bytes, reason))
        return false;
    m_loadStatus = FileReader::Status::Ok;
    m_values = next;
    return true;
}

bool IniFileStore::Set(const QString& key, const QVariant& value, QString* reason)
{
    return Change([&](IniFileCodec::Values& values) { values.insert(Normalised(key), value); }, reason);
}

bool IniFileStore::Remove(const QString& key, QString* reason)
{
    return Change([&](IniFileCodec::Values& values) { values.remove(Normalised(key)); }, reason);
}

QVariant IniFileStore::Value(const QString& key) const
{
    return m_values.value(Normalised(key));
}

bool IniFileStore::Contains(const QString& key) const
{
    return m_values.contains(Normalised(key));
}
