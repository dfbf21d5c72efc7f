#include "sensor/SensorCapabilities.h"
#include "sensor/SensorCapabilityHeader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "name=value" pairs of a table in file order, for compact comparison.
QStringList Pairs(const SensorDefineTable& table)
{
    QStringList pairs;
    for (int i = 0; i < table.sensorDefineNames.size(); ++i)
        pairs << table.sensorDefineNames[i] + QLatin1Char('=') + QString::number(table.sensorDefineValues[i]);
    return pairs;
}

} // namespace

class TestSensorHeader : public QObject {
    Q_OBJECT

private slots:
    void definesInFileOrder_data();
    void definesInFileOrder();
    void supportLines_data();
    void supportLines();
    void missingFileAddsNothing();
    void shippedHeader();
    void valueTexts_data();
    void valueTexts();
    void featureTest_data();
    void featureTest();
    void codeTableLookups_data();
    void codeTableLookups();
    void processTableIsReadOnce();
};

void TestSensorHeader::definesInFileOrder_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("pairs");

    QTest::newRow("tab layout") << QByteArray("#define SENSOR_X_DPI_400\t7\n") << QStringList{"SENSOR_X_DPI_400=7"};
    QTest::newRow("space layout, hex") << QByteArray("#define SENSOR_X_DPI_400 0x07\n") << QStringList{"SENSOR_X_DPI_400=7"};
    QTest::newRow("tab layout, hex") << QByteArray("#define SENSOR_3950_DPI_1600\t0x1F\n") << QStringList{"SENSOR_3950_DPI_1600=31"};
    // A hexadecimal value before a comment is hexadecimal like any other.
    QTest::newRow("tab layout with comment, hex") << QByteArray("#define SENSOR_X\t0x10 //note\n") << QStringList{"SENSOR_X=16"};
    QTest::newRow("tab layout with comment") << QByteArray("#define SENSOR_3950_DPI_800\t15 //slow\n")
                                             << QStringList{"SENSOR_3950_DPI_800=15"};
    QTest::newRow("CR LF line ends") << QByteArray("#define A\t1\r\n#define B 2\r\n") << QStringList{"A=1", "B=2"};
    QTest::newRow("file order kept, duplicates stay")
        << QByteArray("#define B\t2\n#define A\t1\n#define B\t3\n") << QStringList{"B=2", "A=1", "B=3"};
    QTest::newRow("comments and guards ignored")
        << QByteArray("// a comment line of several words\n#ifndef GUARD_H\n#define GUARD_H\n#define A\t1\n#endif\n")
        << QStringList{"A=1"};
    QTest::newRow("tabs only is one word") << QByteArray("#define\tA\t1\n") << QStringList{};
    QTest::newRow("no space at all") << QByteArray("#defineA1\n") << QStringList{};
    QTest::newRow("define without value") << QByteArray("#define EMPTY\n#define A\t1\n") << QStringList{"A=1"};
    QTest::newRow("not a number reads 0") << QByteArray("#define A\tabc\n") << QStringList{"A=0"};
    QTest::newRow("negative value") << QByteArray("#define A\t-5\n") << QStringList{"A=-5"};
    QTest::newRow("three words without comment or line end") << QByteArray("#define A 1") << QStringList{"A=1"};
    QTest::newRow("four words ignored") << QByteArray("#define A 1 //c\n") << QStringList{};
    // The last define is part of the file even without a line end.
    QTest::newRow("last line without line end")
        << QByteArray("#define A\t1\n#define B\t2") << QStringList{"A=1", "B=2"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("utf-8 name") << QByteArray("#define S\xc3\xa9\t4\n") << QStringList{QString::fromUtf8("S\xc3\xa9=4")};
}

void TestSensorHeader::definesInFileOrder()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, pairs);
    SensorDefineTable table;
    SensorCapabilityHeader::ParseText(text, &table, nullptr);
    QCOMPARE(Pairs(table), pairs);
    QCOMPARE(table.sensorDefineNames.size(), table.sensorDefineValues.size());
}

