// The sensor page on the simulated mice: a device record fills every
// control without writing, each control the user changes writes its byte
// (and is put back when the mouse is offline), the mouse's own DPI level and
// report rate reports move the page, and the reset shows the model's
// defaults.

#include "FileSizeLimit.h"
#include "SensorPageTestSupport.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/LanguageLoader.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/Sensor.h"
#include "sensor/SensorCapabilities.h"
#include "sensor/SensorDPI.h"
#include "sensor/SensorSwitchPanel.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace SensorPageTest;

namespace {

const char* const kLevelButtons[8] = {"BlueButton", "BrightRedButton", "RedButton", "YellowButton",
                                      "GreenButton", "PurpleButton", "LightBlueButton", "LightYellowButton"};
const QPoint kMarkers[8] = {{27, 154}, {118, 154}, {209, 154}, {300, 154}, {391, 154}, {483, 154}, {573, 154}, {664, 154}};
const char* const kRateButtons[7] = {"Button125HZ", "Button250HZ", "Button500HZ", "Button1000HZ",
                                     "Button2000HZ", "Button4000HZ", "Button8000HZ"};

// The simulated receiver (found device) and the mouse behind it, by model.
struct Device {
    const char* found;
    const char* mouse;
};
const Device kDevices[] = {{"r1k", "behind1k"}, {"r2k", "behind2k"}, {"r8k", "behind8k"}, {"cable8k", "cable8k"}};

template <typename T>
T* Child(QWidget* page, const char* name)
{
    return page->findChild<T*>(QLatin1String(name));
}

// The CRC of a PNG chunk, over its type and data.
quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QToolButton* LevelButton(QWidget* page, int level)
{
    return Child<QToolButton>(page, kLevelButtons[level]);
}

int CheckedRate(QWidget* page)
{
    for (int i = 0; i < 7; ++i)
        if (Child<QToolButton>(page, kRateButtons[i])->isChecked())
            return i;
    return -1;
}

QString SwatchColor(QWidget* page, int level)
{
    const QRegularExpression colour(QStringLiteral("background-color:rgb\\(([0-9,]+)\\)"));
    auto* swatch = page->findChild<QToolButton*>(QLatin1String(kLevelButtons[level]) + QLatin1Char('A'));
    return colour.match(swatch->styleSheet()).captured(1);
}

bool SwitchOn(QWidget* page, const char* frame)
{
    return Child<SensorSwitchPanel>(page, frame)->isSwitchChecked();
}

QWidget* Shown(QWidget* page, const char* name)
{
    return page->findChild<QWidget*>(QLatin1String(name));
}

} // namespace

class TestSensorPage : public QObject {
    Q_OBJECT
private:
    QString mouse;
    bool serverUp = false;

    void UseDevice(int index, RozReportCallback callback = nullptr)
    {
        QVERIFY(UseFoundDevice(QLatin1String(kDevices[index].found)));
        mouse = QLatin1String(kDevices[index].mouse);
        if (serverUp)
            UsbServer_Exit();
        const QByteArray path = CurrentDevice::Path();
        UsbServerC_Start(path.constData(), path.constData(), callback);
        serverUp = true;
    }

    // Fills the page from the record as the device link does and makes it the current record.
    void Fill(Sensor& page, const FlashDataMap& record)
    {
        {
            CurrentFlashMapLock lock;
            lock.Map() = record;
        }
        page.SlotUpDataSenSorUISensor(record);
        SimulatedDeviceControl::clearCalls();
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(SENSOR_FIXTURES "/sensor_mice.json", &error), qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
    }

    void init()
    {
        for (const Device& device : kDevices)
            SimulatedDeviceControl::setOnline(QLatin1String(device.mouse), true);
        deviceSendEnabled = true;
        sensorPageFilling = false;
        languageIndex = 0;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        if (serverUp)
            UsbServer_Exit();
        serverUp = false;
        deviceSendEnabled = false;
        sensorPageFilling = false;
    }

