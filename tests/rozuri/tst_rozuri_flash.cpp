// The device record <-> flash image mapping and the record's way to the mouse.
#include "RozuriTestSupport.h"

#include "device/FlashDataMap.h"
#include "platform/rozuri/FlashImageCodec.h"

#include <QRandomGenerator>
#include <atomic>
#include <cstring>

namespace {

QByteArray parse(const QByteArray &image, bool *ok)
{
    QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\x5A');
    *ok = ProtocolDataParser(reinterpret_cast<const unsigned char *>(image.constData()),
                             reinterpret_cast<unsigned char *>(record.data())) != 0;
    return record;
}

QByteArray roundTrip(const QByteArray &record)
{
    bool ok = false;
    const QByteArray back = parse(FlashImageCodec::encode(record), &ok);
    return ok ? back : QByteArray();
}

void putEvent(FlashDataMap &map, int button, int slot, uint8_t action, uint8_t kind, uint16_t usage, uint32_t delay)
{
    KeyEvent &e = map.macroBlocks[button].events[slot];
    e.action = action;
    e.kind = kind;
    e.usage[0] = usage & 0xFF;
    e.usage[1] = usage >> 8;
    for (int i = 0; i < 4; ++i)
        e.delay[i] = (delay >> (8 * i)) & 0xFF;
}

QByteArray bytesOf(const FlashDataMap &map)
{
    return QByteArray(reinterpret_cast<const char *>(&map), sizeof map);
}

// A macro as the macro page writes it: name, events in use, zeros after.
void putMacro(FlashDataMap &map, int button, const QByteArray &name, int events, QRandomGenerator &random)
{
    MacroBlock &m = map.macroBlocks[button];
    m.nameLength = static_cast<uint8_t>(name.size());
    std::memcpy(m.name, name.constData(), static_cast<size_t>(name.size()));
    m.eventCount = static_cast<uint8_t>(events);
    static const uint8_t kinds[] = {0, 1, 2, 4};
    for (int k = 0; k < events; ++k)
        putEvent(map, button, k, k % 2, kinds[random.bounded(4)], static_cast<uint16_t>(random.bounded(0x300)),
                 random.bounded(2000));
}

} // namespace

class TestFlash : public QObject {
    Q_OBJECT

private slots:
    void offsetsAgreeWithTheProgramsRecord()
    {
        QCOMPARE(sizeof(FlashDataMap), std::size_t(FlashImageCodec::kRecordSize));
        QCOMPARE(std::size_t(ROZ_DEVICE_RECORD_SIZE), sizeof(FlashDataMap));
        QCOMPARE(offsetof(FlashDataMap, reportRate), FlashImageCodec::kReportRate);
        QCOMPARE(offsetof(FlashDataMap, dpiLevelCount), FlashImageCodec::kDpiLevelCount);
        QCOMPARE(offsetof(FlashDataMap, currentDpiLevel), FlashImageCodec::kCurrentDpiLevel);
        QCOMPARE(offsetof(FlashDataMap, dpiLevels), FlashImageCodec::kDpiLevels);
        QCOMPARE(sizeof(DpiLevelEntry), FlashImageCodec::kDpiLevelSize);
        QCOMPARE(offsetof(FlashDataMap, dpiLed), FlashImageCodec::kDpiLed);
        QCOMPARE(offsetof(FlashDataMap, ledBar), FlashImageCodec::kLedBar);
        QCOMPARE(offsetof(FlashDataMap, buttons), FlashImageCodec::kButtonHeaders);
        QCOMPARE(offsetof(FlashDataMap, gap143), FlashImageCodec::kGap);
        QCOMPARE(offsetof(FlashDataMap, keyBlocks), FlashImageCodec::kKeyBlocks);
        QCOMPARE(sizeof(KeyBlock), FlashImageCodec::kKeyBlockSize);
        QCOMPARE(offsetof(FlashDataMap, macroBlocks), FlashImageCodec::kMacroBlocks);
        QCOMPARE(sizeof(MacroBlock), FlashImageCodec::kMacroBlockSize);
        QCOMPARE(offsetof(MacroBlock, eventCount), FlashImageCodec::kMacroEventCount);
        QCOMPARE(offsetof(MacroBlock, events), FlashImageCodec::kMacroEvents);
        QCOMPARE(sizeof(KeyEvent), FlashImageCodec::kEventSize);
    }

