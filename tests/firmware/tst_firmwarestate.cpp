// The firmware state in the registry: the failed-update record and the
// mouse firmware version stored per model.
#include "FirmwareFixtures.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "device/CurrentDevice.h"
#include "platform/RegistryStore.h"
#include "settings/FirmwareState.h"

#include <QtTest>

using FirmwareFixtures::SetModelIndex;

namespace {

// What another process would find in the registry: a fresh store over the
// same file.
QString OnDisk(const QString& name)
{
    RegistryStore disk(RegistryStore::Instance().FilePath());
    return disk.Value(AppPaths::FirmwareStateKey(), name);
}

bool OnDiskContains(const QString& name)
{
    RegistryStore disk(RegistryStore::Instance().FilePath());
    return disk.Contains(AppPaths::FirmwareStateKey(), name);
}

} // namespace

class TestFirmwareState : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;

private slots:
    void initTestCase()
    {
        m_config = new ConfigSettings(QStringLiteral(FIRMWARE_FIXTURES "/firmware.ini"));
        ConfigSettings::ReplaceInstance(m_config);
    }

    void cleanupTestCase()
    {
        ConfigSettings::ReplaceInstance(nullptr);
        delete m_config;
    }

    void init()
    {
        SetModelIndex(0);
        RegistryStore::Instance().Remove(AppPaths::FirmwareStateKey(), QStringLiteral("UpdateFailInfo"));
    }

    void failRecord_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("record");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("kindText");
        QTest::addColumn<int>("kindCode");
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");

        QTest::newRow("mouse record without receiver class") << "210,0,5,3" << true << 210 << "0" << 0 << 5 << 3;
        QTest::newRow("receiver record") << "211,4,5,3" << true << 211 << "4" << 4 << 5 << 3;
        QTest::newRow("three parts") << "211,4,5" << false << 0 << "" << 0 << 0 << 0;
        QTest::newRow("five parts") << "211,4,5,3,1" << false << 0 << "" << 0 << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << "" << 0 << 0 << 0;
        QTest::newRow("empty parts count") << "211,,5,3" << true << 211 << "" << 0 << 5 << 3;
        QTest::newRow("three commas only") << ",,," << true << 0 << "" << 0 << 0 << 0;
        QTest::newRow("not numbers read as 0") << "x,y,z,w" << true << 0 << "y" << 0 << 0 << 0;
    }

    void failRecord()
    {
        QFETCH(QString, stored);
        QFETCH(bool, record);
        if (!stored.isEmpty())
            RegistryStore::Instance().SetValue(AppPaths::FirmwareStateKey(), QStringLiteral("UpdateFailInfo"),
                                               stored);
        QCOMPARE(FirmwareState::UpdateFailInfo(), stored);
        FirmwareState::FailRecord read;
        read.target = -1;
        QCOMPARE(FirmwareState::ReadFailRecord(&read), record);
        if (!record)
            return;
        QTEST(read.target, "target");
        QTEST(read.kindText, "kindText");
        QTEST(read.kindCode, "kindCode");
        QTEST(read.cid, "cid");
        QTEST(read.mid, "mid");
    }

    void writeAndRemoveTheFailRecord()
    {
        FirmwareState::WriteFailRecord(211, 4, 5, 3);
        QCOMPARE(OnDisk(QStringLiteral("UpdateFailInfo")), QStringLiteral("211,4,5,3"));
        FirmwareState::WriteFailRecord(210, 0, 7, 1);
        QCOMPARE(OnDisk(QStringLiteral("UpdateFailInfo")), QStringLiteral("210,0,7,1"));
        FirmwareState::FailRecord read;
        QVERIFY(FirmwareState::ReadFailRecord(&read));
        QCOMPARE(read.target, 210);
        QCOMPARE(read.cid, 7);
        QCOMPARE(read.mid, 1);

        FirmwareState::RemoveFailRecord();
        QVERIFY(!OnDiskContains(QStringLiteral("UpdateFailInfo")));
        QCOMPARE(FirmwareState::UpdateFailInfo(), QString());
        QVERIFY(!FirmwareState::ReadFailRecord(&read));
    }

    void mouseVersionValueName_data()
    {
        QTest::addColumn<int>("modelIndex");
        QTest::addColumn<QString>("name");
        QTest::newRow("first model") << 0 << "MouseVer53";
        QTest::newRow("second model") << 1 << "MouseVer54";
        // A model group that is not configured gives an empty MID text.
        QTest::newRow("unknown model") << 5 << "MouseVer5";
    }

    void mouseVersionValueName()
    {
        QFETCH(int, modelIndex);
        QTEST(FirmwareState::MouseVersionValueName(modelIndex), "name");
    }

    void storedMouseVersionPerModel()
    {
        QCOMPARE(FirmwareState::StoredMouseVersion(), QString());

        FirmwareState::StoreMouseVersion(QStringLiteral("v1.0A"));
        QCOMPARE(OnDisk(QStringLiteral("MouseVer53")), QStringLiteral("v1.0A"));
        QCOMPARE(FirmwareState::StoredMouseVersion(), QStringLiteral("v1.0A"));

        // The current device's model decides the value.
        SetModelIndex(1);
        QCOMPARE(FirmwareState::StoredMouseVersion(), QString());
        FirmwareState::StoreMouseVersion(QStringLiteral("v2.00"));
        QCOMPARE(OnDisk(QStringLiteral("MouseVer54")), QStringLiteral("v2.00"));
        QCOMPARE(OnDisk(QStringLiteral("MouseVer53")), QStringLiteral("v1.0A"));

        FirmwareState::StoreMouseVersion(0, QStringLiteral("v1.0B"));
        QCOMPARE(FirmwareState::StoredMouseVersion(0), QStringLiteral("v1.0B"));
        QCOMPARE(FirmwareState::StoredMouseVersion(), QStringLiteral("v2.00"));
    }
};

QTEST_GUILESS_MAIN(TestFirmwareState)
#include "tst_firmwarestate.moc"
