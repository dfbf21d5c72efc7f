// DPI values and the codes of a level entry, both ways, without widgets or
// device: the model's range table, snapping, coding and decoding.

#include "app/ConfigSettings.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/SensorCapabilities.h"
#include "sensor/SensorCapabilityHeader.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

SensorDefineTable Defines(const QByteArray& header)
{
    SensorDefineTable table;
    SensorCapabilityHeader::ParseText(header, &table, nullptr);
    return table;
}

QStringList Items(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(','));
}

DpiLevelEntry Entry(int x, int flags)
{
    return DpiLevelEntry{uint8_t(x), uint8_t(x), uint8_t(flags), 0, 0, 0};
}

QList<int> Ints(std::initializer_list<int> values)
{
    return QList<int>(values);
}

// Four ranges by mode 0x33, as a model with a wide sensor would have them.
const char* const kFourRanges = "50,10000,50,10100,20000,100,20200,28000,200,28400,40000,400,0x33";
const QByteArray kTable3311("#define SENSOR_3311_DPI_100\t0\n#define SENSOR_3311_DPI_800\t7\n"
                            "#define SENSOR_3311_DPI_1600\t0x0F\n#define SENSOR_3311_DPI_6100\t60\n"
                            "#define SENSOR_3311_DPI_8000\t79\n#define SENSOR_3311_DPI_12000\t119\n");

} // namespace

class TestDpiCoding : public QObject {
    Q_OBJECT
private slots:
    void rangeParse_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("minima");
        QTest::addColumn<QList<int>>("maxima");
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QString>("minimumText");
        QTest::addColumn<QString>("maximumText");
        QTest::addColumn<bool>("defaultRange");

        const QList<int> dMin = Ints({100}), dMax = Ints({12000}), dStep = Ints({100});
        QTest::newRow("one range, no mode") << Items("50,12000,50,0x00") << 0 << Ints({50}) << Ints({12000})
                                            << Ints({50}) << "50" << "12000" << false;
        QTest::newRow("two ranges") << Items("50,10000,50,10100,26000,100,0x22") << 0x22 << Ints({50, 10100})
                                    << Ints({10000, 26000}) << Ints({50, 100}) << "50" << "26000" << false;
        QTest::newRow("three ranges") << Items("50,10000,50,10100,20000,100,20200,30000,200,0x33") << 0x33
                                      << Ints({50, 10100, 20200}) << Ints({10000, 20000, 30000})
                                      << Ints({50, 100, 200}) << "50" << "30000" << false;
        QTest::newRow("four ranges") << Items(kFourRanges) << 0x33 << Ints({50, 10100, 20200, 28400})
                                     << Ints({10000, 20000, 28000, 40000}) << Ints({50, 100, 200, 400}) << "50"
                                     << "40000" << false;
        QTest::newRow("mode without 0x") << Items("50,12000,50,11") << 0x11 << Ints({50}) << Ints({12000})
                                         << Ints({50}) << "50" << "12000" << false;
        QTest::newRow("mode upper-case 0X") << Items("50,12000,50,0X22") << 0x22 << Ints({50}) << Ints({12000})
                                            << Ints({50}) << "50" << "12000" << false;
        QTest::newRow("mode not hex") << Items("50,12000,50,fast") << 0 << Ints({50}) << Ints({12000})
                                      << Ints({50}) << "50" << "12000" << false;
        QTest::newRow("blanks around items") << Items(" 50, 12000 ,50 , 0x11") << 0x11 << Ints({50})
                                             << Ints({12000}) << Ints({50}) << "50" << "12000" << false;
        // An item left over between the ranges and the mode is not read.
        QTest::newRow("five items") << Items("50,12000,50,99,0x22") << 0x22 << Ints({50}) << Ints({12000})
                                    << Ints({50}) << "50" << "12000" << false;

