#include <mutex>
#include "app/ConfigSettings.h"

#include "app/AppPaths.h"

#include "platform/files/FileReader.h"

#include <QByteArray>
#include <QtDebug>

namespace {

std::mutex creationMutex;
ConfigSettings* instance = nullptr;

const QStringList& Base64Keys()
{
    static const QStringList keys = {
        QStringLiteral("MM"), QStringLiteral("DM"), QStringLiteral("D2M"),
        QStringLiteral("D4M"), QStringLiteral("D8M"), QStringLiteral("Sensor"),
        QStringLiteral("CID"), QStringLiteral("VID"), QStringLiteral("USB_PID"),
        QStringLiteral("Wireless_PID"), QStringLiteral("Wireless2_PID"),
        QStringLiteral("Wireless4_PID"), QStringLiteral("Wireless8_PID"),
    };
    return keys;
}

} // namespace

ConfigSettings* ConfigSettings::Instance()
{
    std::unique_lock<std::mutex> lock(creationMutex);
    if (!instance)
        instance = new ConfigSettings(AppPaths::ApplicationFolder() + QStringLiteral("/usersetting/Config.ini"));
    return instance;
}

ConfigSettings* ConfigSettings::ReplaceInstance(ConfigSettings* replacement)
{
    std::unique_lock<std::mutex> lock(creationMutex);
    ConfigSettings* previous = instance;
    instance = replacement;
    return previous;
}

ConfigSettings::ConfigSettings(const QString& filePath)
    : m_filePath(filePath)
{
    const FileReader::Result file = FileReader::Read(filePath, kMaxFileBytes);
    QString reason = file.reason;
    if (file.status == FileReader::Status::Missing) {
        m_readable = false;
        WarnOnce(QStringLiteral("configuration file %1 is missing; defaults are used").arg(filePath));
    } else if (!file.ok() || !IniFileCodec::Parse(file.bytes, &m_values, &reason)) {
        m_readable = false;
        m_values.clear();
        WarnOnce(QStringLiteral("configuration file %1 cannot be read (%2); defaults are used").arg(filePath, reason));
    }
}

ConfigSettings::FileState ConfigSettings::State()
{
    if (!m_readable)
        return FileState::Unreadable;
    if (Value(QStringLiteral("Option"), QStringLiteral("DeviceTotal")).toInt() < 1)
        return FileState::NoModel;
    return FileState::Usable;
}

ConfigSettings::~ConfigSettings() = default;

QString ConfigSettings::ModelGroup(int modelIndex)
{
    return QStringLiteral("Drive%1").arg(modelIndex + 1);
}

bool ConfigSettings::IsBase64Key(const QString& key)
{
    return Base64Keys().contains(key);
}

QString ConfigSettings::DecodeItem(const QString& item, bool* ok)
{
    QByteArray bytes = item.toUtf8();
    bytes = bytes.simplified().replace(' ', QByteArray());
    // Characters that are not Base64 are skipped, as the shipped files have
    // always been read; *ok only tells whether there were any.
    if (ok) {
        const auto strict = QByteArray::fromBase64Encoding(bytes, QByteArray::AbortOnBase64DecodingErrors);
        *ok = strict.decodingStatus == QByteArray::Base64DecodingStatus::Ok;
    }
    QString text = QString::fromUtf8(QByteArray::fromBase64(bytes));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

QVariant ConfigSettings::StoredValue(const QString& group, const QString& key)
{
    const QString path = group + QLatin1Char('/') + key;
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto found = m_values.constFind(path);
    if (found == m_values.cend()) {
        lock.unlock();
        WarnOnce(QStringLiteral("configuration key %1 is missing").arg(path));
        return QVariant();
    }
    return found.value();
}

QString ConfigSettings::Value(const QString& group, const QString& key)
{
    const QVariant stored = StoredValue(group, key);
    // A value with commas comes back as a list; as text it reads joined.
    const QString text = stored.type() == QVariant::StringList
        ? stored.toStringList().join(QLatin1Char(','))
        : stored.toString();
    if (!IsBase64Key(key) || text.isEmpty())
        return text;
    bool ok = false;
    const QString decoded = DecodeItem(text, &ok);
    if (!ok)
        WarnOnce(QStringLiteral("configuration key %1/%2 holds characters that are not Base64; they are skipped").arg(group, key));
    return decoded;
}

QStringList ConfigSettings::ListValue(const QString& group, const QString& key)
{
    const QVariant stored = StoredValue(group, key);
    QStringList items = stored.type() == QVariant::StringList
        ? stored.toStringList()
        : (stored.isNull() ? QStringList() : QStringList{stored.toString()});
    if (!IsBase64Key(key))
        return items;
    for (QString& item : items) {
        bool ok = false;
        item = DecodeItem(item, &ok);
        if (!ok)
            WarnOnce(QStringLiteral("configuration key %1/%2 holds characters that are not Base64; they are skipped").arg(group, key));
    }
    return items;
}

void ConfigSettings::WarnOnce(const QString& what)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_warned.contains(what))
        return;
    m_warned.insert(what);
    qWarning().noquote() << what;
}