void TestSensorHeader::supportLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lists"); // mode, lod, ripple, fixline, motion sync, mousepad
    QTest::addColumn<QStringList>("pairs");

    QTest::newRow("each list")
        << QByteArray("#define SUPPORT_SENSOR_MODE_SEL\t1\n#define SUPPORT_LOD_CAL\t2\n#define SUPPORT_RIPPLE\t3950,3395\n"
                      "#define SUPPORT_FIXLINE\t4\n#define SUPPORT_MOTION_SYNC\t5\n#define SUPPORT_MOUSEPAD_CAL\t6\n")
        << QStringList{"1", "2", "3950,3395", "4", "5", "6"} << QStringList{};
    QTest::newRow("later line replaces")
        << QByteArray("#define SUPPORT_RIPPLE\t1\n#define SUPPORT_RIPPLE\t2\n")
        << QStringList{"", "", "2", "", "", ""} << QStringList{};
    QTest::newRow("first word not looked at")
        << QByteArray("#undef SUPPORT_FIXLINE\t3311\n") << QStringList{"", "", "", "3311", "", ""} << QStringList{};
    // A SUPPORT line with its list missing is skipped, not read as an empty list.
    QTest::newRow("broken line skipped")
        << QByteArray("#define SUPPORT_RIPPLE\t3950\n#define SUPPORT_RIPPLE\n")
        << QStringList{"", "", "3950", "", "", ""} << QStringList{};
    QTest::newRow("support lines add no define")
        << QByteArray("#define SUPPORT_RIPPLE\t3950\n#define A\t1\n")
        << QStringList{"", "", "3950", "", "", ""} << QStringList{"A=1"};
    QTest::newRow("blank in list: read as a define")
        << QByteArray("#define SUPPORT_RIPPLE\t3950, 3395\n")
        << QStringList{"", "", "", "", "", ""} << QStringList{"SUPPORT_RIPPLE=0"};
}

void TestSensorHeader::supportLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lists);
    QFETCH(QStringList, pairs);
    SensorDefineTable table;
    SensorFeatureLists features;
    SensorCapabilityHeader::ParseText(text, &table, &features);
    const QStringList got{features.sensorModeSensors, features.lodCalSensors, features.rippleSensors,
                          features.fixLineSensors, features.motionSyncSensors, features.mousepadCalSensors};
    QCOMPARE(got, lists);
    QCOMPARE(Pairs(table), pairs);
}

void TestSensorHeader::missingFileAddsNothing()
{
    QTemporaryDir dir;
    SensorDefineTable table;
    SensorFeatureLists features;
    SensorCapabilityHeader::Parse(dir.filePath(QStringLiteral("none.h")), &table, &features);
    QVERIFY(table.sensorDefineNames.isEmpty());
    QVERIFY(table.sensorDefineValues.isEmpty());
    QVERIFY(features.rippleSensors.isEmpty());
}

void TestSensorHeader::shippedHeader()
{
    // The header beside the program covers every SUPPORT list and a code table.
    SensorDefineTable table;
    SensorFeatureLists features;
    SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), &table, &features);
    QVERIFY(!features.sensorModeSensors.isEmpty());
    QVERIFY(!features.lodCalSensors.isEmpty());
    QVERIFY(!features.rippleSensors.isEmpty());
    QVERIFY(!features.fixLineSensors.isEmpty());
    QVERIFY(!features.motionSyncSensors.isEmpty());
    QVERIFY(!features.mousepadCalSensors.isEmpty());
    const int at = table.sensorDefineNames.indexOf(QStringLiteral("SENSOR_3311_DPI_1600"));
    QVERIFY(at >= 0);
    QCOMPARE(table.sensorDefineValues[at], 15);
    QCOMPARE(table.sensorDefineValues[table.sensorDefineNames.indexOf(QStringLiteral("SENSOR_3311_DPI_12000"))], 119);
    QVERIFY(!table.sensorDefineNames.contains(QStringLiteral("//")));
}

void TestSensorHeader::valueTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("blanks and line end") << " 42 \n" << 42;
    QTest::newRow("hex") << "0x1F" << 31;
    QTest::newRow("hex upper digits") << "0xFF" << 255;
    QTest::newRow("hex with junk") << "0xZZ" << 0;
    QTest::newRow("word") << "DPI" << 0;
    QTest::newRow("too large") << "99999999999" << 0;
    QTest::newRow("largest hex") << "0x7FFFFFFF" << 2147483647;
}

void TestSensorHeader::valueTexts()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(SensorCapabilityHeader::ValueOf(text), value);
}