    void recordSurvivesTheImage_data()
    {
        QTest::addColumn<QByteArray>("record");
        QRandomGenerator random(7);

        QTest::newRow("factory record") << FlashImageCodec::defaultRecord();

        FlashDataMap all{};
        // Every byte before the macros, reserved bytes and gap included.
        for (std::size_t i = 0; i < offsetof(FlashDataMap, macroBlocks); ++i)
            reinterpret_cast<uint8_t *>(&all)[i] = static_cast<uint8_t>(random.bounded(256));
        all.angle = -30;
        QTest::newRow("every setting byte, key blocks") << bytesOf(all);

        FlashDataMap macros{};
        for (int b = 0; b < 12; ++b)
            putMacro(macros, b, QByteArray("macro ") + QByteArray::number(b), 20 + b, random);
        putMacro(macros, 3, QByteArray(30, 'N'), 70, random);
        QTest::newRow("twelve macros, one full") << bytesOf(macros);

        FlashDataMap odd{};
        putEvent(odd, 0, 0, 7, 9, 0xFFFF, 0xFFFFFFFF); // not a form the program writes
        putEvent(odd, 0, 1, 1, 4, 0x8000, 0x10000000);
        odd.macroBlocks[0].eventCount = 200;
        odd.macroBlocks[0].name[29] = 'z'; // past the stated name length
        odd.macroBlocks[0].nameLength = 1;
        putEvent(odd, 15, 69, 0, 0, 0, 1); // leftover past the event count
        QTest::newRow("odd values and leftovers") << bytesOf(odd);
    }

    void recordSurvivesTheImage()
    {
        QFETCH(QByteArray, record);
        const QByteArray back = roundTrip(record);
        QCOMPARE(back.size(), record.size());
        for (int i = 0; i < record.size(); ++i) {
            if (back.at(i) != record.at(i))
                QFAIL(qPrintable(QStringLiteral("byte %1 differs").arg(i)));
        }
    }

