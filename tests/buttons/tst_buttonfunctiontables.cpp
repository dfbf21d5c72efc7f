// The fixed tables of the button functions: rows to device buttons, the
// media keys' blocks, the DPI-lock codes and the page's mirror.

#include "buttons/ButtonAssignmentMirror.h"
#include "buttons/ConsumerKeyTable.h"
#include "buttons/DeviceButtonIndex.h"
#include "buttons/DpiLockCoding.h"
#include "sensor/SensorCapabilityHeader.h"

#include <QAbstractButton>
#include <QToolButton>
#include <QtTest>

#include <set>

namespace {

QByteArray Bytes(const KeyBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof(block));
}

SensorDefineTable Table(const QList<QPair<QString, int>>& defines)
{
    SensorDefineTable table;
    for (const auto& define : defines) {
        table.sensorDefineNames << define.first;
        table.sensorDefineValues << define.second;
    }
    return table;
}

} // namespace

using Defines = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(Defines)

class TestButtonFunctionTables : public QObject {
    Q_OBJECT

private slots:
    void rowsAreTestedInTableOrderNotIndexOrder()
    {
        QWidget page;
        QList<QToolButton*> rows;
        for (const DeviceButtonIndex::Row& row : DeviceButtonIndex::Rows()) {
            auto* button = new QToolButton(&page);
            button->setObjectName(row.rowButton);
            button->setCheckable(true);
            rows << button;
        }
        int index = 99;
        QCOMPARE(DeviceButtonIndex::CheckedRow(&page, &index), static_cast<QAbstractButton*>(nullptr));
        QCOMPARE(index, -1);

        page.findChild<QToolButton*>("TopMusic")->setChecked(true);
        QCOMPARE(DeviceButtonIndex::CheckedRow(&page, &index)->objectName(), QStringLiteral("TopMusic"));
        QCOMPARE(index, 3);
        // StartPause is tested before TopMusic although its index is higher.
        page.findChild<QToolButton*>("StartPause")->setChecked(true);
        QCOMPARE(DeviceButtonIndex::CheckedRow(&page, &index)->objectName(), QStringLiteral("StartPause"));
        QCOMPARE(index, 4);

        for (int i = 0; i < 12; ++i)
            QCOMPARE(DeviceButtonIndex::IndexOfRow(DeviceButtonIndex::RowOfIndex(i)), i);
        QCOMPARE(DeviceButtonIndex::RowOfIndex(12), QString());
        QCOMPARE(DeviceButtonIndex::RowOfIndex(11), QStringLiteral("Button12"));
        QCOMPARE(DeviceButtonIndex::IndexOfRow(QStringLiteral("Number1")), -1);
    }

    void playerBlockIsTheConsumerKeyLayout()
    {
        const QByteArray expected = QByteArray::fromHex("02000000"
                                                        "000283010a000000"
                                                        "010283010a000000")
            + QByteArray(32, '\0');
        QCOMPARE(Bytes(ConsumerKeyTable::MediaKeyBlock(0x0183)), expected);
        QCOMPARE(Bytes(ConsumerKeyTable::MediaKeyBlockOfBytes(0x83, 0x01)), expected);
        // Each byte given apart keeps only its own low byte.
        QCOMPARE(Bytes(ConsumerKeyTable::MediaKeyBlockOfBytes(0x183, 0x201)), expected);
    }

