// The device server: reports on a library thread, in order, and a server
// that can always be stopped or restarted.
#include "RozuriTestSupport.h"

#include <QElapsedTimer>
#include <atomic>
#include <future>

namespace {

// A callback that blocks like the program's does while it waits for the GUI.
struct Gate {
    std::mutex mutex;
    std::condition_variable cv;
    bool open = false;
    std::atomic<int> entered{0};
    std::atomic<int> left{0};
};

Gate &gate()
{
    static Gate g;
    return g;
}

void blockingCallback(const unsigned char *, int, const unsigned char *, int)
{
    Gate &g = gate();
    ++g.entered;
    std::unique_lock<std::mutex> lock(g.mutex);
    g.cv.wait(lock, [&g] { return g.open; });
    ++g.left;
}

void openGate()
{
    Gate &g = gate();
    {
        std::lock_guard<std::mutex> lock(g.mutex);
        g.open = true;
    }
    g.cv.notify_all();
}

void closeGate()
{
    std::lock_guard<std::mutex> lock(gate().mutex);
    gate().open = false;
    gate().entered = 0;
    gate().left = 0;
}

// Calls back into the library from inside the callback, as the program does.
void reentrantCallback(const unsigned char *header, int headerLength, const unsigned char *payload, int payloadLength)
{
    ReportRecorder::callback(header, headerLength, payload, payloadLength);
    if (header[1] == 8 && payloadLength == ROZ_FLASH_IMAGE_SIZE) {
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
    }
}

// Answers a re-initialisation as the program does: battery optimisation back on.
void reinitialisedCallback(const unsigned char *header, int headerLength, const unsigned char *payload,
                           int payloadLength)
{
    if (headerLength > 1 && header[1] == 9)
        UsbServer_SetBatteryOptimizeEnable(1);
    ReportRecorder::callback(header, headerLength, payload, payloadLength);
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

private:
    QByteArray path_;

    void startOn(const char *name, RozReportCallback callback)
    {
        path_ = pathOf(QString::fromLatin1(name));
        UsbServerC_Start(path_.constData(), path_.constData(), callback);
    }

private slots:
    void init()
    {
        loadFixture(QStringLiteral("receivers_and_cable.json"));
        ReportRecorder::clear();
        closeGate();
    }

    void cleanup() { UsbServer_Exit(); }

    void readsAnswerInOrderOnALibraryThread()
    {
        startOn("r4k", ReportRecorder::callback);
        UsbServer_ReadAllFlashData();
        UsbServer_ReadDPILed();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        UsbServer_ReadConfig();
        UsbServer_ReadCurrentDPI();
        UsbServer_ReadReportRate();
        UsbServer_ReadLedBar();
        QVERIFY(ReportRecorder::waitFor(8));
        const QList<ReportRecorder::Report> r = ReportRecorder::all();
        const QList<QPair<int, int>> expected = {{8, 0}, {8, 76}, {4, 0}, {18, 0}, {14, 0}, {8, 4}, {8, 0}, {8, 160}};
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(qMakePair(r[i].type, r[i].sub), expected[i]);
            QVERIFY(r[i].thread != std::this_thread::get_id());
            QCOMPARE(r[i].thread, r[0].thread);
        }
        QCOMPARE(r[0].payload.size(), ROZ_FLASH_IMAGE_SIZE);
        QCOMPARE(r[1].payload.size(), 8);
        QCOMPARE(r[2].payload, QByteArray::fromHex("4001"));   // 64 %, charging
        QCOMPARE(r[3].payload, QByteArray::fromHex("0201"));   // version 0x0102
        QCOMPARE(r[4].payload, QByteArray::fromHex("00"));     // profile 0
        QCOMPARE(r[5].payload, QByteArray::fromHex("01"));     // current DPI level
        QCOMPARE(r[6].payload, QByteArray::fromHex("01"));     // 1000 Hz
        QCOMPARE(r[7].payload.size(), 9);
    }

