// The firmware images shipped in bin/ beside the program fit the shipped
// configuration and the simulated devices of the default scenario, which
// carry the images' versions.
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "settings/FirmwareImages.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

QString DefaultScenarioPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Simulation/DefaultScenario.json");
}

// The default scenario with the mouse at v1.02 and the receiver at v1.05.
void LoadOlderDefaultDevices()
{
    QFile file(DefaultScenarioPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonObject scenario = QJsonDocument::fromJson(file.readAll()).object();
    QJsonArray receivers = scenario.value(QStringLiteral("receivers")).toArray();
    QJsonArray mice = scenario.value(QStringLiteral("mice")).toArray();
    QJsonObject receiver = receivers.at(0).toObject();
    QJsonObject mouse = mice.at(0).toObject();
    receiver.insert(QStringLiteral("version"), QStringLiteral("0x0105"));
    mouse.insert(QStringLiteral("version"), QStringLiteral("0x0102"));
    receivers.replace(0, receiver);
    mice.replace(0, mouse);
    scenario.insert(QStringLiteral("receivers"), receivers);
    scenario.insert(QStringLiteral("mice"), mice);
    QString error;
    QVERIFY2(SimulatedDeviceControl::loadScenarioJson(QJsonDocument(scenario).toJson(), &error), qPrintable(error));
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

        SimulatedDeviceControl::setTiming(20, 2);
    }

    // A normal run is offered no update: the default scenario's devices carry
    // the versions of the shipped images.
    void theDefaultDevicesAreUpToDate()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(DefaultScenarioPath(), &error), qPrintable(error));
        const int mouse = SimulatedDeviceControl::firmwareVersion(QStringLiteral("drive1"));
        const int receiver = SimulatedDeviceControl::firmwareVersion(QStringLiteral("receiver4k"));
        const QString mouseText = FirmwareVersionText(quint32(mouse) >> 8, quint8(mouse & 0xFF));
        const QString receiverText = FirmwareVersionText(quint32(receiver) >> 8, quint8(receiver & 0xFF));
        QCOMPARE(mouseText, QStringLiteral("v1.03"));
        QCOMPARE(receiverText, QStringLiteral("v1.06"));
        QVERIFY(!FindModelFirmware(210, mouseText, 4));
        QVERIFY(!FindModelFirmware(211, receiverText, 4));
    }

    void modelLookupFindsTheShippedImages()
    {
        // Older devices than the default ones: mouse v1.02 on a 4 kHz receiver v1.05.
        LoadOlderDefaultDevices();
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
        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("drive1")), 0x0102);
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

        QCOMPARE(SimulatedDeviceControl::firmwareVersion(QStringLiteral("receiver4k")), 0x0105);
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
