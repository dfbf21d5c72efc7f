// Finding and identifying the devices of a scenario through the C interface.
#include "RozuriTestSupport.h"

#include <QElapsedTimer>
#include <cstring>

class TestDiscovery : public QObject {
    Q_OBJECT

private slots:
    void init() { loadFixture(QStringLiteral("receivers_and_cable.json")); }

    void findsDevicesByIds_data()
    {
        QTest::addColumn<QString>("vid");
        QTest::addColumn<QString>("pid");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("4 kHz receiver") << "1A2B" << "2104" << QStringList{"r4k"};
        QTest::newRow("ids compared without case") << "1a2b" << "2101" << QStringList{"r1k"};
        QTest::newRow("mouse on its cable") << "1A2B" << "2001" << QStringList{"corded"};
        QTest::newRow("no device with that pid") << "1A2B" << "2108" << QStringList{};
        QTest::newRow("other vendor") << "FFFF" << "2104" << QStringList{};
    }

    void findsDevicesByIds()
    {
        QFETCH(QString, vid);
        QFETCH(QString, pid);
        QFETCH(QStringList, names);
        int count = 5;
        const char *const *paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.toLatin1().constData(),
                                                                             pid.toLatin1().constData(), &count);
        QCOMPARE(count, names.size());
        QVERIFY(paths);
        for (int i = 0; i < count; ++i)
            QCOMPARE(QByteArray(paths[i]), pathOf(names.at(i)));