    void readsOfAnAbsentMouseAnswerNothing()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), false);
        startOn("r4k", ReportRecorder::callback);
        QVERIFY(!UsbServer_ReadAllFlashData());
        QVERIFY(!ReportRecorder::waitFor(1, 200));
    }

    void callbackMayCallTheLibrary()
    {
        startOn("r4k", reentrantCallback);
        UsbServer_ReadAllFlashData();
        QVERIFY(ReportRecorder::waitFor(3));
        const QList<ReportRecorder::Report> r = ReportRecorder::all();
        QCOMPARE(r[1].type, 4);
        QCOMPARE(r[2].type, 18);
    }

    // A program that reacts to an answer at once still finds the call that
    // was answered before its own reaction in the log.
    void answersComeAfterTheirCallIsLogged()
    {
        startOn("corded", reinitialisedCallback);
        SimulatedDeviceControl::clearCalls();
        constexpr int kRounds = 60;
        QStringList expected;
        for (int round = 0; round < kRounds; ++round) {
            UsbServer_SetBatteryOptimizeEnable(0);
            UsbServer_SetClearSetting();
            QVERIFY(ReportRecorder::waitFor(round + 1));
            expected << "0" << "clear" << "1";
        }
        QStringList order;
        for (const QJsonObject &call : SimulatedDeviceControl::calls()) {
            const QString fn = call.value(QStringLiteral("fn")).toString();
            if (fn == QLatin1String("UsbServer_SetClearSetting"))
                order << QStringLiteral("clear");
            else if (fn == QLatin1String("UsbServer_SetBatteryOptimizeEnable"))
                order << QString::number(call.value(QStringLiteral("mode")).toInt());
        }
        QCOMPARE(order, expected);
    }

    void exitReturnsWhileACallbackIsBlocked()
    {
        startOn("r4k", blockingCallback);
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        QTRY_COMPARE(gate().entered.load(), 1);
        QElapsedTimer timer;
        timer.start();
        auto done = std::async(std::launch::async, [] { UsbServer_Exit(); });
        QVERIFY(done.wait_for(std::chrono::seconds(1)) == std::future_status::ready);
        QVERIFY(timer.elapsed() < 1000);
        openGate();
        QTRY_COMPARE(gate().left.load(), 1);
        QTest::qWait(100);
        QCOMPARE(gate().entered.load(), 1); // the version report was dropped with the server
    }

    void restartReturnsWhileACallbackIsBlocked()
    {
        startOn("r4k", blockingCallback);
        UsbServer_ReadBatteryLevel();
        QTRY_COMPARE(gate().entered.load(), 1);
        auto done = std::async(std::launch::async, [this] {
            UsbServerC_Start(path_.constData(), path_.constData(), ReportRecorder::callback);
            UsbServer_ReadConfig();
        });
        QVERIFY(done.wait_for(std::chrono::seconds(1)) == std::future_status::ready);
        QVERIFY(!ReportRecorder::waitFor(1, 100)); // one report at a time
        openGate();
        QVERIFY(ReportRecorder::waitFor(1));
        QCOMPARE(ReportRecorder::all().first().type, 14);
        QCOMPARE(gate().left.load(), 1);
    }

    void dpiButtonIsReportedAsAStatusChange()
    {
        startOn("r4k", ReportRecorder::callback);
        QVERIFY(SimulatedDeviceControl::pressDpiButton(QStringLiteral("wireless")));
        QVERIFY(ReportRecorder::waitFor(1));
        const ReportRecorder::Report status = ReportRecorder::all().first();
        QCOMPARE(status.type, 10);
        unsigned char flags[7] = {};
        GetDeviceStatusChanged(reinterpret_cast<const unsigned char *>(status.payload.constData()), flags);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(flags), 7), QByteArray::fromHex("01000000000000"));
        UsbServer_ReadCurrentDPI();
        QVERIFY(ReportRecorder::waitFor(2));
        QCOMPARE(ReportRecorder::all().at(1).payload, QByteArray::fromHex("02"));
    }

    void batteryReportDecodes()
    {
        SimulatedDeviceControl::setBattery(QStringLiteral("wireless"), 15, false);
        startOn("r4k", ReportRecorder::callback);
        UsbServer_ReadBatteryLevel();
        QVERIFY(ReportRecorder::waitFor(1));
        unsigned char battery[4] = {9, 9, 9, 9};
        GetDeviceBatteryStatus(reinterpret_cast<const unsigned char *>(ReportRecorder::all().first().payload.constData()),
                               battery);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(battery), 4), QByteArray::fromHex("0f000000"));
    }

    void factoryResetRestoresTheDefaultRecord()
    {
        startOn("corded", ReportRecorder::callback);
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\x03');
        ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData()));
        QVERIFY(UsbServer_SetBatteryOptimizeEnable(0));
        QVERIFY(UsbServer_SetClearSetting());
        QVERIFY(ReportRecorder::waitFor(1));
        QCOMPARE(ReportRecorder::all().first().type, 9);
        QCOMPARE(ReportRecorder::all().first().payload.size(), 0);
        UsbServer_ReadAllFlashData();
        QVERIFY(ReportRecorder::waitFor(2));
        unsigned char parsed[ROZ_DEVICE_RECORD_SIZE];
        QVERIFY(ProtocolDataParser(reinterpret_cast<const unsigned char *>(ReportRecorder::all().at(1).payload.constData()),
                                   parsed));
        QCOMPARE(parsed[0], 1); // 1000 Hz
        QCOMPARE(parsed[6], 8); // debounce index 8
    }

    void profilesKeepTheirOwnRecords()
    {
        startOn("r4k", ReportRecorder::callback);
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\0');
        record[0] = 32;
        ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData()));
        QVERIFY(UsbServer_SetCurrentConfig(2));
        QVERIFY(ReportRecorder::waitFor(2));
        QCOMPARE(ReportRecorder::all().at(0).type, 14);
        QCOMPARE(ReportRecorder::all().at(0).payload, QByteArray::fromHex("02"));
        QCOMPARE(ReportRecorder::all().at(1).type, 10);
        QCOMPARE(ReportRecorder::all().at(1).payload.at(2), char(1));
        UsbServer_ReadReportRate();
        QVERIFY(ReportRecorder::waitFor(3));
        QCOMPARE(ReportRecorder::all().at(2).payload, QByteArray::fromHex("01")); // profile 2: factory
        UsbServer_SetCurrentConfig(0);
        UsbServer_ReadReportRate();
        QVERIFY(ReportRecorder::waitFor(6));
        QCOMPARE(ReportRecorder::all().at(5).payload, QByteArray::fromHex("20"));
        QVERIFY(!UsbServer_SetCurrentConfig(4));
    }

    void injectedReportsReachTheCallbackUnchanged()
    {
        startOn("r4k", ReportRecorder::callback);
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(23), QByteArray(10, '\x01'));
        SimulatedDeviceControl::injectReport(QByteArray::fromHex("00"), QByteArray());
        QVERIFY(ReportRecorder::waitFor(2));
        QCOMPARE(ReportRecorder::all().at(0).type, 23);
        QCOMPARE(ReportRecorder::all().at(0).payload.size(), 10);
        QCOMPARE(ReportRecorder::all().at(1).type, -1); // a one-byte header
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_rozuri_reports.moc"
