#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <mutex>

class QFile;

// Every call of the library, in order, with its arguments and bytes. When
// NK_SIM_LOG names a file, each call is appended there as one JSON object per
// line. The calls are also kept in memory when that variable is set or a test
// asks for them (keepInMemory), the most recent ones up to kMemoryBytes of
// compact JSON: a record write alone logs about 20 KB, so a count of entries
// would bound nothing.
class CallLog {
public:
    static constexpr qint64 kMemoryBytes = 32 * 1024 * 1024;

    static CallLog &instance();
    // False when no call would be kept anywhere: callers then skip building
    // the fields.
    bool active() const;
    // Static, so that a test may ask before anything loads the library (the
    // log reads NK_SIM_LOG when it is first used).
    static void keepInMemory(bool keep);
    // fields must not hold "fn" or "t"; they are added here.
    void add(const char *function, QJsonObject fields);
    QList<QJsonObject> entries() const;
    // Compact JSON bytes of the calls kept in memory.
    qint64 memoryBytes() const;
    void clear();
    static qint64 millisecondsSinceLoad();
    static QString hex(const void *bytes, int length);

private:
    CallLog();
    mutable std::mutex mutex_;
    bool keepForFile_ = false;
    QList<QJsonObject> entries_;
    QList<int> sizes_;
    qint64 bytes_ = 0;
    QFile *file_ = nullptr;
};
