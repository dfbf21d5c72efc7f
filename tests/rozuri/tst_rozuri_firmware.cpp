// Boot-device search and firmware upgrade with its status callback.
#include "RozuriTestSupport.h"

#include <QThread>

namespace {

QByteArray makeImage(int target, int cid, int mid, int major, int minor, int length = 4096)
{
    QByteArray image(length, '\0');
    if (length > 0x16) {
        image[0x10] = static_cast<char>(minor);
        image[0x11] = static_cast<char>(major);
        image[0x14] = static_cast<char>(target);
        image[0x15] = static_cast<char>(cid);
        image[0x16] = static_cast<char>(mid);
    }
    return image;
}

struct Block {
    QByteArray bytes;
    RozFirmwareImage image;
    explicit Block(const QByteArray &b) : bytes(b)
    {
        image.bytes = reinterpret_cast<const unsigned char *>(bytes.constData());
        image.length = bytes.size();
    }
};

struct StatusLog {
    std::mutex mutex;
    QList<QByteArray> statuses;
    bool offMainThread = true;
    QThread *main = nullptr;
};

StatusLog &statusLog()
{
    static StatusLog s;
    return s;
}

void onStatus(const unsigned char *status)
{
    StatusLog &s = statusLog();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (QThread::currentThread() == s.main)
        s.offMainThread = false;
    s.statuses.append(QByteArray(reinterpret_cast<const char *>(status), 3));
}

QList<QByteArray> statuses()
{
    std::lock_guard<std::mutex> lock(statusLog().mutex);
    return statusLog().statuses;
}

QByteArray lastStatus()
{
    const QList<QByteArray> s = statuses();
    return s.isEmpty() ? QByteArray() : s.last();
}

bool ended()
{
    const QList<QByteArray> s = statuses();
    return !s.isEmpty() && s.last().at(1) == 2;
}

} // namespace

