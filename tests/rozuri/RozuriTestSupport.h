#pragma once

#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtTest>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

inline QString fixturePath(const QString &name)
{
    return QStringLiteral(ROZURI_FIXTURES "/") + name;
}

inline void loadFixture(const QString &name)
{
    QString error;
    QVERIFY2(SimulatedDeviceControl::loadScenario(fixturePath(name), &error), qPrintable(error));
}

inline QByteArray pathOf(const QString &name)
{
    return SimulatedDeviceControl::pathOf(name).toLatin1();
}

// Collects what the report callback receives, from whichever thread.
class ReportRecorder {
public:
    struct Report {
        int type = -1;
        int sub = -1;
        QByteArray payload;
        std::thread::id thread;
    };

    static void callback(const unsigned char *header, int headerLength, const unsigned char *payload,
                         int payloadLength)
    {
        Report r;
        r.type = headerLength > 1 ? header[1] : -1;
        r.sub = headerLength > 4 ? header[4] : 0;
        r.payload = QByteArray(reinterpret_cast<const char *>(payload), payloadLength);
        r.thread = std::this_thread::get_id();
        std::lock_guard<std::mutex> lock(mutex());
        reports().append(r);
        changed().notify_all();
    }

    static bool waitFor(int count, int ms = 3000)
    {
        std::unique_lock<std::mutex> lock(mutex());
        return changed().wait_for(lock, std::chrono::milliseconds(ms), [count] { return reports().size() >= count; });
    }

    static QList<Report> all()
    {
        std::lock_guard<std::mutex> lock(mutex());
        return reports();
    }

    static void clear()
    {
        std::lock_guard<std::mutex> lock(mutex());
        reports().clear();
    }

private:
    static std::mutex &mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::condition_variable &changed()
    {
        static std::condition_variable c;
        return c;
    }
    static QList<Report> &reports()
    {
        static QList<Report> r;
        return r;
    }
};