    void aRecordFillsEveryControlWithoutWriting_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("lod");
        QTest::addColumn<int>("switches"); // bit 0 ripple, 1 straight line, 2 motion sync
        QTest::addColumn<int>("performance");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("mode");
        // Model 1 (3950, eight levels) on a 1 kHz receiver: every level count.
        for (int count = 1; count <= 8; ++count)
            QTest::addRow("3950, %d levels", count)
                << 0 << count << count - 1 << 8 << 1 + count % 3 << count % 8 << count % 2 << QList<int>{1, 3, 6, 12, 18, 30, 60, 90}[count - 1] << count % 2;
        QTest::newRow("3950, 0.7 mm, all on") << 0 << 4 << 2 << 2 << 3 << 7 << 1 << 90 << 1;
        QTest::newRow("3950, 1 mm, all off") << 0 << 4 << 0 << 4 << 1 << 0 << 0 << 3 << 0;
        // Model 2 (3395, six levels, one sensor group) on a 2 kHz receiver.
        QTest::newRow("3395, 6 levels, 2 mm") << 1 << 6 << 5 << 1 << 2 << 3 << 1 << 12 << 1;
        QTest::newRow("3395, 2000 Hz forces Corded") << 1 << 3 << 1 << 16 << 1 << 5 << 0 << 6 << 0;
        QTest::newRow("3395, 1 level") << 1 << 1 << 0 << 1 << 2 << 6 << 1 << 1 << 0;
        // Model 3 (3311 with a code table, five levels) on an 8 kHz receiver.
        QTest::newRow("3311, 5 levels") << 2 << 5 << 4 << 64 << 1 << 1 << 1 << 30 << 1;
        QTest::newRow("3311, 2 levels, 2 mm") << 2 << 2 << 1 << 1 << 2 << 2 << 0 << 60 << 0;
        // Model 1 on the cable: always Corded.
        QTest::newRow("3950 on the cable") << 3 << 8 << 7 << 64 << 2 << 4 << 1 << 18 << 1;
    }

    void aRecordFillsEveryControlWithoutWriting()
    {
        QFETCH(int, device);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, rate);
        QFETCH(int, lod);
        QFETCH(int, switches);
        QFETCH(int, performance);
        QFETCH(int, time);
        QFETCH(int, mode);
        UseDevice(device);
        const DeviceAllInfo info = CurrentDevice::Info();
        const QString sensor = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(info.modelIndex), QStringLiteral("Sensor"));
        const int levels = DpiValueCoding::ModelLevelCount(info.modelIndex);

        FlashDataMap record = PlainRecord();
        record.dpiLevelCount = uint8_t(count);
        record.currentDpiLevel = uint8_t(current);
        record.reportRate = uint8_t(rate);
        record.liftOffDistance = uint8_t(lod);
        record.rippleControl = switches & 1;
        record.straightLine = (switches >> 1) & 1;
        record.motionSync = (switches >> 2) & 1;
        record.performanceMode = uint8_t(performance);
        record.performanceTime = uint8_t(time);
        record.sensorMode = uint8_t(mode);
        if (sensor == QLatin1String("3311")) {
            // Codes of the sensor's own table.
            for (int i = 0; i < 8; ++i)
                record.dpiLevels[i].xCode = record.dpiLevels[i].yCode = uint8_t(*SensorCapabilities::CodeOfDpi(
                    SensorCapabilities::DefineTable(), sensor, 400 * (1 + i % 4)));
        }

        Sensor page;
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        page.SlotUpDataSenSorUISensor(record);

        // Nothing was written, nothing asked the device.
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
        QVERIFY(offline.isEmpty());
        QVERIFY(sensorPageReady);
        QVERIFY(!sensorPageFilling);

        // DPI levels: the model's levels carry the record's values and colours.
        QCOMPARE(CurrentSensorName, sensor);
        QList<int> values;
        for (int i = 0; i < levels; ++i) {
            const int value = DpiValueCoding::Decode(record.dpiLevels[i], sensor, SensorCapabilities::DefineTable());
            QVERIFY(value >= 50);
            values << value;
            QCOMPARE(LevelButton(&page, i)->text(), QString::number(value));
            const DpiLevelEntry& entry = record.dpiLevels[i];
            QCOMPARE(SwatchColor(&page, i), QStringLiteral("%1,%2,%3").arg(entry.red).arg(entry.green).arg(entry.blue));
        }
        for (int i = 0; i < 8; ++i)
            QCOMPARE(!LevelButton(&page, i)->isHidden(), i < count);
        auto* countList = Child<MyConmboBox>(&page, "ChooseEvent");
        QCOMPARE(countList->count(), levels);
        QCOMPARE(countList->currentIndex(), count - 1 < levels ? count - 1 : -1);
        QCOMPARE(Child<QLabel>(&page, "label_8")->pos(), kMarkers[current]);
        if (current < levels) {
            for (int i = 0; i < 8; ++i)
                QCOMPARE(LevelButton(&page, i)->isChecked(), i == current);
            QCOMPARE(Child<QSpinBox>(&page, "spinBoxA")->value(), values[current]);
            QCOMPARE(Child<MySlider>(&page, "horizontalSliderC")->value(), values[current]);
            QCOMPARE(announced.size(), 1);
            QCOMPARE(announced.first().first().toInt(), values[current]);
        } else {
            QVERIFY(announced.isEmpty());
        }
        QCOMPARE(Child<MySlider>(&page, "horizontalSliderC")->maximum(), DpiRangeTable::Current().Maximum());
        QVERIFY(Child<MySlider>(&page, "horizontalSliderC")->isEnabled());

        // Report rate: on the cable a receiver's 2000 or 4000 Hz shows as 1000 Hz.
        QCOMPARE(CheckedRate(&page), Sensor::RateIndexOfCode(rate));

        // Sensor mode: Corded and disabled on the cable or at 2000 Hz and more
        // behind a fast receiver; the record's mode otherwise, where the sensor has modes.
        auto* modeList = Child<MyConmboBox>(&page, "ModelChoose");
        const bool modes = sensor != QLatin1String("3311");
        const bool corded = info.wired || (info.connectionKind != ConnectionReceiver1K && rate >= 16);
        if (modes) {
            QCOMPARE(modeList->currentIndex(), corded ? 2 : mode);
            QCOMPARE(modeList->isEnabled(), !corded);
            auto* view = qobject_cast<QListView*>(modeList->view());
            QCOMPARE(view->isRowHidden(2), !corded);
        } else {
            QVERIFY(!modeList->isEnabled());
        }

        // Lift-off distance: 0.7 mm only on the 3950.
        auto* lodList = Child<MyConmboBox>(&page, "LOD");
        QCOMPARE(lodList->count(), sensor == QLatin1String("3950") ? 3 : 2);
        const QStringList distances{"", "1mm", "2mm", "0.7mm"};
        QCOMPARE(lodList->currentText(), distances[lod]);
        QCOMPARE(lodList->isEnabled(), sensor == QLatin1String("3950"));

        // Performance mode and its time.
        QCOMPARE(Child<QCheckBox>(&page, "Performance")->isChecked(), performance != 0);
        auto* timeList = Child<MyConmboBox>(&page, "PerformanceOpen");
        QCOMPARE(timeList->isEnabled(), performance != 0);
        QCOMPARE(timeList->currentIndex(), Sensor::PerformanceIndexOfCode(time));

        // The switches; motion sync is never shown.
        QCOMPARE(SwitchOn(&page, "frame"), (switches & 1) != 0);
        QCOMPARE(SwitchOn(&page, "frame_4"), (switches & 2) != 0);
        QCOMPARE(SwitchOn(&page, "frame_3"), (switches & 4) != 0);
        QVERIFY(Shown(&page, "frame_3")->isHidden());
        QCOMPARE(Shown(&page, "frame")->isHidden(), false); // every sensor here has ripple control
        QCOMPARE(Shown(&page, "frame_4")->isHidden(), sensor == QLatin1String("3311"));

        // One sensor group (XIn1 = 2, the second model): the group is hidden
        // but the tips and the panels the sensor supports stay.
        const bool oneGroup = info.modelIndex == 1;
        for (const char* name : {"TitleButton_4", "label_5", "label_11", "ModelChoose", "frameLOD", "Performance", "PerformanceOpen"})
            QCOMPARE(Shown(&page, name)->isHidden(), oneGroup);
        QVERIFY(!Shown(&page, "label")->isHidden());
        QVERIFY(!Shown(&page, "label_2")->isHidden());
    }

    void theRecordsUnknownCodesLeaveTheControls()
    {
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.reportRate = 2;
        record.performanceTime = 30;
        page.SlotUpDataSenSorUIB(record);
        record.reportRate = 3;
        record.performanceTime = 7;
        record.liftOffDistance = 0;
        page.SlotUpDataSenSorUIB(record);
        QCOMPARE(CheckedRate(&page), 2);
        QCOMPARE(Child<MyConmboBox>(&page, "PerformanceOpen")->currentIndex(), 5);
        QCOMPARE(Child<MyConmboBox>(&page, "LOD")->currentText(), QStringLiteral("1mm"));
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void eachControlWritesItsByte_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::newRow("sensor mode HP") << "ModelChoose" << 14 << 1;
        QTest::newRow("performance time 3 min") << "PerformanceOpen" << 13 << 18;
        QTest::newRow("performance on") << "Performance" << 12 << 1;
        QTest::newRow("lift-off 2 mm") << "LOD" << 5 << 2;
        QTest::newRow("ripple control on") << "RippeControl_2" << 10 << 1;
        QTest::newRow("straight line on") << "StraightLine_2" << 9 << 1;
    }

    void eachControlWritesItsByte()
    {
        QFETCH(QString, control);
        QFETCH(int, offset);
        QFETCH(int, value);
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.performanceMode = control == QLatin1String("PerformanceOpen") ? 1 : 0;
        Fill(page, record);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QSignalSpy performance(PostMsg::Instance(), SIGNAL(Sig20KOpen(bool)));

        QWidget* widget = page.findChild<QWidget*>(control);
        QVERIFY(widget);
        if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setCurrentIndex(control == QLatin1String("PerformanceOpen") ? 4 : (control == QLatin1String("LOD") ? 2 : 1));
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));

        QCOMPARE(SentBytes(offset), QList<int>{value});
        QCOMPARE(StoredByte(mouse, offset), value);
        if (control == QLatin1String("Performance")) {
            QCOMPARE(performance.size(), 1);
            QCOMPARE(performance.first().first().toBool(), true);
            QVERIFY(Child<MyConmboBox>(&page, "PerformanceOpen")->isEnabled());
        }
    }

    void anOfflineMousePutsTheControlBack_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("sensor mode") << "ModelChoose";
        QTest::newRow("performance time") << "PerformanceOpen";
        QTest::newRow("performance") << "Performance";
        QTest::newRow("lift-off") << "LOD";
        QTest::newRow("ripple control") << "RippeControl_2";
        QTest::newRow("straight line") << "StraightLine_2";
    }

    void anOfflineMousePutsTheControlBack()
    {
        QFETCH(QString, control);
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.performanceMode = 1;
        record.performanceTime = 6;
        record.sensorMode = 0;
        record.liftOffDistance = 1;
        Fill(page, record);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QWidget* widget = page.findChild<QWidget*>(control);
        QVERIFY(widget);
        auto* list = qobject_cast<QComboBox*>(widget);
        // A change the mouse accepts first: the value to come back to.
        if (list)
            list->setCurrentIndex(control == QLatin1String("LOD") ? 2 : 1);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
        const int accepted = list ? list->currentIndex() : int(qobject_cast<QAbstractButton*>(widget)->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(), 1);

        SimulatedDeviceControl::setOnline(mouse, false);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        if (list)
            list->setCurrentIndex(0);
        else
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));

        const int shown = list ? list->currentIndex() : int(qobject_cast<QAbstractButton*>(widget)->isChecked());
        QCOMPARE(shown, accepted);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(), 1);
        QCOMPARE(offline.size(), 1);
        if (control == QLatin1String("Performance"))
            QCOMPARE(Child<MyConmboBox>(&page, "PerformanceOpen")->isEnabled(), accepted != 0);
    }

    // The mouse answers the online check and is gone before the new rate
    // reaches it: the page shows the rate the mouse still runs at.
    void aRateTheMouseMissesPutsTheRateButtonBack()
    {
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.reportRate = 2;
        Fill(page, record);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* accepted = Child<QToolButton>(&page, kRateButtons[1]);
        QTest::mouseClick(accepted, Qt::LeftButton);
        QCOMPARE(CheckedRate(&page), 1);
        const int held = StoredByte(mouse, 0);
        QCOMPARE(SentBytes(0), QList<int>{held});

        SimulatedDeviceControl::dropAfterOnlineAnswers(mouse, 1);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddReport(int)));
        QTest::mouseClick(Child<QToolButton>(&page, kRateButtons[0]), Qt::LeftButton);

        QCOMPARE(CheckedRate(&page), 1);
        QCOMPARE(StoredByte(mouse, 0), held);
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().reportRate), held);
        QCOMPARE(offline.size(), 1);
        // Nothing may announce the rate the mouse never got.
        for (const QList<QVariant>& rate : announced)
            QCOMPARE(rate.first().toInt(), 250);
    }

    void theControlsWriteNothingBeforeTheFirstPageSwitchOrDuringAFill_data()
    {
        QTest::addColumn<bool>("sendEnabled");
        QTest::addColumn<bool>("filling");
        QTest::newRow("sending not enabled") << false << false;
        QTest::newRow("a fill running") << true << true;
    }

    void theControlsWriteNothingBeforeTheFirstPageSwitchOrDuringAFill()
    {
        QFETCH(bool, sendEnabled);
        QFETCH(bool, filling);
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.performanceMode = 1;
        Fill(page, record);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        deviceSendEnabled = sendEnabled;
        sensorPageFilling = filling;
        Child<MyConmboBox>(&page, "ModelChoose")->setCurrentIndex(1);
        Child<MyConmboBox>(&page, "PerformanceOpen")->setCurrentIndex(5);
        Child<MyConmboBox>(&page, "LOD")->setCurrentIndex(0);
        QSignalSpy tVis(PostMsg::Instance(), SIGNAL(SigtVis(int)));
        QTest::mouseClick(Child<QCheckBox>(&page, "Performance"), Qt::LeftButton, {}, QPoint(8, 15));
        QTest::mouseClick(Child<QToolButton>(&page, "RippeControl_2"), Qt::LeftButton);
        sensorPageFilling = false;
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
        QCOMPARE(tVis.size(), 1);
    }

    void choosingCordedWritesNothing()
    {
        UseDevice(1);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.reportRate = 16;
        Fill(page, record);
        auto* modeList = Child<MyConmboBox>(&page, "ModelChoose");
        QCOMPARE(modeList->currentIndex(), 2);
        record.reportRate = 1;
        Fill(page, record);
        QCOMPARE(modeList->currentIndex(), 0);
        modeList->setCurrentIndex(2);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void theMouseReportsMoveTheLevelAndTheRate()
    {
        UseDevice(1, DeviceReportHandler::OnDeviceData);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.dpiLevelCount = 6;
        record.currentDpiLevel = 0;
        record.sensorMode = 1;
        Fill(page, record);
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));

        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 4), QByteArray(1, '\x03'));
        QTRY_VERIFY(LevelButton(&page, 3)->isChecked());
        QCOMPARE(Child<QLabel>(&page, "label_8")->pos(), kMarkers[3]);
        QCOMPARE(Child<MySlider>(&page, "horizontalSliderC")->value(), 1600);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.first().first().toInt(), 1600);
        QVERIFY(deviceSendEnabled);

        // 2000 Hz behind the 2 kHz receiver forces Corded; back at 500 Hz the
        // record's mode returns and the Corded row is hidden again.
        auto* modeList = Child<MyConmboBox>(&page, "ModelChoose");
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 0), QByteArray(1, '\x10'));
        QTRY_COMPARE(CheckedRate(&page), 4);
        QCOMPARE(modeList->currentIndex(), 2);
        QVERIFY(!modeList->isEnabled());
        SimulatedDeviceControl::injectReport(SimulatedDeviceControl::reportHeader(8, 0), QByteArray(1, '\x02'));
        QTRY_COMPARE(CheckedRate(&page), 2);
        QCOMPARE(modeList->currentIndex(), 1);
        QVERIFY(modeList->isEnabled());
        QVERIFY(qobject_cast<QListView*>(modeList->view())->isRowHidden(2));
    }

    void followingTheMousesLevelPutsTheSendFlagBack_data()
    {
        QTest::addColumn<bool>("sendEnabled");
        QTest::addColumn<int>("index");
        QTest::newRow("enabled") << true << 2;
        QTest::newRow("not yet enabled") << false << 2;
        QTest::newRow("not yet enabled, level 9") << false << 9;
        QTest::newRow("enabled, level 9") << true << 9;
    }

    void followingTheMousesLevelPutsTheSendFlagBack()
    {
        QFETCH(bool, sendEnabled);
        QFETCH(int, index);
        UseDevice(0);
        Sensor page;
        Fill(page, PlainRecord());
        deviceSendEnabled = sendEnabled;
        page.SlotUpDataDPI(index);
        QCOMPARE(bool(deviceSendEnabled), sendEnabled);
        // A level beyond the row moves no marker and selects nothing new.
        QCOMPARE(Child<QLabel>(&page, "label_8")->pos(), kMarkers[index < 8 ? index : 1]);
        QVERIFY(LevelButton(&page, index < 8 ? index : 1)->isChecked());
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void theResetShowsTheModelsDefaults()
    {
        UseDevice(0);
        Sensor page;
        FlashDataMap record = PlainRecord();
        record.performanceMode = 1;
        record.rippleControl = 1;
        record.straightLine = 1;
        record.reportRate = 8;
        record.liftOffDistance = 2;
        record.sensorMode = 1;
        Fill(page, record);
        QSignalSpy announced(PostMsg::Instance(), SIGNAL(SigAddSensor(int)));
        QSignalSpy performance(PostMsg::Instance(), SIGNAL(Sig20KOpen(bool)));
        sensorPageReady = false;

        page.SlotFormReset();

        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
        QVERIFY(!sensorPageFilling);
        QVERIFY(!sensorPageReady);
        const QStringList grades = ConfigSettings::Instance()->ListValue(QStringLiteral("Drive1"), QStringLiteral("DPIGrade"));
        for (int i = 0; i < 8; ++i) {
            // The selected level shows the reset's value, as the number beside the slider does.
            QCOMPARE(LevelButton(&page, i)->text(), i == 1 ? QStringLiteral("1200") : grades[i]);
            QCOMPARE(!LevelButton(&page, i)->isHidden(), i < 7);
        }
        QCOMPARE(SwatchColor(&page, 0), QStringLiteral("255,0,0"));
        QCOMPARE(SwatchColor(&page, 2), QStringLiteral("0,0,255"));
        QCOMPARE(Child<MyConmboBox>(&page, "ChooseEvent")->count(), 7);
        QCOMPARE(Child<MyConmboBox>(&page, "ChooseEvent")->currentText(), QStringLiteral("7"));
        QVERIFY(LevelButton(&page, 1)->isChecked());
        QCOMPARE(Child<QLabel>(&page, "label_8")->pos(), kMarkers[1]);
        QCOMPARE(Child<QSpinBox>(&page, "spinBoxA")->value(), 1200);
        QCOMPARE(Child<MySlider>(&page, "horizontalSliderC")->value(), 1200);
        QCOMPARE(announced.last().first().toInt(), 1200);
        QCOMPARE(CheckedRate(&page), 3);
        QCOMPARE(Child<MyConmboBox>(&page, "ModelChoose")->currentIndex(), 0);
        QCOMPARE(Child<MyConmboBox>(&page, "LOD")->currentText(), QStringLiteral("1mm"));
        QVERIFY(!Child<QCheckBox>(&page, "Performance")->isChecked());
        QCOMPARE(performance.last().first().toBool(), false);
        QCOMPARE(Child<MyConmboBox>(&page, "PerformanceOpen")->currentIndex(), 2);
        QVERIFY(!Child<MyConmboBox>(&page, "PerformanceOpen")->isEnabled());
        QVERIFY(!SwitchOn(&page, "frame"));
        QVERIFY(!SwitchOn(&page, "frame_4"));
        QVERIFY(SwitchOn(&page, "frame_3"));
        QVERIFY(Shown(&page, "frame_3")->isHidden());
    }

    void theLevelCountFileGivesTheEditorsFirstCount_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("six") << QByteArray("6\n") << 6;
        QTest::newRow("no file") << QByteArray() << 1;
        QTest::newRow("beyond a record") << QByteArray("40") << 8;
    }

    void theLevelCountFileGivesTheEditorsFirstCount()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        const QString folder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + QStringLiteral("/Level.ini"));
        file.remove();
        if (!content.isNull()) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
        }
        Sensor page;
        QCOMPARE(Child<SensorDPI>(&page, "frameDpi")->LevelCount(), count);
        file.remove();
    }

    void aLevelCountPathThatIsNoFileGivesOneLevel_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("a FIFO") << true;
        QTest::newRow("a folder") << false;
    }

    void aLevelCountPathThatIsNoFileGivesOneLevel()
    {
        QFETCH(bool, fifo);
        const QString folder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/Level.ini");
        QFile::remove(path);
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkpath(path));
        // Nothing ever writes into the FIFO: a read of it would never return.
        {
            Sensor page;
            QCOMPARE(Child<SensorDPI>(&page, "frameDpi")->LevelCount(), 1);
        }
        if (fifo)
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(QDir(path).removeRecursively());
    }

    void theLevelCountWriterReplacesTheFileWhole()
    {
        const QString folder = AppPaths::UserDataFolder() + QStringLiteral("/usersetting/SensorPage");
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + QStringLiteral("/Level.ini"));
        file.remove();
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("7\n");
        file.close();

        QString reason;
        QVERIFY(DpiValueCoding::writeDpiLevelCountFile(folder, 5, &reason));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("5"));
        file.close();
        {
            Sensor page;
            QCOMPARE(Child<SensorDPI>(&page, "frameDpi")->LevelCount(), 5);
        }

        // A full disk: the earlier file stays whole and the failure is told.
        {
            const FileSizeLimit fullDisk(0);
            QVERIFY(!DpiValueCoding::writeDpiLevelCountFile(folder, 3, &reason));
        }
        QVERIFY(!reason.isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("5"));
        file.close();

        // A folder in the file's place is not replaced.
        QVERIFY(file.remove());
        QVERIFY(QDir().mkpath(file.fileName()));
        reason.clear();
        QVERIFY(!DpiValueCoding::writeDpiLevelCountFile(folder, 3, &reason));
        QVERIFY(!reason.isEmpty());
        QVERIFY(QFileInfo(file.fileName()).isDir());
        QVERIFY(QDir(file.fileName()).removeRecursively());
    }

    void theSwitchSlotsWithoutAControlWriteTheirByte_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("offset");
        QTest::newRow("ripple control") << "on_RippeControl_clicked" << "frame" << 10;
        QTest::newRow("straight line") << "on_StraightLine_clicked" << "frame_4" << 9;
        QTest::newRow("motion sync") << "on_MotionSync_clicked" << "frame_3" << 7;
    }

    void theSwitchSlotsWithoutAControlWriteTheirByte()
    {
        QFETCH(QString, slot);
        QFETCH(QString, panel);
        QFETCH(int, offset);
        UseDevice(0);
        Sensor page;
        Fill(page, PlainRecord());
        const QByteArray name = slot.toLatin1();
        auto* switchPanel = page.findChild<SensorSwitchPanel*>(panel);
        QVERIFY(switchPanel);

        QVERIFY(QMetaObject::invokeMethod(&page, name.constData(), Q_ARG(bool, true)));
        QCOMPARE(SentBytes(offset), QList<int>{1});
        QCOMPARE(StoredByte(mouse, offset), 1);
        QVERIFY(switchPanel->isSwitchChecked());
        QVERIFY(QMetaObject::invokeMethod(&page, name.constData(), Q_ARG(bool, false)));
        QCOMPARE(SentBytes(offset), (QList<int>{1, 0}));
        QCOMPARE(StoredByte(mouse, offset), 0);
        QVERIFY(!switchPanel->isSwitchChecked());

        // Offline: nothing written, the panel keeps what the mouse holds.
        SimulatedDeviceControl::setOnline(mouse, false);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QVERIFY(QMetaObject::invokeMethod(&page, name.constData(), Q_ARG(bool, true)));
        QCOMPARE(offline.size(), 1);
        QCOMPARE(SentBytes(offset), (QList<int>{1, 0}));
        QVERIFY(!switchPanel->isSwitchChecked());

        // Before the first page switch nothing is written.
        SimulatedDeviceControl::setOnline(mouse, true);
        deviceSendEnabled = false;
        QVERIFY(QMetaObject::invokeMethod(&page, name.constData(), Q_ARG(bool, true)));
        QCOMPARE(SentBytes(offset), (QList<int>{1, 0}));
        QVERIFY(!switchPanel->isSwitchChecked());
    }

    void theSubMillimetreSlotsWithoutAControl()
    {
        UseDevice(1);
        Sensor page;
        Fill(page, PlainRecord());
        {
            CurrentFlashMapLock lock;
            QVERIFY(ProtocolDataUpdate(lock.Bytes()));
        }
        auto* lod = Child<MyConmboBox>(&page, "LOD");
        QStringList before;
        for (int i = 0; i < lod->count(); ++i)
            before << lod->itemText(i);
        QVERIFY(!before.contains(QStringLiteral("0.7mm")));
        const QString shown = lod->currentText();
        // The distance chosen stays, on the page and in the mouse.
        QVERIFY(QMetaObject::invokeMethod(&page, "on_pushButton_clicked"));
        QCOMPARE(lod->count(), before.size() + 1);
        QVERIFY(lod->findText(QStringLiteral("0.7mm")) >= 0);
        QCOMPARE(lod->currentText(), shown);
        QCOMPARE(StoredByte(mouse, 5), int(PlainRecord().liftOffDistance));
        QVERIFY(QMetaObject::invokeMethod(&page, "on_pushButton_2_clicked"));
        QCOMPARE(lod->count(), before.size());
        QCOMPARE(lod->findText(QStringLiteral("0.7mm")), -1);
        QCOMPARE(lod->currentText(), shown);
        QCOMPARE(StoredByte(mouse, 5), int(PlainRecord().liftOffDistance));
    }

    void aButtonTakesAPictureAtItsOwnSize_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a picture") << "picture" << true;
        QTest::newRow("no file") << "missing" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("a FIFO") << "fifo" << false;
        QTest::newRow("not a picture") << "text" << false;
        QTest::newRow("a picture too large to decode") << "huge" << false;
    }

    void aButtonTakesAPictureAtItsOwnSize()
    {
        QFETCH(QString, kind);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Picture.png"));
        if (kind == QLatin1String("picture")) {
            QImage picture(8, 8, QImage::Format_ARGB32);
            picture.fill(Qt::red);
            QVERIFY(picture.save(path, "PNG"));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("text")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a picture");
        } else if (kind == QLatin1String("huge")) {
            // A small file whose header claims 60000 x 60000 pixels.
            QImage picture(1, 1, QImage::Format_Mono);
            picture.fill(0);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(picture.save(&buffer, "PNG"));
            QByteArray bytes = buffer.data();
            // The IHDR's width and height follow the 8-byte signature and its length and type.
            const char side[4] = {0, 0, char(0xEA), char(0x60)};
            bytes.replace(16, 4, side, 4);
            bytes.replace(20, 4, side, 4);
            const quint32 crc = Crc32(bytes.mid(12, 17));
            const char crcBytes[4] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
            bytes.replace(29, 4, crcBytes, 4);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QToolButton button;
        button.resize(30, 20);
        QCOMPARE(Sensor::setButtonPicture(&button, path), taken);
        QCOMPARE(button.icon().isNull(), !taken);
        if (taken) {
            QCOMPARE(button.iconSize(), QSize(30, 20));
            QCOMPARE(button.icon().pixmap(8, 8).toImage().pixelColor(4, 4), QColor(Qt::red));
        }
    }

    void theLanguageTextsAndTipPlaces_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QPoint>("modeTip");
        QTest::addColumn<QPoint>("performanceTip");
        QTest::newRow("0") << 0 << QPoint(203, 361) << QPoint(630, 361);
        QTest::newRow("1") << 1 << QPoint(160, 361) << QPoint(530, 361);
        QTest::newRow("2 as 1") << 2 << QPoint(160, 361) << QPoint(530, 361);
        QTest::newRow("3") << 3 << QPoint(163, 361) << QPoint(510, 361);
        QTest::newRow("7") << 7 << QPoint(178, 361) << QPoint(630, 361);
        QTest::newRow("9 moves nothing") << 9 << QPoint(170, 361) << QPoint(540, 361);
    }

    void theLanguageTextsAndTipPlaces()
    {
        QFETCH(int, language);
        QFETCH(QPoint, modeTip);
        QFETCH(QPoint, performanceTip);
        languageIndex = 9;
        Sensor page;
        QCOMPARE(Child<QLabel>(&page, "label")->pos(), QPoint(170, 361));
        page.SlotAllLanguage(language);
        QCOMPARE(Child<QLabel>(&page, "label")->pos(), modeTip);
        QCOMPARE(Child<QLabel>(&page, "label_2")->pos(), performanceTip);
        if (language != 0)
            return;
        auto text = [](const char* key) { return LanguageTables::Text(0, QStringLiteral("sensor"), QLatin1String(key)); };
        QVERIFY(!text("SensorSetting").isEmpty());
        QCOMPARE(Child<QLabel>(&page, "label_5")->text(), text("SensorSetting"));
        QCOMPARE(Child<QLabel>(&page, "label_11")->text(), text("SensorMode"));
        QCOMPARE(Child<QLabel>(&page, "label")->toolTip(), text("SensorModeTips"));
        QCOMPARE(Child<QCheckBox>(&page, "Performance")->text(), text("Performance"));
        QCOMPARE(Child<QLabel>(&page, "label_2")->toolTip(), text("PerformanceTips"));
        QCOMPARE(Child<QWidget>(&page, "frameDpi")->findChild<QLabel*>(QStringLiteral("label"))->text(), text("DPISetting"));
        QCOMPARE(Child<QWidget>(&page, "frameRate")->findChild<QLabel*>(QStringLiteral("label"))->text(), text("ReportRate"));
        QCOMPARE(Child<QWidget>(&page, "frameLOD")->findChild<QLabel*>(QStringLiteral("label"))->text(), text("LOD"));
        QCOMPARE(Child<QWidget>(&page, "frame")->findChild<QLabel*>(QStringLiteral("label"))->text(), text("Ripple"));
        QCOMPARE(Child<QWidget>(&page, "frame_4")->findChild<QLabel*>(QStringLiteral("label"))->text(), text("Angle"));
        QCOMPARE(Child<QWidget>(&page, "frame_4")->findChild<QLabel*>(QStringLiteral("label_2"))->toolTip(), text("AngleTips"));
        auto* times = Child<MyConmboBox>(&page, "PerformanceOpen");
        QCOMPARE(times->count(), 8);
        QCOMPARE(times->itemText(0), LanguageTables::Option(0, QStringLiteral("PerformanceOptions"), QStringLiteral("1")));
        QCOMPARE(times->itemText(7), LanguageTables::Option(0, QStringLiteral("PerformanceOptions"), QStringLiteral("90")));
        QVERIFY(!times->itemText(7).isEmpty());
    }
};

QTEST_MAIN(TestSensorPage)
#include "tst_sensorpage.moc"