        // Whatever gives no usable range gives one range without a mode.
        QTest::newRow("no key") << QStringList() << 0 << dMin << dMax << dStep << "100" << "12000" << true;
        QTest::newRow("mode only") << Items("0x22") << 0 << dMin << dMax << dStep << "100" << "12000" << true;
        QTest::newRow("range without mode") << Items("50,12000,50") << 0 << dMin << dMax << dStep << "100"
                                            << "12000" << true;
        QTest::newRow("five ranges") << Items("1,2,1,3,4,1,5,6,1,7,8,1,9,10,1,0x33") << 0 << dMin << dMax << dStep
                                     << "100" << "12000" << true;
        QTest::newRow("step 0") << Items("50,12000,0,0x00") << 0 << dMin << dMax << dStep << "100" << "12000"
                                << true;
        QTest::newRow("negative step") << Items("50,12000,-50,0x00") << 0 << dMin << dMax << dStep << "100"
                                       << "12000" << true;
        QTest::newRow("maximum below minimum") << Items("12000,50,50,0x00") << 0 << dMin << dMax << dStep << "100"
                                               << "12000" << true;
        QTest::newRow("minimum 0") << Items("0,12000,50,0x00") << 0 << dMin << dMax << dStep << "100" << "12000"
                                   << true;
        QTest::newRow("not a number") << Items("50,lots,50,0x00") << 0 << dMin << dMax << dStep << "100" << "12000"
                                      << true;
        QTest::newRow("second range inside the first")
            << Items("50,10000,50,9000,20000,100,0x22") << 0 << dMin << dMax << dStep << "100" << "12000" << true;
    }

    void rangeParse()
    {
        QFETCH(QStringList, items);
        QFETCH(int, mode);
        QFETCH(QList<int>, minima);
        QFETCH(QList<int>, maxima);
        QFETCH(QList<int>, steps);
        QFETCH(QString, minimumText);
        QFETCH(QString, maximumText);
        QFETCH(bool, defaultRange);

        QString problem;
        const DpiRangeTable table = DpiRangeTable::FromItems(items, &problem);
        QCOMPARE(table.dpiRangeMode, mode);
        QCOMPARE(table.dpiRangeCount, minima.size());
        QCOMPARE(table.dpiRangeMinima, minima);
        QCOMPARE(table.dpiRangeMaxima, maxima);
        QCOMPARE(table.dpiRangeSteps, steps);
        QCOMPARE(table.dpiMinimumText, minimumText);
        QCOMPARE(table.dpiMaximumText, maximumText);
        QCOMPARE(table.defaultRange, defaultRange);
        QCOMPARE(problem.isEmpty(), !defaultRange);
        for (int r = 0; r < minima.size(); ++r) {
            QCOMPARE(table.dpiRangeMinText[r].toInt(), minima[r]);
            QCOMPARE(table.dpiRangeMaxText[r].toInt(), maxima[r]);
            QCOMPARE(table.dpiRangeStepText[r].toInt(), steps[r]);
        }
    }

    void aModelWithoutUsableRangeGetsTheDefaultOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Drive1]\nSensor=MzMyNw==\n[Drive2]\nDPIRange=0x22\n[Drive3]\nDPIRange=50,10000,50,0x11\n");
        file.close();
        auto* fixture = new ConfigSettings(path);
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(fixture);

        static QStringList warnings;
        warnings.clear();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
        const DpiRangeTable missing = DpiRangeTable::FromModel(0);
        DpiRangeTable::FromModel(0);
        const DpiRangeTable modeOnly = DpiRangeTable::FromModel(1);
        const DpiRangeTable fine = DpiRangeTable::FromModel(2);
        qInstallMessageHandler(nullptr);
        ConfigSettings::ReplaceInstance(shipped);
        delete fixture;

        QVERIFY(missing.defaultRange);
        QVERIFY(modeOnly.defaultRange);
        QCOMPARE(modeOnly.dpiRangeMode, 0);
        QVERIFY(!fine.defaultRange);
        QCOMPARE(fine.dpiRangeMode, 0x11);
        // One message per model, naming the range used in its place.
        const QStringList used = warnings.filter(QStringLiteral("the range 100,12000,100,0x00 is used"));
        QCOMPARE(used.filter(QStringLiteral("Drive1/DPIRange")).size(), 1);
        QCOMPARE(used.filter(QStringLiteral("Drive2/DPIRange")).size(), 1);
        QCOMPARE(used.filter(QStringLiteral("Drive3/DPIRange")).size(), 0);

        // A mode 0x22 model with no range codes every value without flags.
        const DpiLevelCode code = DpiValueCoding::Encode(12000, 0, QStringLiteral("3327"), SensorDefineTable(), modeOnly);
        QCOMPARE(code.xCode, 239);
        QCOMPARE(code.flags, 0);
    }

    void snap_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("snapped");
        QTest::addColumn<int>("pageStep"); // 7: unchanged

        const QStringList two = Items("50,10000,50,10100,24000,100,0x22");
        QTest::newRow("within the first range") << two << 1234 << 1200 << 50;
        QTest::newRow("first range's minimum") << two << 50 << 50 << 50;
        QTest::newRow("first range's maximum") << two << 10000 << 10000 << 50;
        QTest::newRow("in the gap") << two << 10050 << 10100 << 100;
        QTest::newRow("just above the first range") << two << 10001 << 10100 << 100;
        QTest::newRow("second range") << two << 12345 << 12300 << 100;
        QTest::newRow("second range's maximum") << two << 24000 << 24000 << 100;
        QTest::newRow("below every range") << two << 30 << 30 << 7;
        QTest::newRow("above every range") << two << 24001 << 24001 << 7;
        QTest::newRow("fourth range") << Items(kFourRanges) << 39999 << 39600 << 400;
        QTest::newRow("gap before the fourth") << Items(kFourRanges) << 28001 << 28400 << 400;
        // A minimum off the step's grid is not undercut.
        QTest::newRow("minimum off the grid") << Items("75,1000,50,0x00") << 80 << 75 << 50;
        QTest::newRow("minimum off the grid, above") << Items("75,1000,50,0x00") << 130 << 100 << 50;
    }

    void snap()
    {
        QFETCH(QStringList, items);
        QFETCH(int, value);
        QFETCH(int, snapped);
        QFETCH(int, pageStep);
        int step = 7;
        QCOMPARE(DpiRangeTable::FromItems(items).Snap(value, &step), snapped);
        QCOMPARE(step, pageStep);
    }

    void snapWithoutRangesLeavesTheValue()
    {
        const DpiRangeTable none;
        int step = 7;
        QCOMPARE(none.Snap(1234, &step), 1234);
        QCOMPARE(step, 7);
    }

    void plusAndMinusSteps_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("up");
        QTest::addColumn<int>("down");

        const QStringList two = Items("50,10000,50,10100,24000,100,0x22");
        QTest::newRow("inside range 1") << two << 1200 << 1250 << 1150;
        QTest::newRow("range 1's end") << two << 10000 << 10100 << 9950;
        QTest::newRow("range 2's start") << two << 10100 << 10200 << 10000;
        // A value in the gap goes to the next range's minimum either way.
        QTest::newRow("in the gap") << two << 10050 << 10100 << 10100;
        // The last range steps past its ends; the slider holds them.
        QTest::newRow("the highest") << two << 24000 << 24100 << 23900;
        QTest::newRow("the lowest") << two << 50 << 100 << 0;
        QTest::newRow("below every range") << two << 20 << 20 << 20;
        QTest::newRow("above every range") << two << 24100 << 24100 << 24100;
        QTest::newRow("off the step") << two << 1234 << 1284 << 1184;
        QTest::newRow("gap before the fourth") << Items(kFourRanges) << 28001 << 28400 << 28400;
        QTest::newRow("one range, its end") << Items("100,12000,100,0x00") << 12000 << 12100 << 11900;
    }

    void plusAndMinusSteps()
    {
        QFETCH(QStringList, items);
        QFETCH(int, value);
        QFETCH(int, up);
        QFETCH(int, down);
        const DpiRangeTable table = DpiRangeTable::FromItems(items);
        QCOMPARE(table.StepUp(value), up);
        QCOMPARE(table.StepDown(value), down);
    }

    void stepsWithoutRangesLeaveTheValue()
    {
        const DpiRangeTable none;
        QCOMPARE(none.StepUp(1200), 1200);
        QCOMPARE(none.StepDown(1200), 1200);
    }

    void encode_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<int>("previousFlags");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("shown");

        const QByteArray none;
        const QStringList noMode = Items("50,12000,50,0x00");
        const QStringList mode22 = Items("50,10000,50,10100,26000,100,0x22");
        const QStringList mode11 = Items("50,10000,50,10100,26000,100,0x11");
        const QStringList mode33 = Items(kFourRanges);
        const QStringList wide = Items("50,60000,50,0x00");

        QTest::newRow("no mode") << "3327" << none << noMode << 0 << 800 << 15 << 0x00 << 800;
        QTest::newRow("no mode, smallest") << "3327" << none << noMode << 0 << 50 << 0 << 0x00 << 50;
        QTest::newRow("no mode, 12000") << "3327" << none << noMode << 0 << 12000 << 239 << 0x00 << 12000;
        QTest::newRow("meaningless mode 0x44") << "3327" << none << Items("50,10000,50,10100,12000,100,0x44") << 0
                                               << 12000 << 239 << 0x00 << 12000;
        QTest::newRow("0x22 at the first maximum") << "3327" << none << mode22 << 0 << 10000 << 199 << 0x00 << 10000;
        QTest::newRow("0x22 one step above") << "3327" << none << mode22 << 0 << 10100 << 100 << 0x22 << 10100;
        QTest::newRow("0x22 worked example") << "3327" << none << mode22 << 0 << 12000 << 119 << 0x22 << 12000;
        QTest::newRow("0x11 at the first maximum") << "3327" << none << mode11 << 0 << 10000 << 199 << 0x00 << 10000;
        QTest::newRow("0x11 one step above") << "3327" << none << mode11 << 0 << 10100 << 100 << 0x11 << 10100;
        QTest::newRow("0x11 worked example") << "3327" << none << mode11 << 0 << 12000 << 119 << 0x11 << 12000;
        QTest::newRow("0x33 first range") << "3327" << none << mode33 << 0 << 10000 << 199 << 0x00 << 10000;
        QTest::newRow("0x33 second range") << "3327" << none << mode33 << 0 << 10100 << 100 << 0x22 << 10100;
        QTest::newRow("0x33 third range") << "3327" << none << mode33 << 0 << 20200 << 201 << 0x11 << 20200;
        QTest::newRow("0x33 fourth range") << "3327" << none << mode33 << 0 << 32000 << 159 << 0x33 << 32000;
        QTest::newRow("0x33 largest") << "3327" << none << mode33 << 0 << 40000 << 199 << 0x33 << 40000;
        QTest::newRow("0x33 below every minimum") << "3327" << none << Items("100,10000,100,10200,20000,200,0x33") << 0
                                                  << 50 << 0 << 0x00 << 50;
        // Bits 8 and 9 of the code ride in the flags byte for 3950 and 3395.
        QTest::newRow("3950 high bits") << "3950" << none << wide << 0 << 24000 << 223 << 0x44 << 24000;
        QTest::newRow("3395 both high bits") << "3395" << none << wide << 0 << 51200 << 255 << 0xCC << 51200;
        QTest::newRow("3950 high bits and range flag") << "3950" << none << mode33 << 0 << 27000 << 13 << 0x55 << 27000;
        QTest::newRow("3395 high bits with 0x22") << "3395" << none << mode22 << 0 << 26000 << 3 << 0x66 << 26000;
        // Other sensors keep the low 8 bits only.
        QTest::newRow("other sensor, code above 255") << "3327" << none << wide << 0 << 24000 << 223 << 0x00 << 11200;
        // A code beyond 10 bits is held at the largest: its bits would land on the range flags.
        QTest::newRow("3950 code beyond 10 bits") << "3950" << none << wide << 0 << 60000 << 255 << 0xCC << 51200;
        // Below the lowest step the lowest code, never a negative one.
        QTest::newRow("below 50") << "3327" << none << noMode << 0 << 30 << 0 << 0x00 << 50;
        QTest::newRow("3950 below 50") << "3950" << none << noMode << 0 << 0 << 0 << 0x00 << 50;
        QTest::newRow("below 100 with 0x22") << "3327" << none << mode22 << 0 << -100 << 0 << 0x00 << 50;

        // Code tables.
        QTest::newRow("table hit") << "3311" << kTable3311 << noMode << 0 << 1600 << 15 << 0x00 << 1600;
        QTest::newRow("table hit, smallest") << "3311" << kTable3311 << noMode << 0 << 100 << 0 << 0x00 << 100;
        QTest::newRow("table 3950 worked example") << "3950" << QByteArray("#define SENSOR_3950_DPI_1600\t31\n")
                                                   << noMode << 0 << 1600 << 31 << 0x00 << 1600;
        // A code table takes no high bits, even for 3950.
        QTest::newRow("table 3950, no high bits") << "3950" << QByteArray("#define SENSOR_3950_DPI_24000\t0x1DF\n")
                                                  << wide << 0 << 24000 << 0xDF << 0x00 << 0;
        QTest::newRow("table with 0x11") << "3311" << kTable3311 << Items("100,12000,100,12200,24000,200,0x11") << 0
                                         << 12200 << 60 << 0x11 << 12200;
        QTest::newRow("table with 0x22") << "3311" << kTable3311 << Items("100,12000,100,12200,24000,200,0x22") << 0
                                         << 24000 << 119 << 0x22 << 24000;
        QTest::newRow("table with 0x33") << "3311" << kTable3311 << mode33 << 0 << 32000 << 79 << 0x33 << 32000;
        // A miss sends the level's present step's code, with the new flags.
        QTest::newRow("table miss, plain level") << "3311" << kTable3311 << noMode << 0 << 1650 << 33 << 0x00 << 0;
        QTest::newRow("table miss, level of 100s") << "3311" << kTable3311 << noMode << 0x22 << 1650 << 16 << 0x00 << 0;
        QTest::newRow("table miss, level with 0x11") << "3311" << kTable3311 << noMode << 0x11 << 850 << 17 << 0x00 << 0;
        QTest::newRow("table miss with 0x11 flags")
            << "3311" << kTable3311 << Items("100,12000,100,12200,24000,200,0x11") << 0 << 12300 << 246 << 0x11 << 0;
        QTest::newRow("table miss, below 50") << "3311" << kTable3311 << noMode << 0 << 30 << 0 << 0x00 << 100;
        // A negative code in the table is no code: the miss rule applies.
        QTest::newRow("table value negative") << "3311" << QByteArray("#define SENSOR_3311_DPI_800\t-5\n") << noMode << 0
                                              << 800 << 16 << 0x00 << 0;
    }

    void encode()
    {
        QFETCH(QString, sensor);
        QFETCH(QByteArray, header);
        QFETCH(QStringList, ranges);
        QFETCH(int, previousFlags);
        QFETCH(int, dpi);
        QFETCH(int, x);
        QFETCH(int, flags);
        QFETCH(int, shown);
        const SensorDefineTable defines = Defines(header);
        const DpiLevelCode code =
            DpiValueCoding::Encode(dpi, previousFlags, sensor, defines, DpiRangeTable::FromItems(ranges));
        QCOMPARE(code.xCode, x);
        QCOMPARE(code.yCode, x);
        QCOMPARE(code.flags, flags);
        QCOMPARE(DpiValueCoding::Decode(Entry(code.xCode, code.flags), sensor, defines), shown);
    }

    void decode_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("dpi");

        const QByteArray none;
        QTest::newRow("plain") << "3327" << none << 15 << 0x00 << 800;
        QTest::newRow("plain largest") << "3327" << none << 255 << 0x00 << 12800;
        QTest::newRow("plain 0x22") << "3327" << none << 119 << 0x22 << 12000;
        QTest::newRow("plain 0x11") << "3327" << none << 119 << 0x11 << 12000;
        QTest::newRow("plain 0x33") << "3327" << none << 159 << 0x33 << 32000;
        QTest::newRow("3950 high bits") << "3950" << none << 223 << 0x44 << 24000;
        QTest::newRow("3950 high bits, 0x22") << "3950" << none << 3 << 0x66 << 26000;
        QTest::newRow("other sensor ignores high bits") << "3327" << none << 223 << 0x44 << 11200;
        QTest::newRow("table") << "3311" << kTable3311 << 15 << 0x00 << 1600;
        QTest::newRow("table 0x22 doubles") << "3311" << kTable3311 << 60 << 0x22 << 12200;
        QTest::newRow("table 0x11 doubles") << "3311" << kTable3311 << 60 << 0x11 << 12200;
        QTest::newRow("table 0x33 twice") << "3311" << kTable3311 << 79 << 0x33 << 32000;
        QTest::newRow("table 0x20 alone") << "3311" << kTable3311 << 7 << 0x20 << 1600;
        QTest::newRow("table ignores high bits") << "3311" << kTable3311 << 7 << 0xCC << 800;
        QTest::newRow("table code missing") << "3311" << kTable3311 << 8 << 0x00 << 0;
        QTest::newRow("table code missing, 0x33") << "3311" << kTable3311 << 8 << 0x33 << 0;
    }

    void decode()
    {
        QFETCH(QString, sensor);
        QFETCH(QByteArray, header);
        QFETCH(int, x);
        QFETCH(int, flags);
        QFETCH(int, dpi);
        QCOMPARE(DpiValueCoding::Decode(Entry(x, flags), sensor, Defines(header)), dpi);
    }

    // Every value the DPI slider can reach on every shipped model, snapped,
    // coded and read back, gives the snapped value.
    void everyReachableValueOfEveryShippedModelComesBack()
    {
        ConfigSettings* config = ConfigSettings::Instance();
        const int models = config->Value(QStringLiteral("Option"), QStringLiteral("DeviceTotal")).toInt();
        QVERIFY(models >= 3);
        SensorDefineTable defines;
        SensorCapabilityHeader::Parse(SensorCapabilityHeader::DefaultPath(), &defines, nullptr);

        QSet<int> modes;
        bool twoRanges = false;
        bool codeTable = false;
        for (int model = 0; model < models; ++model) {
            const QString sensor = config->Value(ConfigSettings::ModelGroup(model), QStringLiteral("Sensor"));
            const DpiRangeTable ranges = DpiRangeTable::FromModel(model);
            QVERIFY2(!ranges.defaultRange, qPrintable(QStringLiteral("model %1 has no DPIRange of its own").arg(model)));
            modes.insert(ranges.dpiRangeMode);
            twoRanges = twoRanges || ranges.dpiRangeCount >= 2;
            codeTable = codeTable || SensorCapabilities::HasCodeTable(defines, sensor);

            int checked = 0;
            for (int value = ranges.Minimum(); value <= ranges.Maximum(); ++value) {
                const int snapped = ranges.Snap(value);
                for (int previousFlags : {0x00, 0x22}) {
                    const DpiLevelCode code = DpiValueCoding::Encode(snapped, previousFlags, sensor, defines, ranges);
                    const int shown = DpiValueCoding::Decode(Entry(code.xCode, code.flags), sensor, defines);
                    if (shown != snapped || code.xCode != code.yCode) {
                        QFAIL(qPrintable(QStringLiteral("model %1 (sensor %2): slider %3 snaps to %4, codes %5/0x%6, reads %7")
                                             .arg(model).arg(sensor).arg(value).arg(snapped).arg(code.xCode)
                                             .arg(code.flags, 2, 16, QLatin1Char('0')).arg(shown)));
                    }
                    ++checked;
                }
            }
            QCOMPARE(checked, 2 * (ranges.Maximum() - ranges.Minimum() + 1));
        }
        // The shipped models exercise every range mode, more than one range and a code table.
        QVERIFY(modes.contains(0x11));
        QVERIFY(modes.contains(0x22));
        QVERIFY(modes.contains(0x33));
        QVERIFY(twoRanges);
        QVERIFY(codeTable);
    }

    void modelLevelCount_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("levels");
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("8") << "8" << 8;
        QTest::newRow("above the record") << "12" << 8;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("not a number") << "many" << 0;
        QTest::newRow("missing") << "" << 0;
    }

    void modelLevelCount()
    {
        QFETCH(QString, value);
        QFETCH(int, levels);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Drive1]\n");
        if (!value.isEmpty())
            file.write("DPIMaxGrade=" + value.toLatin1() + "\n");
        file.close();
        auto* fixture = new ConfigSettings(path);
        ConfigSettings* shipped = ConfigSettings::ReplaceInstance(fixture);
        const int got = DpiValueCoding::ModelLevelCount(0);
        ConfigSettings::ReplaceInstance(shipped);
        delete fixture;
        QCOMPARE(got, levels);
    }

    void levelCountFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("missing") << false << QByteArray() << 1;
        QTest::newRow("empty") << true << QByteArray() << 1;
        QTest::newRow("empty first line") << true << QByteArray("\n5\n") << 1;
        QTest::newRow("number") << true << QByteArray("3\n") << 3;
        QTest::newRow("without line end") << true << QByteArray("4") << 4;
        QTest::newRow("CR LF") << true << QByteArray("6\r\n") << 6;
        QTest::newRow("text") << true << QByteArray("five\n") << 0;
        QTest::newRow("above the record") << true << QByteArray("12\n") << 8;
        QTest::newRow("negative") << true << QByteArray("-2\n") << 0;
        QTest::newRow("binary") << true << QByteArray("\x01\x02\xff\xfe", 4) << 0;
    }

    void levelCountFile()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        QTemporaryDir dir;
        if (exists) {
            QFile file(dir.filePath(QStringLiteral("Level.ini")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QCOMPARE(DpiValueCoding::readDpiLevelCountFile(dir.path()), count);
    }
};

QTEST_GUILESS_MAIN(TestDpiCoding)
#include "tst_dpicoding.moc"
