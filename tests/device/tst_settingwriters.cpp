#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using Writer = std::function<bool()>;
using Changes = QList<QPair<int, int>>;
Q_DECLARE_METATYPE(Writer)
Q_DECLARE_METATYPE(Changes)

namespace {

// A record whose every byte differs from its neighbours, so that a writer
// touching a byte it should not shows up.
FlashDataMap PatternRecord()
{
    FlashDataMap map;
    auto* bytes = reinterpret_cast<unsigned char*>(&map);
    for (size_t i = 0; i < sizeof(map); ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + 3) & 0xFF);
    return map;
}

QByteArray Bytes(const FlashDataMap& map)
{
    return QByteArray(reinterpret_cast<const char*>(&map), sizeof(map));
}

QByteArray LastSentRecord()
{
    const QList<QJsonObject> updates = SimulatedDeviceControl::calls("ProtocolDataUpdate");
    if (updates.isEmpty())
        return QByteArray();
    return QByteArray::fromHex(updates.last().value("record").toString().toLatin1());
}

DpiLevelEntry Entry(int base)
{
    return DpiLevelEntry{uint8_t(base), uint8_t(base + 1), uint8_t(base + 2),
                         uint8_t(base + 3), uint8_t(base + 4), uint8_t(base + 5)};
}

} // namespace

