// The firmware images shipped in bin/ beside the program fit the shipped
// configuration and the simulated devices of the default scenario.
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FirmwareImages.h"

#include <QDir>
#include <QtTest>
#include <atomic>

namespace {

std::atomic<int> lastStatus{-1};

void OnUpgradeStatus(const unsigned char* status)
{
    if (status[0] == 7 && status[1] == 2)
        lastStatus = status[2];
}

QString VersionOf(const QByteArray& block)
{
    FirmwareImageHeader header;
    return ReadFirmwareImageHeader(block, &header) ? FirmwareVersionText(header) : QString();
}

} // namespace

class TestShippedFirmware : public QObject {
    Q_OBJECT
private:
    QString m_mouseName;
    QString m_receiverName;

private slots:
    void initTestCase()
    {
        // The real application folder: the shipped Config.ini and bin/.
        SetFirmwareFolder(QString());
        QVERIFY(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/bin")).exists());
        CurrentDevice::SetInfo(DeviceAllInfo()); // model index 0: Drive1
        m_mouseName = ConfigSettings::Instance()->Value(QStringLiteral("Drive1"), QStringLiteral("MM"));
        m_receiverName = ConfigSettings::Instance()->Value(QStringLiteral("Drive1"), QStringLiteral("D4M"));
        QCOMPARE(m_mouseName, QStringLiteral("NK-M1-Mouse.bin"));
        QCOMPARE(m_receiverName, QStringLiteral("NK-M1-Receiver4K.bin"));

        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QCoreApplication::applicationDirPath()
                                                          + QStringLiteral("/Simulation/DefaultScenario.json"),
                                                      &error),
                 qPrintable(error));
        SimulatedDeviceControl::setTiming(20, 2);
    }

    void modelLookupFindsTheShippedImages()
    {
        // Default scenario: mouse v1.02 on a 4 kHz receiver v1.05.
        QVERIFY(FindModelFirmware(210, QStringLiteral("v1.02"), 4));
        QCOMPARE(int(updateCid), 7);
        QVERIFY(FindModelFirmware(211, QStringLiteral("v1.05"), 4));
        QVERIFY(!FindModelFirmware(210, QStringLiteral("v1.03"), 4));
        QVERIFY(!FindModelFirmware(211, QStringLiteral("v1.06"), 4));
    }

    void mouseImageGoesToTheMouseInBootMode()
    {
        QVERIFY(FindNewerFirmwareImage(210, QStringLiteral("v1.02"), m_mouseName, 7, 1));
        const QByteArray block = updateImageList.First();
        QCOMPARE(VersionOf(block), QStringLiteral("v1.03"));
        QVERIFY(block.size() > 728);

        int count = 5;
        RozFirmwareImage image = FirmwareImageView(block);
        UsbUpgradeC_FindBootDevices(&image, &count);
        QCOMPARE(count, 0);
        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("drive1"), true));
        count = 5;
        UsbUpgradeC_FindBootDevices(&image, &count);
        QCOMPARE(count, 1);

        lastStatus = -1;
        QVERIFY(UsbUpgrade_Start(&image, OnUpgradeStatus, 10000));
        QTRY_COMPARE(int(lastStatus), 1);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("drive1")), 0x0103);
    }

    void receiverImageGoesToTheReceiverInBootMode()
    {
        QVERIFY(FindFirmwareImage(211, QStringLiteral("v1.05"), m_receiverName, 7, 1));
        const QByteArray block = firmwareImageList.First();
        QCOMPARE(VersionOf(block), QStringLiteral("v1.06"));

        QVERIFY(SimulatedDeviceControl::setBootMode(QStringLiteral("receiver4k"), true));
        int count = 5;
        RozFirmwareImage image = FirmwareImageView(block);
        UsbUpgradeC_FindBootDevices(&image, &count);
        QCOMPARE(count, 1);

        lastStatus = -1;
        QVERIFY(UsbUpgrade_Start(&image, OnUpgradeStatus, 10000));
        QTRY_COMPARE(int(lastStatus), 1);
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("receiver4k")), 0x0106);
    }
};

QTEST_GUILESS_MAIN(TestShippedFirmware)
#include "tst_shippedfirmware.moc"