        int count2 = 5;
        UsbFinderC_FindHidDevicesByDeviceId(vid.toLatin1().constData(), pid.toLatin1().constData(), 1, 5, &count2);
        QCOMPARE(count2, count);
    }

    void countOnEntryLimitsTheAnswer()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"receivers":[{"name":"a","kind":1},{"name":"b","kind":1},{"name":"c","kind":1}]})"));
        int count = 2;
        const char *const *paths = UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count);
        QCOMPARE(count, 2);
        QCOMPARE(QByteArray(paths[1]), pathOf("b"));
        count = 0;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count);
        QCOMPARE(count, 0);
    }

    void pathsStayValidAfterTheDevicesChange()
    {
        int count = 5;
        const char *path = UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count)[0];
        const QByteArray copy(path);
        loadFixture(QStringLiteral("pairing.json"));
        count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2108", &count);
        QCOMPARE(QByteArray(path), copy);
    }

    void identifiesEachDevice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<bool>("online");
        QTest::newRow("receiver with its mouse") << "r4k" << QByteArray::fromHex("070101") << true;
        QTest::newRow("receiver without mouse") << "r1k" << QByteArray::fromHex("000000") << false;
        QTest::newRow("mouse on cable") << "corded" << QByteArray::fromHex("070202") << true;
    }

    void identifiesEachDevice()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, info);
        QFETCH(bool, online);
        const QByteArray path = pathOf(name);
        const unsigned char *answer = UsbFinderC_GetDeviceInfo(path.constData(), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(answer), 3), info);
        QCOMPARE(UsbFinderC_GetDeviceOnLine(path.constData()) != 0, online);
    }

    void nextIdentificationsAnswerNothing()
    {
        SimulatedDeviceControl::failNextIdentifications(9);
        const QByteArray path = pathOf("r4k");
        for (int i = 0; i < 9; ++i)
            QCOMPARE(UsbFinderC_GetDeviceInfo(path.constData(), 0)[0], 0);
        QCOMPARE(UsbFinderC_GetDeviceInfo(path.constData(), 0)[0], 7);
    }

    void attributesCarryIdsAndVersion()
    {
        unsigned char attr[12] = {};
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(pathOf("corded").constData(), attr));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(attr), 12), QByteArray::fromHex("0c0000002b1a01201a020000"));
        unsigned char none[12] = {};
        QVERIFY(!UsbFinderC_GetUsbDeviceAttribute("sim-hid://1a2b:2104/9", none));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(none), 12), QByteArray(12, '\0'));
    }

    void onlineStatusCarriesTheReceiverId_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("mouseOnline");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("receiver, mouse on") << "r4k" << true << QByteArray::fromHex("01010000000001112233");
        QTest::newRow("receiver, mouse off") << "r4k" << false << QByteArray::fromHex("01010000000000112233");
        QTest::newRow("receiver alone") << "r1k" << true << QByteArray::fromHex("01000000000000445566");
    }

    void onlineStatusCarriesTheReceiverId()
    {
        QFETCH(QString, name);
        QFETCH(bool, mouseOnline);
        QFETCH(QByteArray, status);
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), mouseOnline);
        unsigned char buffer[10];
        std::memset(buffer, 0xEE, sizeof buffer);
        const bool answered = UsbFinderC_GetDeviceOnLineWithUsbAddress(pathOf(name).constData(), buffer);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer), 10), status);
        QCOMPARE(answered, status.at(6) == 1);
    }

    void mouseOnItsCableLeavesTheReceiver()
    {
        SimulatedDeviceControl::plug(QStringLiteral("wireless"), true);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(pathOf("r4k").constData()));
        const QByteArray cable = pathOf("wireless");
        QVERIFY(UsbFinderC_GetDeviceOnLine(cable.constData()));
        unsigned char status[10] = {};
        UsbFinderC_GetDeviceOnLineWithUsbAddress(cable.constData(), status);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(status + 7), 3), QByteArray::fromHex("112233"));
        QCOMPARE(UsbFinderC_GetDeviceInfo(cable.constData(), 0)[2], 3);
    }

    void unpluggedDeviceIsGone()
    {
        SimulatedDeviceControl::plug(QStringLiteral("r4k"), false);
        int count = 5;
        UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count);
        QCOMPARE(count, 0);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(pathOf("r4k").constData()));
    }

    void versionsOfMouseAndReceiver()
    {
        QCOMPARE(UsbFinderC_GetVersion(pathOf("r4k").constData()), 0x0102);
        int version = 0;
        QVERIFY(UsbFinderC_GetSlaveVersion(pathOf("r4k").constData(), &version));
        QCOMPARE(version, 0x0105);
        QVERIFY(!UsbFinderC_GetSlaveVersion(pathOf("corded").constData(), &version));
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), false);
        QCOMPARE(UsbFinderC_GetVersion(pathOf("r4k").constData()), -1);
    }

    void longRangeModeIsKeptByTheMouse()
    {
        const QByteArray path = pathOf("r4k");
        unsigned char mode = 0x73;
        QVERIFY(UsbFinderC_GetLongRangeMode(path.constData(), &mode));
        QCOMPARE(mode, 1);
        UsbFinderC_SetLongRangeMode(path.constData(), 0);
        QVERIFY(UsbFinderC_GetLongRangeMode(path.constData(), &mode));
        QCOMPARE(mode, 0);
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), false);
        mode = 0x73;
        QVERIFY(!UsbFinderC_GetLongRangeMode(path.constData(), &mode));
        QCOMPARE(mode, 0x73);
    }

    void receiverLightingIsReadBackAsWritten()
    {
        const QByteArray path = pathOf("r4k");
        const unsigned char bar[7] = {5, 1, 2, 3, 0, 9, 1};
        QVERIFY(UsbFinderC_SetDongleRGBBarMode(path.constData(), bar));
        unsigned char read[7] = {};
        UsbFinderC_GetDongleRGBBarMode(path.constData(), read);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(read), 7), QByteArray(reinterpret_cast<const char *>(bar), 7));

        const unsigned char leds[3] = {3, 0, 2};
        QVERIFY(UsbFinderC_SetDongleIndicatorLed(path.constData(), leds));
        unsigned char ledsRead[3] = {};
        UsbFinderC_GetDongleIndicatorLed(path.constData(), ledsRead);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(ledsRead), 3), QByteArray::fromHex("030002"));

        unsigned char rgb[10] = {};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(path.constData(), rgb));
        QCOMPARE(rgb[0], 2);
        rgb[0] = 3;
        UsbFinderC_Set4KDongleRGB(path.constData(), rgb);
        unsigned char again[10] = {};
        UsbFinderC_Get4KDongleRGBValue(path.constData(), again);
        QCOMPARE(again[0], 3);
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(pathOf("r1k").constData(), again)); // only the 4 kHz one
    }

    void refusingReceiverKeepsItsLighting()
    {
        const QByteArray path = pathOf("r4k");
        SimulatedDeviceControl::setReceiverRefusesLighting(QStringLiteral("r4k"), true);
        const unsigned char bar[7] = {6, 9, 9, 9, 9, 9, 1};
        QVERIFY(!UsbFinderC_SetDongleRGBBarMode(path.constData(), bar));
        const unsigned char leds[3] = {0, 0, 0};
        QVERIFY(!UsbFinderC_SetDongleIndicatorLed(path.constData(), leds));
        unsigned char read[7] = {};
        UsbFinderC_GetDongleRGBBarMode(path.constData(), read);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(read), 7), QByteArray::fromHex("020a141e040901"));
    }

    void clockPacketIsEchoedByAScreenMouse()
    {
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"mice":[{"name":"screen","cid":7,"mid":1,"cablePlugged":true,"screen":true},
                        {"name":"plain","pid":"2002","cid":7,"mid":1,"cablePlugged":true}]})"));
        unsigned char packet[40] = {0x0A, 0x00, 0x10, 0x07, 0xE9, 0x04, 0x09, 0x0E, 0x05, 0x1E, 0x03};
        quint8 sum = 0;
        for (int i = 0; i < 39; ++i)
            sum = static_cast<quint8>(sum + packet[i]);
        packet[39] = static_cast<quint8>(0x55 - sum);
        unsigned char reply[40] = {};
        QVERIFY(UsbFinderC_OpenDevice(pathOf("screen").constData()));
        QVERIFY(UsbFinderC_ReadWriteDeviceData(packet, reply, 40));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(reply), 40), QByteArray(reinterpret_cast<char *>(packet), 40));

        packet[39] ^= 1; // bad checksum
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(packet, reply, 40));
        packet[39] ^= 1;
        QVERIFY(UsbFinderC_OpenDevice(pathOf("plain").constData()));
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(packet, reply, 40));
    }

    void exchangesFailAsScripted_data()
    {
        QTest::addColumn<bool>("fromScenario");
        QTest::newRow("control interface") << false;
        QTest::newRow("scenario file") << true;
    }

    void exchangesFailAsScripted()
    {
        QFETCH(bool, fromScenario);
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            fromScenario ? QByteArray(R"({"options":{"failExchanges":2},
                                         "mice":[{"name":"screen","cid":7,"mid":1,"cablePlugged":true,"screen":true}]})")
                         : QByteArray(R"({"mice":[{"name":"screen","cid":7,"mid":1,"cablePlugged":true,"screen":true}]})")));
        if (!fromScenario)
            SimulatedDeviceControl::failNextExchanges(2);
        unsigned char packet[40] = {0x0A, 0x00, 0x10, 0x07, 0xE9};
        quint8 sum = 0;
        for (int i = 0; i < 39; ++i)
            sum = static_cast<quint8>(sum + packet[i]);
        packet[39] = static_cast<quint8>(0x55 - sum);
        QVERIFY(UsbFinderC_OpenDevice(pathOf("screen").constData()));
        for (int attempt = 0; attempt < 3; ++attempt) {
            unsigned char reply[40] = {};
            UsbFinderC_ReadWriteDeviceData(packet, reply, 40);
            QCOMPARE(QByteArray(reinterpret_cast<char *>(reply), 39), QByteArray(reinterpret_cast<char *>(packet), 39));
            // Two garbled echoes (wrong checksum byte), then a true one.
            QCOMPARE(reply[39] == packet[39], attempt == 2);
        }
    }

    void defaultScenarioHasAMouseOnA4kReceiver()
    {
        QVERIFY(SimulatedDeviceControl::loadScenario(QStringLiteral(ROZURI_DEFAULT_SCENARIO)));
        int count = 5;
        const char *const *paths = UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count);
        QCOMPARE(count, 1);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(UsbFinderC_GetDeviceInfo(paths[0], 0)), 3),
                 QByteArray::fromHex("070101"));
        QVERIFY(UsbFinderC_GetDeviceOnLine(paths[0]));
    }

    void badScenariosAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not json") << QByteArray("{receivers:");
        QTest::newRow("duplicate names") << QByteArray(R"({"mice":[{"name":"a"},{"name":"a"}]})");
    }

    void badScenariosAreRefused()
    {
        QFETCH(QByteArray, json);
        QString error;
        QVERIFY(!SimulatedDeviceControl::loadScenarioJson(json, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(UsbFinderC_GetDeviceOnLine(pathOf("r4k").constData())); // the old devices stay
    }

    void callsAreKeptOnlyWhenAsked()
    {
        SimulatedDeviceControl::clearCalls();
        SimulatedDeviceControl::keepCalls(false);
        UsbFinderC_GetDeviceOnLine(pathOf("r4k").constData());
        const int unasked = SimulatedDeviceControl::calls().size();
        SimulatedDeviceControl::keepCalls(true);
        QCOMPARE(unasked, 0);
        QCOMPARE(SimulatedDeviceControl::callLogBytes(), qint64(0));
        UsbFinderC_GetDeviceOnLine(pathOf("r4k").constData());
        QCOMPARE(SimulatedDeviceControl::calls().size(), 1);
    }

    // Milliseconds one call takes, with the devices of a scenario that
    // answers each request after 300 ms (wide apart, for a loaded machine).
    void requestLatency_data()
    {
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<bool>("delayed");
        QTest::newRow("online test") << QByteArray("online") << true;
        QTest::newRow("identification") << QByteArray("info") << true;
        QTest::newRow("receiver lighting") << QByteArray("bar") << true;
        QTest::newRow("server read") << QByteArray("read") << true;
        QTest::newRow("enumeration") << QByteArray("find") << false;
        QTest::newRow("USB attributes") << QByteArray("attr") << false;
    }

    void requestLatency()
    {
        QFETCH(QByteArray, call);
        QFETCH(bool, delayed);
        qunsetenv("NK_SIM_LATENCY_MS");
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(
            R"({"latencyMs": 300, "receivers":[{"name":"r","kind":1}],"mice":[{"name":"m","receiver":"r"}]})"));
        QCOMPARE(SimulatedDeviceControl::latency(), 300);
        const QByteArray path = pathOf("r");
        UsbServerC_Start(path.constData(), path.constData(), nullptr);
        QElapsedTimer clock;
        clock.start();
        unsigned char bytes[16] = {};
        int count = 2;
        if (call == "online")
            QVERIFY(UsbFinderC_GetDeviceOnLine(path.constData()));
        else if (call == "info")
            UsbFinderC_GetDeviceInfo(path.constData(), 0);
        else if (call == "bar")
            QVERIFY(UsbFinderC_GetDongleRGBBarMode(path.constData(), bytes));
        else if (call == "read")
            QVERIFY(UsbServer_ReadCurrentDPI());
        else if (call == "find")
            QCOMPARE((UsbFinderC_FindHidDevicesByDefaultDeviceId("1A2B", "2104", &count), count), 1);
        else if (call == "attr")
            QVERIFY(UsbFinderC_GetUsbDeviceAttribute(path.constData(), bytes));
        const qint64 took = clock.elapsed();
        UsbServer_Exit();
        if (delayed)
            QVERIFY2(took >= 300, qPrintable(QString::number(took)));
        else
            QVERIFY2(took < 150, qPrintable(QString::number(took)));
    }

    void latencyVariableOverridesTheScenario()
    {
        qputenv("NK_SIM_LATENCY_MS", "0");
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({"latencyMs": 500, "receivers":[{"name":"r","kind":1}]})"));
        QCOMPARE(SimulatedDeviceControl::latency(), 0);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!UsbFinderC_GetDeviceOnLine(pathOf("r").constData())); // no mouse behind it
        QVERIFY(clock.elapsed() < 400);

        qputenv("NK_SIM_LATENCY_MS", "40");
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({"receivers":[{"name":"r","kind":1}]})"));
        QCOMPARE(SimulatedDeviceControl::latency(), 40);
        qunsetenv("NK_SIM_LATENCY_MS");
        QVERIFY(SimulatedDeviceControl::loadScenarioJson(R"({"receivers":[{"name":"r","kind":1}]})"));
        QCOMPARE(SimulatedDeviceControl::latency(), 0); // default
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_rozuri_discovery.moc"