class TestSettingWriters : public QObject {
    Q_OBJECT
private:
    void Reset()
    {
        buttonPageFilling = false;
        lightPageFilling = false;
        sensorPageFilling = false;
        SimulatedDeviceControl::setOnline("drive1", true);
        CurrentFlashMapLock lock;
        lock.Map() = PatternRecord();
        SimulatedDeviceControl::clearCalls();
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(DEVICE_FIXTURES "/one_mouse.json", &error), qPrintable(error));
        const QByteArray path = SimulatedDeviceControl::pathOf("receiver4k").toLatin1();
        CurrentDevice::SetPath(path);
        // The library stores a record only on the device its server talks to.
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), nullptr));
    }

    void cleanupTestCase() { UsbServer_Exit(); }

    void init() { Reset(); }

    void writerSendsItsFieldGroup_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<Changes>("changes");
        using S = DeviceSettingSetters;
        QTest::newRow("report rate") << Writer([] { return S::SetReportRate(64); }) << Changes{{0, 64}};
        QTest::newRow("current DPI level") << Writer([] { return S::SetCurrentDpiLevel(3); }) << Changes{{2, 3}};
        QTest::newRow("DPI value") << Writer([] { return S::SetDpiLevelValue(2, 0x11, 0x12, 0x33); })
                                   << Changes{{48, 0x11}, {49, 0x12}, {50, 0x33}};
        QTest::newRow("DPI colour") << Writer([] { return S::SetDpiLevelColor(7, 1, 2, 3); })
                                    << Changes{{81, 1}, {82, 2}, {83, 3}};
        QTest::newRow("20K frame rate") << Writer([] { return S::SetKfps20(1); }) << Changes{{4, 1}};
        QTest::newRow("lift-off") << Writer([] { return S::SetLiftOffDistance(3); }) << Changes{{5, 3}};
        QTest::newRow("debounce") << Writer([] { return S::SetDebounceTime(8); }) << Changes{{6, 8}};
        QTest::newRow("motion sync") << Writer([] { return S::SetMotionSync(1); }) << Changes{{7, 1}};
        QTest::newRow("sleep time") << Writer([] { return S::SetSleepTime(240); }) << Changes{{8, 240}};
        QTest::newRow("straight line") << Writer([] { return S::SetStraightLine(1); }) << Changes{{9, 1}};
        QTest::newRow("ripple") << Writer([] { return S::SetRippleControl(0); }) << Changes{{10, 0}};
        QTest::newRow("moving off light") << Writer([] { return S::SetMovingOffLight(1); }) << Changes{{11, 1}};
        QTest::newRow("performance mode") << Writer([] { return S::SetPerformanceMode(1); }) << Changes{{12, 1}};
        QTest::newRow("performance time") << Writer([] { return S::SetPerformanceTime(90); }) << Changes{{13, 90}};
        QTest::newRow("sensor mode") << Writer([] { return S::SetSensorMode(2); }) << Changes{{14, 2}};
        QTest::newRow("angle -30") << Writer([] { return S::SetAngleMove(-30); }) << Changes{{15, 0xE2}, {16, 1}};
        QTest::newRow("angle 30") << Writer([] { return S::SetAngleMove(30); }) << Changes{{15, 30}, {16, 1}};
        QTest::newRow("DPI led on") << Writer([] { return S::SetDpiLedMode(2); }) << Changes{{84, 2}, {87, 1}};
        QTest::newRow("DPI led off") << Writer([] { return S::SetDpiLedMode(0); }) << Changes{{87, 0}};
        QTest::newRow("DPI led brightness") << Writer([] { return S::SetDpiLedBrightness(255); }) << Changes{{85, 255}};
        QTest::newRow("DPI led speed") << Writer([] { return S::SetDpiLedSpeed(5); }) << Changes{{86, 5}};
        QTest::newRow("light bar on") << Writer([] { return S::SetLedBarMode(6); }) << Changes{{88, 6}, {94, 1}};
        QTest::newRow("light bar off") << Writer([] { return S::SetLedBarMode(0); }) << Changes{{94, 0}};
        QTest::newRow("light bar colour") << Writer([] { return S::SetLedBarColor(10, 20, 30); })
                                          << Changes{{89, 10}, {90, 20}, {91, 30}};
        QTest::newRow("light bar speed") << Writer([] { return S::SetLedBarSpeed(9); }) << Changes{{92, 9}};
        QTest::newRow("light bar brightness") << Writer([] { return S::SetLedBarBrightness(0); }) << Changes{{93, 0}};
        QTest::newRow("button function low byte") << Writer([] { return S::SetButtonFunction(15, 4, 0x1FF, 3); })
                                                  << Changes{{140, 4}, {141, 0xFF}, {142, 3}};
    }
    void writerSendsItsFieldGroup()
    {
        QFETCH(Writer, writer);
        QFETCH(Changes, changes);
        QByteArray expected = Bytes(PatternRecord());
        for (const auto& change : changes)
            expected[change.first] = static_cast<char>(change.second);

        QVERIFY(writer());

        const QByteArray sent = LastSentRecord();
        QCOMPARE(sent.size(), 10448);
        for (int i = 0; i < sent.size(); ++i) {
            if (sent.at(i) != expected.at(i))
                QFAIL(qPrintable(QStringLiteral("offset %1: sent %2, expected %3")
                                     .arg(i).arg(quint8(sent.at(i))).arg(quint8(expected.at(i)))));
        }
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), expected);
        QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 1);
    }

    void dpiLevelPairWritesEntryJThenIThenLevels()
    {
        QVERIFY(DeviceSettingSetters::SetDpiLevelPair(Entry(100), Entry(200), 1, 5, 4));
        const QByteArray sent = LastSentRecord();
        QByteArray expected = Bytes(PatternRecord());
        for (int k = 0; k < 6; ++k) {
            expected[36 + 6 * 5 + k] = char(100 + k);
            expected[36 + 6 * 1 + k] = char(200 + k);
        }
        expected[2] = 4;
        expected[1] = 5;
        QCOMPARE(sent, expected);

        // The same index for both: the second entry wins.
        Reset();
        QVERIFY(DeviceSettingSetters::SetDpiLevelPair(Entry(100), Entry(200), 3, 3, 0));
        const QByteArray same = LastSentRecord();
        QCOMPARE(same.mid(36 + 18, 6), QByteArray("\xc8\xc9\xca\xcb\xcc\xcd", 6));
        QCOMPARE(int(quint8(same.at(1))), 1);
        QCOMPARE(int(quint8(same.at(2))), 0);
    }

    void blocksReplaceHeaderAndWholeBlock()
    {
        KeyBlock keys{};
        keys.eventCount = 2;
        keys.events[1].delay[0] = 10;
        QVERIFY(DeviceSettingSetters::SetButtonKeyBlock(3, ButtonFunctionHeader{5, 0, 0}, keys));
        QByteArray sent = LastSentRecord();
        QCOMPARE(sent.mid(95 + 9, 3), QByteArray("\x05\x00\x00", 3));
        QCOMPARE(sent.mid(144 + 52 * 3, 52), QByteArray(reinterpret_cast<const char*>(&keys), 52));
        QCOMPARE(sent.mid(144 + 52 * 4, 52), Bytes(PatternRecord()).mid(144 + 52 * 4, 52));

        Reset();
        MacroBlock macro{};
        macro.nameLength = 2;
        macro.name[0] = 'M';
        macro.name[1] = '1';
        macro.eventCount = 2;
        QVERIFY(DeviceSettingSetters::SetButtonMacro(3, ButtonFunctionHeader{6, 3, 254}, macro));
        sent = LastSentRecord();
        QCOMPARE(sent.mid(95 + 9, 3), QByteArray("\x06\x03\xfe", 3));
        QCOMPARE(sent.mid(976 + 592 * 3, 592), QByteArray(reinterpret_cast<const char*>(&macro), 592));
        QCOMPARE(sent.mid(144, 52 * 16), Bytes(PatternRecord()).mid(144, 52 * 16));
    }

    void ledOffKeepsTheEffectForTheNextOn()
    {
        QVERIFY(DeviceSettingSetters::SetDpiLedMode(2));
        QVERIFY(DeviceSettingSetters::SetDpiLedMode(0));
        QCOMPARE(int(quint8(LastSentRecord().at(84))), 2);
        QCOMPARE(int(quint8(LastSentRecord().at(87))), 0);
        QVERIFY(DeviceSettingSetters::SetDpiLedMode(2));
        QCOMPARE(int(quint8(LastSentRecord().at(87))), 1);
    }

    void offlineWritesNothingAndAsksForTheNotice()
    {
        SimulatedDeviceControl::setOnline("drive1", false);
        SimulatedDeviceControl::clearCalls();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(!DeviceSettingSetters::SetReportRate(1));
        QVERIFY(!DeviceSettingSetters::IsDeviceOnline());
        QCOMPARE(offline.size(), 2);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
        QVERIFY(SimulatedDeviceControl::calls("ProtocolDataUpdate").isEmpty());
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
    }

    void offlineWhileAPageFillsStaysQuiet_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("button page") << 0;
        QTest::newRow("lighting page") << 1;
        QTest::newRow("sensor page") << 2;
    }
    void offlineWhileAPageFillsStaysQuiet()
    {
        QFETCH(int, page);
        SimulatedDeviceControl::setOnline("drive1", false);
        (page == 0 ? buttonPageFilling : page == 1 ? lightPageFilling : sensorPageFilling) = true;
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(!DeviceSettingSetters::SetSensorMode(1));
        QCOMPARE(offline.size(), 0);
    }

    // A hold keeps the notice back, not the write; the notice comes again
    // once the last hold is gone.
    void aNoticeHoldStopsTheNoticeButNotTheWrite()
    {
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        {
            const DeviceSettingSetters::OfflineNoticeHold outer;
            QVERIFY(DeviceSettingSetters::SetSensorMode(1));
            QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 1);
            SimulatedDeviceControl::setOnline("drive1", false);
            {
                const DeviceSettingSetters::OfflineNoticeHold inner;
                QVERIFY(!DeviceSettingSetters::SetSensorMode(0));
            }
            QVERIFY(!DeviceSettingSetters::SetSensorMode(0));
            QCOMPARE(offline.size(), 0);
        }
        QVERIFY(!DeviceSettingSetters::SetSensorMode(0));
        QCOMPARE(offline.size(), 1);
        QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 1);
    }

    void indexOutOfRangeIsRefusedWithoutTouchingTheDevice_data()
    {
        QTest::addColumn<Writer>("writer");
        using S = DeviceSettingSetters;
        QTest::newRow("button 16") << Writer([] { return S::SetButtonFunction(16, 1, 1, 0); });
        QTest::newRow("button -1") << Writer([] { return S::SetButtonFunction(-1, 1, 1, 0); });
        QTest::newRow("key block 16") << Writer([] { return S::SetButtonKeyBlock(16, {}, KeyBlock{}); });
        QTest::newRow("macro 99") << Writer([] { return S::SetButtonMacro(99, {}, MacroBlock{}); });
        QTest::newRow("DPI value 8") << Writer([] { return S::SetDpiLevelValue(8, 1, 1, 0); });
        QTest::newRow("DPI colour -1") << Writer([] { return S::SetDpiLevelColor(-1, 1, 1, 1); });
        QTest::newRow("DPI pair i 8") << Writer([] { return S::SetDpiLevelPair({}, {}, 8, 0, 0); });
        QTest::newRow("DPI pair j 8") << Writer([] { return S::SetDpiLevelPair({}, {}, 0, 8, 0); });
    }
    void indexOutOfRangeIsRefusedWithoutTouchingTheDevice()
    {
        QFETCH(Writer, writer);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(!writer());
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
        QCOMPARE(offline.size(), 0);
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
    }

    // The mouse answers the online check and is gone before the record
    // reaches it: the writer says so, the user is told once, and the
    // program's record stays what the mouse still holds.
    void aSendTheMouseMissesLeavesTheRecordAsTheMouseHoldsIt_data()
    {
        QTest::addColumn<Writer>("writer");
        using S = DeviceSettingSetters;
        QTest::newRow("report rate") << Writer([] { return S::SetReportRate(64); });
        QTest::newRow("DPI value") << Writer([] { return S::SetDpiLevelValue(2, 0x11, 0x12, 0x33); });
        QTest::newRow("DPI level pair") << Writer([] { return S::SetDpiLevelPair(Entry(100), Entry(200), 1, 5, 4); });
        QTest::newRow("light bar brightness") << Writer([] { return S::SetLedBarBrightness(0); });
        QTest::newRow("DPI led off") << Writer([] { return S::SetDpiLedMode(0); });
        QTest::newRow("button header") << Writer([] { return S::SetButtonFunction(3, 4, 0x21, 3); });
        QTest::newRow("button macro") << Writer([] {
            MacroBlock macro{};
            macro.nameLength = 1;
            macro.name[0] = 'M';
            return S::SetButtonMacro(3, ButtonFunctionHeader{6, 3, 254}, macro);
        });
    }
    void aSendTheMouseMissesLeavesTheRecordAsTheMouseHoldsIt()
    {
        QFETCH(Writer, writer);
        QVERIFY(DeviceSettingSetters::SendProtocolRecord());
        const QByteArray held = SimulatedDeviceControl::flashImage("drive1");
        QCOMPARE(held, FlashImageCodec::encode(Bytes(PatternRecord())));
        SimulatedDeviceControl::clearCalls();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));

        SimulatedDeviceControl::dropAfterOnlineAnswers("drive1", 1);
        QVERIFY(!writer());

        QCOMPARE(SimulatedDeviceControl::calls("ProtocolDataUpdate").size(), 1);
        QCOMPARE(SimulatedDeviceControl::flashImage("drive1"), held);
        QCOMPARE(Bytes(CurrentFlashMapLock::Snapshot()), Bytes(PatternRecord()));
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
    }

    void aRecordTheMouseDoesNotTakeIsReported()
    {
        SimulatedDeviceControl::setOnline("drive1", false);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(!DeviceSettingSetters::SendProtocolRecord());
        QCOMPARE(offline.size(), 1);

        // Not while a page fills from device data.
        buttonPageFilling = true;
        QVERIFY(!DeviceSettingSetters::SendProtocolRecord());
        QCOMPARE(offline.size(), 1);
    }

    void sendProtocolRecordSendsWithoutAsking()
    {
        SimulatedDeviceControl::setOnline("drive1", false);
        SimulatedDeviceControl::clearCalls();
        DeviceSettingSetters::SendProtocolRecord();
        QVERIFY(SimulatedDeviceControl::calls("UsbFinderC_GetDeviceOnLine").isEmpty());
        QCOMPARE(LastSentRecord(), Bytes(PatternRecord()));
    }
};

QTEST_GUILESS_MAIN(TestSettingWriters)
#include "tst_settingwriters.moc"