class TestFirmware : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({
            "receivers": [{"name": "r4k", "kind": 1, "cid": 7, "mid": 1, "version": "0x0105"}],
            "mice": [{"name": "m", "cid": 7, "mid": 1, "receiver": "r4k", "cablePlugged": true, "version": "0x0102"}]
        })"));
        SimulatedDeviceControl::setTiming(20, 2);
        std::lock_guard<std::mutex> lock(statusLog().mutex);
        statusLog().statuses.clear();
        statusLog().offMainThread = true;
        statusLog().main = QThread::currentThread();
    }

    void bootDevicesThatFitTheImage_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("bootDevice");
        QTest::addColumn<int>("count");
        QTest::newRow("mouse image, mouse in boot mode") << makeImage(210, 7, 1, 1, 3) << "m" << 1;
        QTest::newRow("receiver image, mouse in boot mode") << makeImage(211, 7, 1, 1, 3) << "m" << 0;
        QTest::newRow("receiver image, receiver in boot mode") << makeImage(211, 7, 1, 1, 3) << "r4k" << 1;
        QTest::newRow("other MID") << makeImage(210, 7, 2, 1, 3) << "m" << 0;
        QTest::newRow("nothing in boot mode") << makeImage(210, 7, 1, 1, 3) << "" << 0;
        QTest::newRow("shorter than its header") << makeImage(210, 7, 1, 1, 3, 727) << "m" << 0;
    }

    void bootDevicesThatFitTheImage()
    {
        QFETCH(QByteArray, image);
        QFETCH(QString, bootDevice);
        QFETCH(int, count);
        if (!bootDevice.isEmpty())
            SimulatedDeviceControl::setBootMode(bootDevice, true);
        Block block(image);
        int found = 5;
        UsbUpgradeC_FindBootDevices(&block.image, &found);
        QCOMPARE(found, count);
    }

    void startIsRefused_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("shorter than its header") << makeImage(210, 7, 1, 1, 3, 100);
        QTest::newRow("no device of that model") << makeImage(210, 7, 9, 1, 3);
        QTest::newRow("neither mouse nor receiver") << makeImage(212, 7, 1, 1, 3);
    }

    void startIsRefused()
    {
        QFETCH(QByteArray, image);
        Block block(image);
        QVERIFY(!UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTest::qWait(50);
        QVERIFY(statuses().isEmpty());
        QVERIFY(!SimulatedDeviceControl::inBootMode(QStringLiteral("m")));
    }

    void mouseOnlyReceivesImagesOnItsCable()
    {
        SimulatedDeviceControl::plug(QStringLiteral("m"), false);
        Block block(makeImage(210, 7, 1, 1, 3));
        QVERIFY(!UsbUpgrade_Start(&block.image, onStatus, 10000));
    }

    void successfulUpgradeSetsTheVersion_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("target");
        QTest::addColumn<QByteArray>("vid_pid");
        QTest::newRow("mouse") << "m" << 210 << QByteArray("2001");
        QTest::newRow("receiver") << "r4k" << 211 << QByteArray("2104");
    }

    void successfulUpgradeSetsTheVersion()
    {
        QFETCH(QString, device);
        QFETCH(int, target);
        QFETCH(QByteArray, vid_pid);
        Block block(makeImage(target, 7, 1, 2, 0x1A));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QVERIFY(SimulatedDeviceControl::inBootMode(device));
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", vid_pid.constData(), &count);
        QCOMPARE(count, 0); // in boot mode it is not a normal device
        QTRY_VERIFY(ended());
        const QList<QByteArray> s = statuses();
        QCOMPARE(s.last(), QByteArray::fromHex("070201"));
        QCOMPARE(s.first(), QByteArray::fromHex("070100"));
        QCOMPARE(s.at(s.size() - 2), QByteArray::fromHex("070164"));
        for (int i = 1; i < s.size() - 1; ++i)
            QVERIFY(static_cast<quint8>(s[i].at(2)) > static_cast<quint8>(s[i - 1].at(2)));
        QVERIFY(statusLog().offMainThread);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(device), 0x021A);
        QVERIFY(!SimulatedDeviceControl::inBootMode(device));
        count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", vid_pid.constData(), &count);
        QCOMPARE(count, 1);
    }

    void failureAt40PercentLeavesBootMode()
    {
        SimulatedDeviceControl::setUpgradeFailure(40);
        Block block(makeImage(210, 7, 1, 2, 0));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_VERIFY(ended());
        const QList<QByteArray> s = statuses();
        QCOMPARE(s.last(), QByteArray::fromHex("070200"));
        QCOMPARE(s.at(s.size() - 2), QByteArray::fromHex("07011e")); // 30 % was the last progress
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("m")));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);

        // The mouse waits in boot mode for the next try, which succeeds.
        int found = 5;
        UsbUpgradeC_FindBootDevices(&block.image, &found);
        QCOMPARE(found, 1);
        SimulatedDeviceControl::setUpgradeFailure(-1);
        {
            std::lock_guard<std::mutex> lock(statusLog().mutex);
            statusLog().statuses.clear();
        }
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_VERIFY(ended());
        QCOMPARE(statuses().last(), QByteArray::fromHex("070201"));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0200);
    }

    void neverEndingUpgradeSendsNoEnd()
    {
        SimulatedDeviceControl::setUpgradeNeverEnds(true);
        Block block(makeImage(211, 7, 1, 2, 0));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTest::qWait(300);
        QVERIFY(!statuses().isEmpty());
        QVERIFY(!ended());
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("r4k")));
    }

    // A held upgrade waits half written, the device in boot mode, until the
    // test lets go; a reloaded world ends it without a report.
    void heldUpgradeWaitsUntilReleased()
    {
        SimulatedDeviceControl::holdUpgradeAt(40);
        Block block(makeImage(211, 7, 1, 2, 0));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_COMPARE(lastStatus(), QByteArray::fromHex("070128"));
        QTest::qWait(100);
        QCOMPARE(lastStatus(), QByteArray::fromHex("070128"));
        QVERIFY(SimulatedDeviceControl::inBootMode(QStringLiteral("r4k")));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        SimulatedDeviceControl::holdUpgradeAt(-1);
        QTRY_VERIFY(ended());
        QCOMPARE(lastStatus(), QByteArray::fromHex("070201"));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0200);

        init();
        SimulatedDeviceControl::holdUpgradeAt(20);
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_COMPARE(lastStatus(), QByteArray::fromHex("070114"));
        init(); // no hold in the new world
        QTest::qWait(100);
        QVERIFY(statuses().isEmpty());
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_VERIFY(ended());
        QCOMPARE(lastStatus(), QByteArray::fromHex("070201"));
    }

    void secondStageMayStartFromTheCallback()
    {
        static Block receiverImage(makeImage(211, 7, 1, 3, 0));
        static Block mouseImage(makeImage(210, 7, 1, 3, 1));
        static std::atomic<int> started{0};
        started = 0;
        QVERIFY(UsbUpgrade_Start(&receiverImage.image, [](const unsigned char *status) {
            onStatus(status);
            if (status[1] == 2 && status[2] == 1)
                started = UsbUpgrade_Start(&mouseImage.image, onStatus, 10000) ? 1 : 2;
        }, 10000));
        QTRY_COMPARE(started.load(), 1);
        QTRY_COMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0301);
        QTRY_COMPARE(statuses().last(), QByteArray::fromHex("070201"));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0300);
    }

    void refusedStartReportsNothing()
    {
        SimulatedDeviceControl::setUpgradeRefused(true);
        Block block(makeImage(210, 7, 1, 2, 0));
        QVERIFY(!UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTest::qWait(100);
        QVERIFY(statuses().isEmpty());
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0102);
        QVERIFY(!SimulatedDeviceControl::inBootMode(QStringLiteral("m")));
        SimulatedDeviceControl::setUpgradeRefused(false);
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_VERIFY(ended());
    }

    void vanishedDeviceFailsTheWriteAndLeavesTheEnumeration()
    {
        SimulatedDeviceControl::setUpgradeVanishes(30);
        const QByteArray path = SimulatedDeviceControl::pathOf(QStringLiteral("r4k")).toUtf8();
        QVERIFY(UsbFinderC_OpenDevice(path.constData()));
        Block block(makeImage(211, 7, 1, 2, 0));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_VERIFY(ended());
        QCOMPARE(statuses().last(), QByteArray::fromHex("070200"));
        QCOMPARE(statuses().size(), 4); // 0, 10, 20 % and the end
        QVERIFY(!UsbFinderC_OpenDevice(path.constData()));
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0105);
        QVERIFY(SimulatedDeviceControl::plug(QStringLiteral("r4k"), true));
        SimulatedDeviceControl::setUpgradeVanishes(-1);
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_COMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("r4k")), 0x0200);
    }

    void bootDeviceThatNeverAppearsFailsWithoutProgress()
    {
        SimulatedDeviceControl::setBootDeviceNeverAppears(true);
        Block block(makeImage(210, 7, 1, 2, 0));
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        int found = 5;
        UsbUpgradeC_FindBootDevices(&block.image, &found);
        QCOMPARE(found, 0);
        QTRY_VERIFY(ended());
        QCOMPARE(statuses().size(), 1);
        QCOMPARE(statuses().last(), QByteArray::fromHex("070200"));
        // Afterwards it is found in boot mode and can be written.
        found = 5;
        UsbUpgradeC_FindBootDevices(&block.image, &found);
        QCOMPARE(found, 1);
        SimulatedDeviceControl::setBootDeviceNeverAppears(false);
        QVERIFY(UsbUpgrade_Start(&block.image, onStatus, 10000));
        QTRY_COMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("m")), 0x0200);
    }

    void scenarioScriptsTheUpgradeOutcome_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("refuse") << "refuse" << false << QByteArray();
        QTest::newRow("fail") << "fail" << true << QByteArray::fromHex("070200");
        QTest::newRow("vanish") << "vanish" << true << QByteArray::fromHex("070200");
        QTest::newRow("no boot device") << "noBootDevice" << true << QByteArray::fromHex("070200");
        QTest::newRow("normal") << "normal" << true << QByteArray::fromHex("070201");
    }

    void scenarioScriptsTheUpgradeOutcome()
    {
        QFETCH(QString, outcome);
        QFETCH(bool, starts);
        QFETCH(QByteArray, end);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(QStringLiteral(R"({
            "options": {"upgrade": "%1", "upgradePercent": 40, "upgradeStepMs": 2},
            "mice": [{"name": "m", "cid": 7, "mid": 1, "cablePlugged": true, "version": "0x0102"}]
        })").arg(outcome).toUtf8()));
        Block block(makeImage(210, 7, 1, 2, 0));
        QCOMPARE(bool(UsbUpgrade_Start(&block.image, onStatus, 10000)), starts);
        if (!starts)
            return;
        QTRY_VERIFY(ended());
        QCOMPARE(statuses().last(), end);
    }
};

QTEST_GUILESS_MAIN(TestFirmware)
#include "tst_rozuri_firmware.moc"
