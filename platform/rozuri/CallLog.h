#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <mutex>

class QFile;

// Every call of the library, in order, with its arguments and bytes. Kept in
// memory for tests (the most recent kMemoryLimit calls) and, when NK_SIM_LOG
// names a file, appended there as one JSON object per line.
class CallLog {
public:
    static constexpr int kMemoryLimit = 20000;

    static CallLog &instance();
    // fields must not hold "fn" or "t"; they are added here.
    void add(const char *function, QJsonObject fields);
    QList<QJsonObject> entries() const;
    void clear();
    static qint64 millisecondsSinceLoad();
    static QString hex(const void *bytes, int length);

private:
    CallLog();
    mutable std::mutex mutex_;
    QList<QJsonObject> entries_;
    QFile *file_ = nullptr;
};