void TestSensorHeader::featureTest_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<bool>("supported");
    QTest::newRow("listed") << "3950,3395" << "3395" << true;
    QTest::newRow("not listed") << "3950,3395" << "3311" << false;
    QTest::newRow("part of a longer number") << "39501" << "3950" << true;
    QTest::newRow("case matters") << "pmw3950" << "PMW3950" << false;
    QTest::newRow("empty list") << "" << "3950" << false;
    // A model without a sensor name has every feature.
    QTest::newRow("empty name, empty list") << "" << "" << true;
    QTest::newRow("empty name") << "3950" << "" << true;
}

void TestSensorHeader::featureTest()
{
    QFETCH(QString, list);
    QFETCH(QString, sensor);
    QFETCH(bool, supported);
    QCOMPARE(SensorCapabilities::Supports(list, sensor), supported);
}

void TestSensorHeader::codeTableLookups_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<bool>("hasTable");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("codeOfDpi"); // -1: none
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("dpiOfCode"); // -1: none

    const QByteArray table("#define SENSOR_3950_DPI_800\t15\n#define SENSOR_3950_DPI_1600\t0x1F\n"
                           "#define SENSOR_3950_DPI_3200\t31\n#define SENSOR_3311_DPI_800\t7\n");
    QTest::newRow("hit") << table << "3950" << true << 800 << 15 << 15 << 800;
    QTest::newRow("hex value") << table << "3950" << true << 1600 << 31 << 31 << 1600;
    // Two DPIs with one code: the first in file order wins.
    QTest::newRow("duplicate code: first") << table << "3950" << true << 3200 << 31 << 31 << 1600;
    QTest::newRow("miss") << table << "3950" << true << 1200 << -1 << 16 << -1;
    QTest::newRow("other sensor's define") << table << "3311" << true << 1600 << -1 << 7 << 800;
    QTest::newRow("no table") << table << "3395" << false << 800 << -1 << 15 << -1;
    QTest::newRow("empty header") << QByteArray() << "3950" << false << 800 << -1 << 15 << -1;
    // The name must be whole: SENSOR_3950_DPI_80 is no entry for 800.
    QTest::newRow("exact name only") << QByteArray("#define SENSOR_3950_DPI_8000\t1\n") << "3950" << true << 800 << -1
                                     << 1 << 8000;
    // A define of the family without a DPI in its name is no entry.
    QTest::newRow("family define without DPI")
        << QByteArray("#define SENSOR_3950_DPI_COUNT\t15\n#define SENSOR_3950_DPI_800\t15\n") << "3950" << true << 800
        << 15 << 15 << 800;
    QTest::newRow("duplicate name: first value")
        << QByteArray("#define SENSOR_3950_DPI_800\t15\n#define SENSOR_3950_DPI_800\t16\n") << "3950" << true << 800
        << 15 << 16 << 800;
}

void TestSensorHeader::codeTableLookups()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, sensor);
    QFETCH(bool, hasTable);
    QFETCH(int, dpi);
    QFETCH(int, codeOfDpi);
    QFETCH(int, code);
    QFETCH(int, dpiOfCode);
    SensorDefineTable table;
    SensorCapabilityHeader::ParseText(text, &table, nullptr);
    QCOMPARE(SensorCapabilities::HasCodeTable(table, sensor), hasTable);
    QCOMPARE(SensorCapabilities::CodeOfDpi(table, sensor, dpi).value_or(-1), codeOfDpi);
    QCOMPARE(SensorCapabilities::DpiOfCode(table, sensor, code).value_or(-1), dpiOfCode);
}

void TestSensorHeader::processTableIsReadOnce()
{
    // Every page reads the SUPPORT lists; the defines are read for the process once.
    SensorFeatureLists first;
    SensorCapabilities::LoadHeader(&first);
    const int defines = SensorCapabilities::DefineTable().sensorDefineNames.size();
    QVERIFY(defines > 0);
    QVERIFY(SensorCapabilities::HasCodeTable(SensorCapabilities::DefineTable(), QStringLiteral("3311")));
    QVERIFY(!SensorCapabilities::HasCodeTable(SensorCapabilities::DefineTable(), QStringLiteral("3950")));
    SensorFeatureLists second;
    SensorCapabilities::LoadHeader(&second);
    QCOMPARE(SensorCapabilities::DefineTable().sensorDefineNames.size(), defines);
    QCOMPARE(second.rippleSensors, first.rippleSensors);
    QVERIFY(!second.rippleSensors.isEmpty());
}

QTEST_GUILESS_MAIN(TestSensorHeader)
#include "tst_sensorheader.moc"
