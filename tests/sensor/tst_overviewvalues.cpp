// What the sensor, button and settings pages tell the device overview when
// they are filled: the report rate, the lift-off distance, the current
// level's DPI, the debounce text and the firmware versions.

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DebounceTime.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/Sensor.h"
#include "settings/FormSetting.h"

#include <QSignalSpy>
#include <QtTest>

#include <cstring>

namespace {

FlashDataMap Record()
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    record.reportRate = 1;
    record.dpiLevelCount = 5;
    record.currentDpiLevel = 1;
    record.liftOffDistance = 1;
    record.debounceTime = 8;
    for (int i = 0; i < 8; ++i)
        record.dpiLevels[i] = DpiLevelEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0, 0, 0, 0};
    return record;
}

// Model 0 has the sensor 3950 and eight levels, model 1 the sensor 3395
// and six levels (the shipped Config.ini).
void UseDevice(int modelIndex, bool wired = false, bool online = true)
{
    DeviceAllInfo info;
    info.modelIndex = modelIndex;
    info.wired = wired;
    info.online = online;
    info.connectionKind = ConnectionReceiver4K;
    CurrentDevice::SetInfo(info);
}

QVariantList Firsts(const QSignalSpy& spy)
{
    QVariantList values;
    for (const QList<QVariant>& call : spy)
        values.append(call.first());
    return values;
}

} // namespace

class TestOverviewValues : public QObject {
    Q_OBJECT
private slots:
    void init() { UseDevice(0); }

