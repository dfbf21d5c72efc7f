#pragma once

#include <QByteArray>
#include <QString>
#include <mutex>

// The file in which the simulated devices keep their state between runs,
// written atomically and synced. Writes may come from several threads; a
// snapshot older than the one last written is skipped.
class StateStore {
public:
    // NK_SIM_STATE, else the per-user data folder.
    static QString defaultPath();
    // A few devices' state is a few kilobytes of JSON; a larger file is not read.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    void setPath(const QString &path);
    QString path() const;
    // Empty when the file is missing or unreadable (a FIFO, a folder, too large).
    QByteArray read() const;
    // False when the file could not be written whole.
    bool write(quint64 sequence, const QByteArray &bytes);
    // Files written so far.
    int writes() const;

private:
    mutable std::mutex mutex_;
    QString path_ = defaultPath();
    quint64 written_ = 0;
    int writes_ = 0;
};
