#pragma once

#include "device/DeviceAllInfo.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <functional>
#include <mutex>

class QTimer;

// Owns the link to the current device while the device pages are shown. Each
// start of the thread runs one pass: when the device, its connection or its
// online state changed (or a re-initialisation was asked for) it announces
// the reading or shows the cached record, then starts the device library's
// server with the report callback and asks for the whole flash image. The
// object itself, its timer and its slots live on the GUI thread.
class Worker : public QThread {
    Q_OBJECT
public:
    // The parent is ignored: the thread object has none.
    explicit Worker(QObject* parent = nullptr);
    ~Worker() override;

    // A pass that has not begun yet does nothing, and none asked for is
    // started any more.
    void Stop();
    // Sets the run flag and starts a pass; when one runs, another follows
    // it, so that a change made meanwhile is never missed.
    void StartPass();
    // The 1300 ms online check; a factory reset holds it while it waits.
    void StopCheckTimer();
    void StartCheckTimer();
    bool CheckTimerActive() const;

    static void ReselectDevice(DeviceAllInfo info);
    static int IdentifySessionDevice(DeviceAllInfo& device, const char* path);
    static void EnumerateSessionDevices(const QStringList& vendorIds, const QStringList& productIds,
                                        int interfaceId, int deviceId);
    // Hot-plug callback while the device pages are shown.
    static void OnSessionUsbChanged();

    // Test seam: runs on the worker's thread when a pass begins, before it
    // looks at anything, and when its work is done, before it returns.
    enum class PassPoint { Begins, Ends };
    static void SetPassPointHook(std::function<void(PassPoint)> hook);

public slots:
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SlotMainPageChange();
    void SlotCheckOnline();

protected:
    void run() override;

private slots:
    void SlotPassFinished();

private:
    bool m_unused = false;
    const QByteArray m_placeholderPath = QByteArrayLiteral("a");
    int m_lastKind = 0;
    QString m_lastPath;
    QTimer* m_checkOnlineTimer = nullptr;
    // StartPass calls made, and how many of them a pass has answered: one
    // that came after a pass looked at the device gets a pass of its own.
    // The run flag cannot tell, as the end of a record read clears it too.
    std::mutex m_passMutex;
    quint64 m_passesAsked = 0;
    quint64 m_passesAnswered = 0;
    // Taken on the worker's thread when a pass has finished, and by the
    // destructor: the ordering QThread::wait gives through Qt's own locks,
    // made visible to the thread checker.
    std::mutex m_finishedMutex;
};

// The one worker, created by the button page; every starter of a pass uses it.
extern Worker* deviceWorker;