    void fullMacrosAreClampedAtTheEnd()
    {
        FlashDataMap map{};
        QRandomGenerator random(11);
        for (int b = 0; b < 16; ++b) {
            map.macroBlocks[b].nameLength = 30;
            std::memset(map.macroBlocks[b].name, 'a' + b, 30);
            map.macroBlocks[b].eventCount = 70;
            for (int k = 0; k < 70; ++k)
                putEvent(map, b, k, k % 2, 1, 0x2000 + random.bounded(0x1000), 100000 + random.bounded(1000000));
        }
        FlashDataMap back{};
        const QByteArray bytes = roundTrip(bytesOf(map));
        QCOMPARE(bytes.size(), int(sizeof back));
        std::memcpy(&back, bytes.constData(), sizeof back);

        int firstClamped = -1;
        for (int b = 0; b < 16; ++b) {
            const MacroBlock &m = back.macroBlocks[b];
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(m.name), 30), QByteArray(30, char('a' + b)));
            if (m.eventCount < 70 && firstClamped < 0)
                firstClamped = b;
            // Kept events are exact; dropped ones read back as zero.
            QCOMPARE(std::memcmp(m.events, map.macroBlocks[b].events, m.eventCount * sizeof(KeyEvent)), 0);
            for (int k = m.eventCount; k < 70; ++k)
                QCOMPARE(m.events[k].kind + m.events[k].usage[0] + m.events[k].delay[0], 0);
            if (firstClamped >= 0 && b > firstClamped)
                QVERIFY(m.eventCount <= back.macroBlocks[firstClamped].eventCount);
        }
        QVERIFY(firstClamped > 0);
        QCOMPARE(std::memcmp(&back, &map, offsetof(FlashDataMap, macroBlocks)), 0);
    }

    void badImagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("image");
        const QByteArray good = FlashImageCodec::encode(FlashImageCodec::defaultRecord());
        QByteArray flipped = good;
        flipped[3000] = static_cast<char>(flipped.at(3000) ^ 0x40);
        QTest::newRow("one byte changed") << flipped;
        QTest::newRow("zeros") << QByteArray(ROZ_FLASH_IMAGE_SIZE, '\0');
        QByteArray otherLayout = good;
        otherLayout[2] = 9;
        QTest::newRow("unknown layout") << otherLayout;
    }

    void badImagesAreRefused()
    {
        QFETCH(QByteArray, image);
        bool ok = true;
        const QByteArray record = parse(image, &ok);
        QVERIFY(!ok);
        QCOMPARE(record, QByteArray(ROZ_DEVICE_RECORD_SIZE, '\x5A')); // untouched
    }

    void shortDeliveredImageIsRefused()
    {
        loadFixture(QStringLiteral("receivers_and_cable.json"));
        static std::atomic<int> result{-1};
        result = -1;
        UsbServerC_Start(pathOf("r4k").constData(), pathOf("r4k").constData(),
                         [](const unsigned char *, int, const unsigned char *payload, int) {
                             unsigned char record[ROZ_DEVICE_RECORD_SIZE];
                             result = ProtocolDataParser(payload, record);
                         });
        const QByteArray good = FlashImageCodec::encode(FlashImageCodec::defaultRecord());
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8), good.left(6000));
        QTRY_COMPARE(result.load(), 0);
        result = -1;
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8), good);
        QTRY_COMPARE(result.load(), 1);
        UsbServer_Exit();
    }

    void writtenRecordComesBackInTheNextDump()
    {
        loadFixture(QStringLiteral("receivers_and_cable.json"));
        const QByteArray path = pathOf("r4k");
        ReportRecorder::clear();
        UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
        FlashDataMap map{};
        std::memcpy(&map, FlashImageCodec::defaultRecord().constData(), sizeof map);
        map.reportRate = 64;
        map.angle = -30;
        map.angleSet = 1;
        map.reserved17[4] = 0x99;
        map.ledBar.on = 0;
        QVERIFY(ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(&map)));
        QVERIFY(UsbServer_ReadAllFlashData());
        QVERIFY(ReportRecorder::waitFor(1));
        const ReportRecorder::Report dump = ReportRecorder::all().first();
        QCOMPARE(dump.type, 8);
        QCOMPARE(dump.sub, 0);
        QCOMPARE(dump.payload.size(), ROZ_FLASH_IMAGE_SIZE);
        bool ok = false;
        QCOMPARE(parse(dump.payload, &ok), bytesOf(map));
        QVERIFY(ok);
        QCOMPARE(static_cast<quint8>(parse(dump.payload, &ok).at(15)), quint8(0xE2));
        // The update itself answered nothing.
        QCOMPARE(ReportRecorder::all().size(), 1);
        UsbServer_Exit();
    }

    void updateIsRefusedWhenTheMouseDoesNotAnswer()
    {
        loadFixture(QStringLiteral("receivers_and_cable.json"));
        const QByteArray path = pathOf("r4k");
        const QByteArray before = SimulatedDeviceControl::flashImage(QStringLiteral("wireless"));
        UsbServerC_Start(path.constData(), path.constData(), ReportRecorder::callback);
        SimulatedDeviceControl::setOnline(QStringLiteral("wireless"), false);
        QByteArray record(ROZ_DEVICE_RECORD_SIZE, '\x01');
        QVERIFY(!ProtocolDataUpdate(reinterpret_cast<const unsigned char *>(record.constData())));
        QCOMPARE(SimulatedDeviceControl::flashImage(QStringLiteral("wireless")), before);
        UsbServer_Exit();
    }

    void lightReportsDecodeIntoTheRecord()
    {
        const unsigned char dpiPayload[8] = {2, 128, 5, 1, 0, 0, 0, 0};
        const unsigned char barPayload[9] = {3, 10, 20, 30, 6, 7, 1, 0, 0};
        FlashDataMap map{};
        BufferToDPILed(dpiPayload, &map.dpiLed.effect);
        BufferToLedBar(barPayload, &map.ledBar.effect);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&map) + 84, 11), QByteArray::fromHex("02800501030a141e060701"));
        QCOMPARE(map.buttons[0].type, 0); // nothing past the bar
    }
};

QTEST_GUILESS_MAIN(TestFlash)
#include "tst_rozuri_flash.moc"