    void theRecordRateCodeIsAnnouncedInHz_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<QVariantList>("announced");
        QTest::newRow("8") << 8 << false << QVariantList{125};
        QTest::newRow("4") << 4 << false << QVariantList{250};
        QTest::newRow("2") << 2 << false << QVariantList{500};
        QTest::newRow("1") << 1 << false << QVariantList{1000};
        QTest::newRow("16") << 16 << false << QVariantList{2000};
        QTest::newRow("32") << 32 << false << QVariantList{4000};
        QTest::newRow("64") << 64 << false << QVariantList{8000};
        QTest::newRow("unknown 0") << 0 << false << QVariantList{};
        QTest::newRow("unknown 3") << 3 << false << QVariantList{};
        QTest::newRow("unknown 128") << 128 << false << QVariantList{};
        // On the cable a receiver rate of 2000 or 4000 Hz is followed by 1000 Hz.
        QTest::newRow("wired 16") << 16 << true << QVariantList{2000, 1000};
        QTest::newRow("wired 32") << 32 << true << QVariantList{4000, 1000};
        QTest::newRow("wired 64") << 64 << true << QVariantList{8000};
        QTest::newRow("wired 1") << 1 << true << QVariantList{1000};
    }

    void theRecordRateCodeIsAnnouncedInHz()
    {
        QFETCH(int, code);
        QFETCH(bool, wired);
        QFETCH(QVariantList, announced);
        UseDevice(0, wired);
        Sensor page;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddReport(int)));
        FlashDataMap record = Record();
        record.reportRate = static_cast<uint8_t>(code);
        page.SlotUpDataSenSorUISensor(record);
        QCOMPARE(Firsts(spy), announced);
        QVERIFY(sensorPageReady);
        QVERIFY(!sensorPageFilling);
    }

    void theLiftOffCodeIsAnnouncedAsText_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("code");
        QTest::addColumn<QVariantList>("announced");
        QTest::newRow("3950 code 1") << 0 << 1 << QVariantList{"1mm"};
        QTest::newRow("3950 code 2") << 0 << 2 << QVariantList{"2mm"};
        QTest::newRow("3950 code 3") << 0 << 3 << QVariantList{"0.7mm"};
        QTest::newRow("3950 code 0") << 0 << 0 << QVariantList{};
        QTest::newRow("3950 code 4") << 0 << 4 << QVariantList{};
        QTest::newRow("3395 code 1") << 1 << 1 << QVariantList{"1mm"};
        QTest::newRow("3395 code 2") << 1 << 2 << QVariantList{"2mm"};
        // Only the 3950 offers 0.7 mm.
        QTest::newRow("3395 code 3") << 1 << 3 << QVariantList{};
    }

    void theLiftOffCodeIsAnnouncedAsText()
    {
        QFETCH(int, model);
        QFETCH(int, code);
        QFETCH(QVariantList, announced);
        UseDevice(model);
        Sensor page;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddLOD(QString)));
        FlashDataMap record = Record();
        record.liftOffDistance = static_cast<uint8_t>(code);
        page.SlotUpDataSenSorUIB(record);
        QCOMPARE(Firsts(spy), announced);
    }

    void theListFollowsTheModelFromFillToFill()
    {
        Sensor page;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddLOD(QString)));
        FlashDataMap record = Record();
        record.liftOffDistance = 3;
        page.SlotUpDataSenSorUISensor(record);
        UseDevice(1);
        page.SlotUpDataSenSorUISensor(record);
        record.liftOffDistance = 2;
        page.SlotUpDataSenSorUISensor(record);
        UseDevice(0);
        record.liftOffDistance = 1;
        page.SlotUpDataSenSorUISensor(record);
        QCOMPARE(Firsts(spy), (QVariantList{"0.7mm", "2mm", "1mm"}));
    }

    void aLevelEntryDecodesToItsDpi_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("dpi");
        QTest::newRow("plain") << "3327" << 15 << 0x00 << 800;
        QTest::newRow("lowest") << "3327" << 0 << 0x00 << 50;
        QTest::newRow("0x22 steps of 100") << "3327" << 119 << 0x22 << 12000;
        QTest::newRow("0x11 doubles") << "3327" << 119 << 0x11 << 12000;
        QTest::newRow("0x33 twice") << "3327" << 159 << 0x33 << 32000;
        QTest::newRow("0x20 alone") << "3327" << 9 << 0x20 << 1000;
        QTest::newRow("0x01 alone") << "3327" << 9 << 0x01 << 1000;
        QTest::newRow("3950 high bits") << "3950" << 223 << 0x44 << 24000;
        QTest::newRow("3395 high bits") << "3395" << 223 << 0x40 << 24000;
        QTest::newRow("3950 both high bits") << "3950" << 255 << 0xC0 << 51200;
        QTest::newRow("other sensor drops high bits") << "3327" << 223 << 0x40 << 11200;
        QTest::newRow("empty name drops high bits") << "" << 223 << 0x40 << 11200;
    }

    void aLevelEntryDecodesToItsDpi()
    {
        QFETCH(QString, sensor);
        QFETCH(int, code);
        QFETCH(int, flags);
        QFETCH(int, dpi);
        const DpiLevelEntry entry{static_cast<uint8_t>(code), static_cast<uint8_t>(code), static_cast<uint8_t>(flags), 0, 0, 0};
        QCOMPARE(DpiValueCoding::DpiOfEntry(entry, sensor), dpi);
    }

    void theCurrentLevelsDpiIsAnnounced_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("current");
        QTest::addColumn<QVariantList>("announced");
        QTest::newRow("first level") << 0 << 0 << QVariantList{100};
        QTest::newRow("second level") << 0 << 1 << QVariantList{800};
        QTest::newRow("last of eight") << 0 << 7 << QVariantList{24000};
        QTest::newRow("beyond the record") << 0 << 8 << QVariantList{};
        QTest::newRow("beyond the record far") << 0 << 255 << QVariantList{};
        QTest::newRow("last of six") << 1 << 5 << QVariantList{1000};
        QTest::newRow("beyond the model's levels") << 1 << 6 << QVariantList{};
    }

    void theCurrentLevelsDpiIsAnnounced()
    {
        QFETCH(int, model);
        QFETCH(int, current);
        QFETCH(QVariantList, announced);
        UseDevice(model);
        Sensor page;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        FlashDataMap record = Record();
        record.currentDpiLevel = static_cast<uint8_t>(current);
        record.dpiLevels[0] = DpiLevelEntry{1, 1, 0x00, 0, 0, 0};
        record.dpiLevels[1] = DpiLevelEntry{15, 15, 0x00, 0, 0, 0};
        record.dpiLevels[5] = DpiLevelEntry{9, 9, 0x22, 0, 0, 0};
        record.dpiLevels[7] = DpiLevelEntry{223, 223, 0x44, 0, 0, 0};
        page.SlotUpDataSenSorUISensor(record);
        QCOMPARE(Firsts(spy), announced);
    }

    void theDebounceIndexIsAnnouncedAsItsItemText_data()
    {
        QTest::addColumn<bool>("units");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("8 with units") << true << 8 << "8ms";
        QTest::newRow("0 with units") << true << 0 << "0ms";
        QTest::newRow("15 with units") << true << 15 << "15ms";
        QTest::newRow("8 before the units") << false << 8 << "8";
        QTest::newRow("0 before the units") << false << 0 << "1ms";
        // A byte beyond the table shows its nearest entry.
        QTest::newRow("out of range") << true << 16 << "15ms";
    }

    void theDebounceIndexIsAnnouncedAsItsItemText()
    {
        QFETCH(bool, units);
        QFETCH(int, index);
        QFETCH(QString, text);
        DebounceTime panel;
        if (units)
            for (int i = 0; i < 16; ++i)
                panel.SetItemUnit(i, QStringLiteral("ms"));
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigDebunce(QString)));
        panel.SetDebounceIndex(index);
        QCOMPARE(Firsts(spy), QVariantList{text});
    }

    void theVersionsReachTheOverview_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<int>("others");
        QTest::addColumn<QString>("receiver");
        QTest::addColumn<QString>("mouse");
        // "others" counts the devices found: the current one first, then receivers.
        QTest::newRow("on the receiver") << true << false << 1 << "v1.05" << "v1.02";
        QTest::newRow("offline") << false << true << 1 << "v1.05" << "v1.02";
        // On the cable the receiver's version is that of the other device found.
        QTest::newRow("wired beside the receiver") << true << true << 2 << "v3.01" << "v1.02";
        QTest::newRow("wired alone") << true << true << 1 << "" << "v1.02";
        QTest::newRow("wired among three") << true << true << 3 << "" << "v1.02";
        // A device that is no longer found keeps no versions on show.
        QTest::newRow("gone") << true << false << 0 << "" << "";
    }

    void theVersionsReachTheOverview()
    {
        QFETCH(bool, online);
        QFETCH(bool, wired);
        QFETCH(int, others);
        QFETCH(QString, receiver);
        QFETCH(QString, mouse);
        DeviceAllInfo info;
        info.online = online;
        info.wired = wired;
        info.path = QStringLiteral("sim-hid://1A2B:2001/0");
        info.deviceVersion = QStringLiteral("v1.05");
        info.mouseVersion = QStringLiteral("v1.02");
        CurrentDevice::SetInfo(info);
        sessionDeviceList.clear();
        DeviceAllInfo cable = info;
        DeviceAllInfo dongle;
        dongle.path = QStringLiteral("sim-hid://1A2B:2104/0");
        dongle.deviceVersion = QStringLiteral("v3.01");
        dongle.addressBytes = {0x3a, 0x5c, 0x17};
        if (others >= 1)
            sessionDeviceList.append(cable);
        if (others >= 2)
            sessionDeviceList.append(dongle);
        if (others >= 3)
            sessionDeviceList.append(dongle);

        FormSetting page;
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddVer(int, QString)));
        PostMsg::Instance()->EmitSigSetver(0);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0), (QVariantList{1, receiver}));
        QCOMPARE(spy.at(1), (QVariantList{0, mouse}));

        PostMsg::Instance()->EmitSigSetver(6);
        QCOMPARE(spy.size(), 4);
        QCOMPARE(spy.at(2), (QVariantList{1, QString()}));
        QCOMPARE(spy.at(3), (QVariantList{0, QString()}));

        // Other indexes show nothing.
        for (int index : {1, 2, 3, 4, 5, 7})
            PostMsg::Instance()->EmitSigSetver(index);
        QCOMPARE(spy.size(), 4);
        sessionDeviceList.clear();
    }
};

QTEST_MAIN(TestOverviewValues)
#include "tst_overviewvalues.moc"