    void mediaButtonsSendTheTablesUsages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("usage");
        QTest::newRow("Player") << "Player" << 0x0183;
        QTest::newRow("StartPause_2") << "StartPause_2" << 0x00CD;
        QTest::newRow("BackMusic_2") << "BackMusic_2" << 0x00B5;
        QTest::newRow("TopMusic_2") << "TopMusic_2" << 0x00B6;
        QTest::newRow("Mute sends Stop") << "Mute" << 0x00B7;
        QTest::newRow("VolumeUp sends Mute") << "VolumeUp" << 0x00E2;
        QTest::newRow("VolumeDown sends Volume Increment") << "VolumeDown" << 0x00E9;
        QTest::newRow("VolumeDown_4 sends Volume Decrement") << "VolumeDown_4" << 0x00EA;
        QTest::newRow("VolumeDown_5") << "VolumeDown_5" << 0x018A;
        QTest::newRow("VolumeDown_6") << "VolumeDown_6" << 0x0192;
        QTest::newRow("VolumeDown_3") << "VolumeDown_3" << 0x0194;
        QTest::newRow("VolumeDown_8") << "VolumeDown_8" << 0x0223;
        QTest::newRow("VolumeDown_9") << "VolumeDown_9" << 0x0221;
        QTest::newRow("VolumeDown_7") << "VolumeDown_7" << 0x0225;
        QTest::newRow("VolumeDown_10") << "VolumeDown_10" << 0x0224;
        QTest::newRow("VolumeDown_12") << "VolumeDown_12" << 0x0226;
        QTest::newRow("VolumeDown_13") << "VolumeDown_13" << 0x0227;
        QTest::newRow("VolumeDown_11") << "VolumeDown_11" << 0x022A;
    }
    void mediaButtonsSendTheTablesUsages()
    {
        QFETCH(QString, button);
        QFETCH(int, usage);
        const ConsumerKeyTable::Row* row = ConsumerKeyTable::RowOfButton(button);
        QVERIFY(row);
        QCOMPARE(row->usage, usage);
        QCOMPARE(ConsumerKeyTable::RowOfCode(usage & 0xFF), row);
        const QByteArray block = Bytes(ConsumerKeyTable::MediaKeyBlock(usage));
        QByteArray expected(52, '\0');
        expected[0] = 2;
        for (int e = 0; e < 2; ++e) {
            expected[4 + 8 * e] = char(e);
            expected[5 + 8 * e] = 2;
            expected[6 + 8 * e] = char(usage & 0xFF);
            expected[7 + 8 * e] = char(usage >> 8);
            expected[8 + 8 * e] = 10;
        }
        QCOMPARE(block, expected);
        QCOMPARE(Bytes(ConsumerKeyTable::MediaKeyBlockOfBytes(usage & 0xFF, usage >> 8)), expected);
    }

    void mediaCodesAreDistinctAndWholeUsagesNameNone()
    {
        std::set<int> codes;
        for (const ConsumerKeyTable::Row& row : ConsumerKeyTable::Rows())
            codes.insert(row.code);
        QCOMPARE(int(codes.size()), 18);
        QVERIFY(!ConsumerKeyTable::RowOfCode(0x183));
        QVERIFY(!ConsumerKeyTable::RowOfCode(0));
    }

    void dpiToSensorCode_data()
    {
        QTest::addColumn<Defines>("defines");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("code");
        const Defines table3395{{"SENSOR_ID_3395", 0x3395}, {"SENSOR_3395_DPI_400", 9}, {"SENSOR_3395_DPI_400", 77}};
        QTest::newRow("the table's constant") << table3395 << "3395" << 400 << 9;
        QTest::newRow("constant missing: dpi / 50") << table3395 << "3395" << 100 << 2;
        QTest::newRow("constant missing at 1200") << table3395 << "3395" << 1200 << 24;
        QTest::newRow("no constants of the sensor: dpi / 50 - 1") << table3395 << "3950" << 1200 << 23;
        QTest::newRow("no constants at 100") << Defines{} << "3395" << 100 << 1;
        QTest::newRow("empty sensor name before the first fill") << table3395 << "" << 300 << 5;
        QTest::newRow("empty sensor name matches SENSOR__DPI") << Defines{{"SENSOR__DPI_300", 40}} << "" << 300 << 40;
        QTest::newRow("any name holding the prefix switches to the lookup")
            << Defines{{"OLD_SENSOR_3395_DPI_TABLE", 1}} << "3395" << 500 << 10;
        QTest::newRow("the match is case-sensitive") << Defines{{"sensor_3395_dpi_500", 1}} << "3395" << 500 << 9;
        QTest::newRow("a value above 255 stays whole") << Defines{{"SENSOR_3395_DPI_800", 300}} << "3395" << 800 << 300;
    }
    void dpiToSensorCode()
    {
        QFETCH(Defines, defines);
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, code);
        QCOMPARE(DpiLockCoding::DpiToSensorCode(dpi, sensor, Table(defines)), code);
    }

    void shippedHeaderGivesSensor3311ItsOwnCodes()
    {
        SensorDefineTable table;
        SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), &table, nullptr);
        QVERIFY(!table.sensorDefineNames.isEmpty());
        int expected = 0;
        // The page's twelve values, 100 to 1200 DPI, are codes 0 to 11.
        for (int dpi = 100; dpi <= 1200; dpi += 100)
            QCOMPARE(DpiLockCoding::DpiToSensorCode(dpi, QStringLiteral("3311"), table), expected++);
        // A sensor the header has no codes for falls back.
        QCOMPARE(DpiLockCoding::DpiToSensorCode(1000, QStringLiteral("3395"), table), 19);
    }

    void dpiButtonsCarryTheirDpi()
    {
        QStringList names;
        int dpi = 100;
        for (const DpiLockCoding::Row& row : DpiLockCoding::Rows()) {
            QCOMPARE(row.dpi, dpi);
            dpi += 100;
            names << row.dpiButton;
        }
        QCOMPARE(names, QStringList({"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_16", "VolumeUp_15",
                                     "VolumeUp_19", "VolumeUp_20", "VolumeUp_22", "VolumeUp_18", "VolumeUp_24",
                                     "VolumeUp_23", "VolumeUp_21"}));
        QVERIFY(!DpiLockCoding::RowOfButton(QStringLiteral("VolumeUp_14")));
        QVERIFY(!DpiLockCoding::RowOfButton(QStringLiteral("VolumeUp_17")));
    }

    void mirrorWritesOnlyWhereItsListsReach()
    {
        QList<int> types, codes, extras;
        ButtonAssignmentMirror mirror(types, codes, extras);
        mirror.Store(0, 5, 0, 0); // empty before the first fill
        QVERIFY(types.isEmpty() && codes.isEmpty() && extras.isEmpty());

        // After the form reset: extras stays empty.
        types = QList<int>{1, 1, 1};
        codes = QList<int>{1, 2, 4};
        mirror.Store(1, 10, 300, 0);
        QCOMPARE(types, QList<int>({1, 10, 1}));
        QCOMPARE(codes, QList<int>({1, 300, 4}));
        QVERIFY(extras.isEmpty());

        mirror.Store(3, 2, 2, 0);
        mirror.Store(-1, 2, 2, 0);
        QCOMPARE(types, QList<int>({1, 10, 1}));
        QCOMPARE(codes, QList<int>({1, 300, 4}));
    }
};

QTEST_MAIN(TestButtonFunctionTables)
#include "tst_buttonfunctiontables.moc"
