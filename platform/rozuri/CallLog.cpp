#include "platform/rozuri/CallLog.h"

#include <QFile>
#include <QJsonDocument>
#include <atomic>
#include <chrono>

namespace {
const std::chrono::steady_clock::time_point kLoaded = std::chrono::steady_clock::now();
// Constant-initialised: set from static initialisers of tests.
std::atomic<bool> keepRequested{false};
}

CallLog &CallLog::instance()
{
    static CallLog *log = new CallLog;
    return *log;
}

CallLog::CallLog()
{
    const QString path = qEnvironmentVariable("NK_SIM_LOG");
    if (!path.isEmpty()) {
        keepForFile_ = true;
        file_ = new QFile(path);
        if (!file_->open(QIODevice::WriteOnly | QIODevice::Append)) {
            delete file_;
            file_ = nullptr;
        }
    }
}

void CallLog::keepInMemory(bool keep)
{
    keepRequested = keep;
}

bool CallLog::active() const
{
    return keepForFile_ || keepRequested.load(std::memory_order_relaxed);
}

qint64 CallLog::millisecondsSinceLoad()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - kLoaded).count();
}

QString CallLog::hex(const void *bytes, int length)
{
    if (!bytes || length <= 0)
        return QString();
    return QString::fromLatin1(QByteArray(static_cast<const char *>(bytes), length).toHex());
}

void CallLog::add(const char *function, QJsonObject fields)
{
    if (!active())
        return;
    fields.insert(QStringLiteral("fn"), QString::fromLatin1(function));
    std::lock_guard<std::mutex> lock(mutex_);
    // Taken under the lock so that times never go backwards in the log.
    fields.insert(QStringLiteral("t"), static_cast<double>(millisecondsSinceLoad()));
    const QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact);
    if (keepForFile_ || keepRequested) {
        entries_.append(fields);
        sizes_.append(line.size());
        bytes_ += line.size();
        while (bytes_ > kMemoryBytes && !entries_.isEmpty()) {
            bytes_ -= sizes_.takeFirst();
            entries_.removeFirst();
        }
    }
    if (file_) {
        file_->write(line);
        file_->write("\n");
        file_->flush();
    }
}

QList<QJsonObject> CallLog::entries() const
{
    // A list of its own, not one sharing the log's storage: the log grows
    // on other threads while the caller walks its copy.
    std::lock_guard<std::mutex> lock(mutex_);
    QList<QJsonObject> copy;
    copy.reserve(entries_.size());
    for (const QJsonObject &entry : entries_)
        copy.append(entry);
    return copy;
}

qint64 CallLog::memoryBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
}

void CallLog::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
    sizes_.clear();
    bytes_ = 0;
}
