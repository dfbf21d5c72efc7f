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

bool IniFileStore::ReadFile(IniFileCodec::Document* document, QString* reason)
{
    const FileReader::Result file = FileReader::Read(m_filePath, m_maxBytes);
    m_loadStatus = file.status;
    if (file.status == FileReader::Status::Missing) {
        // Nothing on disk yet: what the store holds is all there is.
        *document = m_document;
        return true;
    }
    if (!file.ok()) {
        if (reason)
            *reason = file.reason;
        return false;
    }
    if (!IniFileCodec::Parse(file.bytes, document, reason)) {
        m_loadStatus = FileReader::Status::Unreadable;
        return false;
    }
    return true;
}

bool IniFileStore::Reload(QString* reason)
{
    IniFileCodec::Document document;
    if (!ReadFile(&document, reason))
        return false;
    m_document = document;
    return true;
}

bool IniFileStore::Change(const std::function<void(IniFileCodec::Document&)>& edit, QString* reason)
{
    IniFileCodec::Document current;
    if (!ReadFile(&current, reason))
        return false;
    m_document = current;
    IniFileCodec::Document next = current;
    edit(next);
    if (next.values == current.values && next.unread == current.unread)
        return true;
    QByteArray bytes;
    // As QSettings did: the store's folder is made on its first write.
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    if (!IniFileCodec::Serialise(next, &bytes, reason) || !FileWriter::Replace(m_filePath, bytes, reason))
        return false;
    m_loadStatus = FileReader::Status::Ok;
    m_document = next;
    return true;
}

bool IniFileStore::Set(const QString& key, const QVariant& value, QString* reason)
{
    return Change(
        [&](IniFileCodec::Document& document) {
            document.unread.remove(Normalised(key));
            document.values.insert(Normalised(key), value);
        },
        reason);
}

bool IniFileStore::Remove(const QString& key, QString* reason)
{
    return Change(
        [&](IniFileCodec::Document& document) {
            document.unread.remove(Normalised(key));
            document.values.remove(Normalised(key));
        },
        reason);
}

QVariant IniFileStore::Value(const QString& key) const
{
    return m_document.values.value(Normalised(key));
}

bool IniFileStore::Contains(const QString& key) const
{
    return m_document.values.contains(Normalised(key));
}
