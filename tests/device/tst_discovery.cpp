#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "device/DeviceDiscovery.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/SimulatedDeviceControl.h"

#include <QtTest>

namespace {

void Load(const char* scenario)
{
    QString error;
    QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(DEVICE_FIXTURES "/") + scenario, &error),
             qPrintable(error));
}

QStringList Summary()
{
    QStringList lines;
    for (const DeviceAllInfo& d : DeviceDiscovery::foundDeviceList)
        lines.append(QStringLiteral("%1/%2 cid %3 mid %4 kind %5 model %6 wired %7 online %8 %9")
                         .arg(d.vidText, d.pidText)
                         .arg(d.cid).arg(d.mid).arg(int(d.connectionKind)).arg(d.modelIndex)
                         .arg(d.wired).arg(d.online).arg(d.deviceVersion));
    return lines;
}

} // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_fixtureConfig = nullptr;

private slots:
    void initTestCase()
    {
        m_fixtureConfig = new ConfigSettings(QStringLiteral(DEVICE_FIXTURES "/two_vendors.ini"));
        ConfigSettings::ReplaceInstance(m_fixtureConfig);
    }

    void init()
    {
        DeviceDiscovery::onRepairStateRead = nullptr;
        DeviceDiscovery::onDeviceListRebuilt = nullptr;
        DeviceDiscovery::repairCheckWanted = nullptr;
        SimulatedDeviceControl::failNextIdentifications(0);
    }

    void versionText_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("0x0105") << 0x0105u << "v1.05";
        QTest::newRow("0x021A") << 0x021Au << "v2.1A";
        QTest::newRow("0x0000") << 0x0000u << "v0.00";
        QTest::newRow("0xFFFF") << 0xFFFFu << "v255.FF";
    }
    void versionText()
    {
        QFETCH(unsigned, version);
        QFETCH(QString, text);
        QCOMPARE(DeviceDiscovery::VersionText(version), text);
    }

    void hotPlugListsDevicesInIdOrderAndIdentifiesThem()
    {
        Load("order.json");
        bool rebuilt = false;
        DeviceDiscovery::onDeviceListRebuilt = [&] { rebuilt = true; };
        DeviceDiscovery::OnUsbDevicesChanged();
        QVERIFY(rebuilt);
        QCOMPARE(DeviceDiscovery::productIdList, QStringList({"2001", "2101", "2102", "2104", "2108"}));
        // Cable first, then the receivers by class, all of the first vendor
        // before the second; the same MID twice picks the lower model; an
        // unknown MID is listed as one past the last model, with the kind it
        // answered.
        const QStringList expected = {
            "1A2B/2001 cid 0 mid 0 kind 3 model 3 wired 1 online 0 v1.05",
            "1A2B/2101 cid 7 mid 1 kind 0 model 0 wired 0 online 0 v1.05",
            "1A2B/2108 cid 7 mid 2 kind 5 model 1 wired 0 online 1 v3.01",
            "3C4D/2001 cid 7 mid 2 kind 2 model 1 wired 1 online 1 v0.01",
        };
        QCOMPARE(Summary(), expected);
        QCOMPARE(DeviceDiscovery::foundDeviceListCopy.size(), DeviceDiscovery::foundDeviceList.size());
        for (int i = 0; i < DeviceDiscovery::foundDeviceList.size(); ++i)
            QCOMPARE(DeviceDiscovery::foundDeviceListCopy.at(i).path, DeviceDiscovery::foundDeviceList.at(i).path);
    }

    void identificationRetriesUpToTenAnswers_data()
    {
        QTest::addColumn<int>("silent");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("cid");
        QTest::newRow("nine silent answers") << 9 << 0 << 7;
        QTest::newRow("ten silent answers") << 10 << 3 << 0;
    }
    void identificationRetriesUpToTenAnswers()
    {
        QFETCH(int, silent);
        QFETCH(int, model);
        QFETCH(int, cid);
        Load("one_mouse.json");
        SimulatedDeviceControl::failNextIdentifications(silent);
        SimulatedDeviceControl::clearCalls();
        DeviceAllInfo device;
        device.path = SimulatedDeviceControl::pathOf("receiver4k");
        QVERIFY(DeviceDiscovery::IdentifyDeviceModel(device));
        QCOMPARE(device.modelIndex, model);
        QCOMPARE(int(device.cid), cid);
        QCOMPARE(SimulatedDeviceControl::calls("UsbFinderC_GetDeviceInfo").size(), qMin(silent + 1, 10));
    }

    void noModelsListsNoAnsweringDevice()
    {
        Load("one_mouse.json");
        QTemporaryDir dir;
        QFile file(dir.path() + "/empty.ini");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Option]\nDeviceTotal=0\nCID=Nw==\n");
        file.close();
        ConfigSettings empty(dir.path() + "/empty.ini");
        ConfigSettings::ReplaceInstance(&empty);
        DeviceAllInfo device;
        device.path = SimulatedDeviceControl::pathOf("receiver4k");
        const bool listed = DeviceDiscovery::IdentifyDeviceModel(device);
        ConfigSettings::ReplaceInstance(m_fixtureConfig);
        QVERIFY(!listed);
    }

    void finderNeverReadsPastTheCountAskedFor()
    {
        Load("six_cables.json");
        DeviceDiscovery::OnUsbDevicesChanged();
        QCOMPARE(DeviceDiscovery::foundDeviceList.size(), 5);
        QCOMPARE(DeviceDiscovery::foundDeviceListCopy.size(), 5);
    }

    void onlineRefreshReadsTheAddress()
    {
        Load("order.json");
        DeviceDiscovery::OnUsbDevicesChanged();
        QVERIFY(DeviceDiscovery::RefreshDeviceOnlineState(2));
        const DeviceAllInfo refreshed = DeviceDiscovery::foundDeviceList.at(2);
        QVERIFY(refreshed.online);
        QCOMPARE(refreshed.addressBytes, QList<uint8_t>({0x0a, 0x0b, 0x0c}));
        QCOMPARE(DeviceDiscovery::foundDeviceListCopy.at(2).addressBytes, refreshed.addressBytes);
        QVERIFY(!DeviceDiscovery::RefreshDeviceOnlineState(7));
        QVERIFY(!DeviceDiscovery::RefreshDeviceOnlineState(-1));
    }

    void failedUpdateOnRecordIsReported()
    {
        Load("one_mouse.json");
        QList<bool> seen;
        DeviceDiscovery::onRepairStateRead = [&](bool pending) { seen.append(pending); };
        RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), "UpdateFailInfo", "210,4,7,1");
        DeviceDiscovery::OnUsbDevicesChanged();
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), "UpdateFailInfo");
        DeviceDiscovery::OnUsbDevicesChanged();
        QCOMPARE(seen, QList<bool>({true, false}));
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
