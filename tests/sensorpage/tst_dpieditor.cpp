// The DPI level editor in the user's hands, on the simulated mice: real mouse
// events on the shown sensor page select levels, colour them, change the
// level count, move the value slider, step it with plus and minus and drag
// the marker. After every step the mouse's record and the editor agree, and
// no step writes twice or writes a value the editor does not show.

// Mouse events go through the window as a real pointer's do: to the widget
// under the pointer, with the pressed widget grabbing moves and the release.
#define QTEST_QPA_MOUSE_HANDLING

#include "SensorPageTestSupport.h"
#include "SliderGestures.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "sensor/Sensor.h"
#include "sensor/SensorCapabilities.h"
#include "sensor/SensorDPI.h"
#include "widgets/MyConmboBox.h"
#include "widgets/MySlider.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <cstring>
#include <memory>

using namespace SensorPageTest;

namespace {

const char* const kLevelButtons[8] = {"BlueButton", "BrightRedButton", "RedButton", "YellowButton",
                                      "GreenButton", "PurpleButton", "LightBlueButton", "LightYellowButton"};
const QPoint kMarkers[8] = {{27, 154}, {118, 154}, {209, 154}, {300, 154}, {391, 154}, {483, 154}, {573, 154}, {664, 154}};

// The simulated receiver (found device) and the mouse behind it: model 1
// (3950, four ranges by mode 0x33), model 2 (3395, two ranges, 0x22),
// model 3 (3311 with a code table, two ranges, 0x11).
struct Device {
    const char* found;
    const char* mouse;
};
const Device kDevices[] = {{"r1k", "behind1k"}, {"r2k", "behind2k"}, {"r8k", "behind8k"}};

// The ranges each model's configuration gives, as the test reads them.
struct Range {
    int min;
    int max;
    int step;
};
const QList<QList<Range>> kRanges = {
    {{50, 10000, 50}, {10100, 20000, 100}, {20200, 30000, 200}, {30400, 42000, 400}},
    {{50, 10000, 50}, {10100, 26000, 100}},
    {{100, 12000, 100}, {12200, 24000, 200}},
};

// A slider value put on the ranges' steps: rounded down inside a range,
// the next range's minimum in a gap.
int Snapped(const QList<Range>& ranges, int value)
{
    for (int r = 0; r < ranges.size(); ++r) {
        if (r > 0 && value > ranges[r - 1].max && value < ranges[r].min)
            return ranges[r].min;
        if (value >= ranges[r].min && value <= ranges[r].max)
            return value - value % ranges[r].step;
    }
    return value;
}

FlashDataMap MouseRecord(const QString& mouse)
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    QByteArray bytes;
    if (FlashImageCodec::decode(SimulatedDeviceControl::flashImage(mouse), &bytes))
        std::memcpy(&record, bytes.constData(), qMin(size_t(bytes.size()), sizeof(record)));
    return record;
}

FlashDataMap RecordOf(const QByteArray& bytes)
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    std::memcpy(&record, bytes.constData(), qMin(size_t(bytes.size()), sizeof(record)));
    return record;
}

QList<FlashDataMap> SentRecords()
{
    QList<FlashDataMap> records;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")))
        records << RecordOf(QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1()));
    return records;
}

QString ColorOf(const DpiLevelEntry& entry)
{
    return QStringLiteral("%1,%2,%3").arg(entry.red).arg(entry.green).arg(entry.blue);
}

// The handle of a slider, as the slider itself finds it.
QStyleOptionSlider SliderOption(QSlider* slider)
{
    return SliderGestures::Option(slider, slider->sliderPosition());
}

QRect HandleRect(QSlider* slider)
{
    const QStyleOptionSlider option = SliderOption(slider);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

// The value a handle dragged from its centre to x stands at.
int ValueDraggedTo(QSlider* slider, int x)
{
    const QStyleOptionSlider option = SliderOption(slider);
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    const int sliderMin = groove.x();
    const int sliderMax = groove.right() - handle.width() + 1;
    const int offset = handle.center().x() - handle.x();
    return QStyle::sliderValueFromPosition(slider->minimum(), slider->maximum(), x - offset - sliderMin,
                                           sliderMax - sliderMin, option.upsideDown);
}

// A drag target whose value lies within [low, high]; -1 when no pixel has one.
int PixelFor(QSlider* slider, int low, int high)
{
    for (int x = 0; x < slider->width(); ++x) {
        const int value = ValueDraggedTo(slider, x);
        if (value >= low && value <= high)
            return x;
    }
    return -1;
}

} // namespace

class TestDpiEditor : public QObject {
    Q_OBJECT
private:
    QString mouse;
    int device = 0;
    bool serverUp = false;
    std::unique_ptr<Sensor> page;
    std::unique_ptr<QSignalSpy> announced;
    std::unique_ptr<QSignalSpy> offline;

    SensorDPI* Editor() { return page->findChild<SensorDPI*>(QStringLiteral("frameDpi")); }
    QToolButton* LevelButton(int level) { return page->findChild<QToolButton*>(QLatin1String(kLevelButtons[level])); }
    QToolButton* Swatch(int level)
    {
        return page->findChild<QToolButton*>(QLatin1String(kLevelButtons[level]) + QLatin1Char('A'));
    }
    MySlider* Slider() { return page->findChild<MySlider*>(QStringLiteral("horizontalSliderC")); }
    QSpinBox* Spin() { return page->findChild<QSpinBox*>(QStringLiteral("spinBoxA")); }
    MyConmboBox* CountList() { return page->findChild<MyConmboBox*>(QStringLiteral("ChooseEvent")); }
    QLabel* Marker() { return Editor()->findChild<QLabel*>(QStringLiteral("label_8")); }
    QToolButton* Plus() { return page->findChild<QToolButton*>(QStringLiteral("AddLevelA")); }
    QToolButton* Minus() { return page->findChild<QToolButton*>(QStringLiteral("ReduceLevelA")); }

    int Sends() { return SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size(); }

    int CheckedLevel()
    {
        int checked = -1;
        for (int i = 0; i < 8; ++i) {
            if (LevelButton(i)->isChecked()) {
                if (checked >= 0)
                    return -2;
                checked = i;
            }
        }
        return checked;
    }

    QString SwatchColor(int level)
    {
        const QRegularExpression colour(QStringLiteral("background-color:rgb\\(([0-9,]+)\\)"));
        return colour.match(Swatch(level)->styleSheet()).captured(1);
    }

    int Decoded(const DpiLevelEntry& entry)
    {
        return DpiValueCoding::Decode(entry, CurrentSensorName, SensorCapabilities::DefineTable());
    }

    // A record whose levels hold the values, coded for the current model, each with its own colour.
    FlashDataMap RecordWith(const QList<int>& values, int count, int current)
    {
        const DeviceAllInfo info = CurrentDevice::Info();
        const QString sensor = ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(info.modelIndex), QStringLiteral("Sensor"));
        const DpiRangeTable ranges = DpiRangeTable::FromModel(info.modelIndex);
        FlashDataMap record = PlainRecord();
        record.dpiLevelCount = uint8_t(count);
        record.currentDpiLevel = uint8_t(current);
        for (int i = 0; i < 8; ++i) {
            const DpiLevelCode code = DpiValueCoding::Encode(values.value(i, 800), 0, sensor, SensorCapabilities::DefineTable(), ranges);
            record.dpiLevels[i].xCode = uint8_t(code.xCode);
            record.dpiLevels[i].yCode = uint8_t(code.yCode);
            record.dpiLevels[i].rangeFlags = uint8_t(code.flags);
        }
        return record;
    }

    // With a report callback, what the mouse reports reaches the page as through the device link.
    void UseDevice(int index, RozReportCallback callback = nullptr)
    {
        QVERIFY(UseFoundDevice(QLatin1String(kDevices[index].found)));
        device = index;
        mouse = QLatin1String(kDevices[index].mouse);
        if (serverUp)
            UsbServer_Exit();
        const QByteArray path = CurrentDevice::Path();
        UsbServerC_Start(path.constData(), path.constData(), callback);
        serverUp = true;
    }

    // The mouse holds the record, the shown page is filled from it as the device link does.
    void Start(const FlashDataMap& record)
    {
        {
            CurrentFlashMapLock lock;
            lock.Map() = record;
            QVERIFY(ProtocolDataUpdate(lock.Bytes()));
        }
        page.reset(new Sensor);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        page->SlotUpDataSenSorUISensor(record);
        SimulatedDeviceControl::clearCalls();
        announced.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigAddSensor(int))));
        offline.reset(new QSignalSpy(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int))));
    }

    void StartWith(int index, const QList<int>& values, int count, int current, RozReportCallback callback = nullptr)
    {
        UseDevice(index, callback);
        if (QTest::currentTestFailed())
            return;
        Start(RecordWith(values, count, current));
    }

    // The mouse's record and the editor show the same levels, count,
    // current level and colours; every record sent in the step is the
    // one the mouse now holds, and there was at most one.
    void CheckAgreement(int maxSends = 1)
    {
        const FlashDataMap held = MouseRecord(mouse);
        const QList<FlashDataMap> sent = SentRecords();
        QVERIFY2(sent.size() <= maxSends, qPrintable(QStringLiteral("%1 records sent").arg(sent.size())));
        for (const FlashDataMap& record : sent)
            QVERIFY(std::memcmp(&record, &held, sizeof(record)) == 0);
        const int count = held.dpiLevelCount;
        const int current = held.currentDpiLevel;
        QCOMPARE(CountList()->currentIndex(), count - 1);
        QCOMPARE(Editor()->LevelCountIndex(), count - 1);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(!LevelButton(i)->isHidden(), i < count);
        QCOMPARE(CheckedLevel(), current);
        QCOMPARE(Editor()->CurrentLevel(), current);
        QCOMPARE(Marker()->pos(), kMarkers[current]);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(LevelButton(i)->text(), QString::number(Decoded(held.dpiLevels[i])));
            QCOMPARE(Editor()->LevelColor(i), ColorOf(held.dpiLevels[i]));
            QCOMPARE(SwatchColor(i), ColorOf(held.dpiLevels[i]));
            // No swatch but the current level's is checked, whatever was picked before.
            if (Swatch(i)->isChecked())
                QCOMPARE(i, current);
            QCOMPARE(Swatch(i)->styleSheet().contains(QStringLiteral("MaxB.png")), i == current);
        }
        QCOMPARE(Spin()->value(), Decoded(held.dpiLevels[current]));
    }

    void DragSlider(int toX, bool releaseIt = true)
    {
        MySlider* slider = Slider();
        const QPoint from = HandleRect(slider).center();
        QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(slider, QPoint(from.x() + (toX - from.x()) * step / 4, from.y()));
        if (releaseIt)
            QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(toX, from.y()));
    }

    // Presses the marker 10 pixels inside its corner and drags it to the point.
    void DragMarker(const QPoint& to, bool releaseIt = true)
    {
        SensorDPI* editor = Editor();
        const QPoint from = Marker()->pos() + QPoint(10, 10);
        QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 5; ++step)
            QTest::mouseMove(editor, from + (to - from) * step / 5);
        if (releaseIt)
            QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, to);
    }

    bool ChooseCount(int count)
    {
        MyConmboBox* list = CountList();
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* view = list->view();
        if (!QTest::qWaitForWindowExposed(view->window()))
            return false;
        // The list ignores a release that comes within a double-click time of its
        // opening; on a loaded machine that can still happen, and the user clicks again.
        for (int attempt = 0; attempt < 3; ++attempt) {
            QTest::qWait(QApplication::doubleClickInterval() + 10);
            // The list shows five rows at a time: scroll the wanted one into view.
            const QModelIndex wanted = view->model()->index(count - 1, 0);
            view->scrollTo(wanted);
            const QRect item = view->visualRect(wanted);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
            if (QTest::qWaitFor([&]() { return !view->window()->isVisible(); }, 2000))
                return true;
        }
        return false;
    }

    // The mouse's record names another current level, and the page hears of
    // it: by the mouse's own DPI button, or by a fresh fill.
    void MoveTheMousesLevel(bool byItsButton, int level)
    {
        if (byItsButton) {
            SimulatedDeviceControl::clearCalls();
            QVERIFY(SimulatedDeviceControl::pressDpiButton(mouse));
            QTRY_COMPARE(Editor()->CurrentLevel(), level);
            // The device link hands the record back once the page has followed.
            QTRY_COMPARE(SentBytes(2), QList<int>{level});
        } else {
            FlashDataMap held = MouseRecord(mouse);
            held.currentDpiLevel = uint8_t(level);
            {
                CurrentFlashMapLock lock;
                lock.Map() = held;
                QVERIFY(ProtocolDataUpdate(lock.Bytes()));
            }
            page->SlotUpDataSenSorUISensor(held);
        }
        QCOMPARE(int(MouseRecord(mouse).currentDpiLevel), level);
        QCOMPARE(CheckedLevel(), level);
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(SENSOR_FIXTURES "/sensor_mice.json", &error), qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
        QApplication::setDoubleClickInterval(20);
    }

    void init()
    {
        for (const Device& d : kDevices)
            SimulatedDeviceControl::setOnline(QLatin1String(d.mouse), true);
        deviceSendEnabled = true;
        sensorPageFilling = false;
        noWaitDialog = 0;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        page.reset();
        announced.reset();
        offline.reset();
        if (serverUp)
            UsbServer_Exit();
        serverUp = false;
        deviceSendEnabled = false;
    }

    // ---- level buttons --------------------------------------------------

    void aClickedLevelIsWrittenOnce_data()
    {
        QTest::addColumn<int>("start");
        for (int start = 0; start < 8; ++start)
            QTest::addRow("from level %d", start) << start;
    }

    void aClickedLevelIsWrittenOnce()
    {
        QFETCH(int, start);
        const QList<int> values{400, 800, 1600, 3200, 6400, 12000, 20000, 26000};
        StartWith(0, values, 8, start);
        if (QTest::currentTestFailed())
            return;
        int current = start;
        for (int level : {0, 1, 2, 3, 4, 5, 6, 7, 7, start}) {
            SimulatedDeviceControl::clearCalls();
            announced->clear();
            QTest::mouseClick(LevelButton(level), Qt::LeftButton);
            const bool changes = level != current;
            QCOMPARE(Sends(), changes ? 1 : 0);
            CheckAgreement();
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(MouseRecord(mouse).currentDpiLevel, uint8_t(level));
            QCOMPARE(Spin()->value(), values[level]);
            QCOMPARE(Slider()->value(), values[level]);
            QCOMPARE(LevelButton(level)->geometry().size(), QSize(68, 70));
            QCOMPARE(Swatch(level)->geometry().size(), QSize(66, 14));
            if (changes) {
                QCOMPARE(announced->size(), 1);
                QCOMPARE(announced->first().first().toInt(), values[level]);
            }
            current = level;
        }
        QVERIFY(offline->isEmpty());
    }

    void anOfflineLevelClickKeepsTheMousesLevel()
    {
        StartWith(0, {400, 800, 1600, 3200}, 4, 1);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        QTest::mouseClick(LevelButton(3), Qt::LeftButton);
        QCOMPARE(Sends(), 0);
        QVERIFY(!offline->isEmpty());
        QCOMPARE(CheckedLevel(), 1);
        QCOMPARE(Editor()->CurrentLevel(), 1);
        QCOMPARE(Marker()->pos(), kMarkers[1]);
        QCOMPARE(Spin()->value(), 800);
        QCOMPARE(LevelButton(3)->text(), QStringLiteral("3200"));
        QCOMPARE(LevelButton(3)->geometry().size(), QSize(54, 56));
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
        // The next choice goes through as usual.
        QTest::mouseClick(LevelButton(2), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
    }

    // ---- the selected level's value, whatever was picked before ---------

    void aLevelPickedAgainShowsAndStepsItsOwnValue_data()
    {
        QTest::addColumn<bool>("byTheMousesButton");
        QTest::addColumn<bool>("byTheMarker");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("afterPlus");
        // 3950: 50 to 10000 by 50, 10100 to 20000 by 100, 20200 to 30000 by 200.
        const int levels[3][2] = {{1, 850}, {4, 6450}, {7, 26200}};
        for (bool button : {false, true}) {
            for (bool marker : {false, true}) {
                for (const auto& level : levels)
                    QTest::addRow("%s, then %s level %d", button ? "the mouse's button" : "a fill",
                                  marker ? "the marker dropped on" : "a click on", level[0])
                        << button << marker << level[0] << level[1];
            }
        }
    }

    void aLevelPickedAgainShowsAndStepsItsOwnValue()
    {
        QFETCH(bool, byTheMousesButton);
        QFETCH(bool, byTheMarker);
        QFETCH(int, level);
        QFETCH(int, afterPlus);
        const QList<int> values{400, 800, 1600, 3200, 6400, 12000, 20000, 26000};
        const int other = (level + 1) % 8;
        StartWith(0, values, 8, other, DeviceReportHandler::OnDeviceData);
        if (QTest::currentTestFailed())
            return;
        // The user picked the level before; then the mouse moved to the next one.
        QTest::mouseClick(LevelButton(level), Qt::LeftButton);
        QCOMPARE(int(MouseRecord(mouse).currentDpiLevel), level);
        MoveTheMousesLevel(byTheMousesButton, other);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(Spin()->value(), values[other]);

        SimulatedDeviceControl::clearCalls();
        if (byTheMarker)
            DragMarker(kMarkers[level] + QPoint(10, 10));
        else
            QTest::mouseClick(LevelButton(level), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(int(MouseRecord(mouse).currentDpiLevel), level);
        QCOMPARE(Spin()->value(), values[level]);
        QCOMPARE(Slider()->value(), values[level]);

        // Plus steps from this level's value and writes it into this level alone.
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Plus(), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        const FlashDataMap held = MouseRecord(mouse);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(Decoded(held.dpiLevels[i]), i == level ? afterPlus : values[i]);
        QCOMPARE(Spin()->value(), afterPlus);
    }

    // ---- swatches and the colour dialog ---------------------------------

    void aSwatchSelectsItsLevelAndTheDialogColoursIt()
    {
        StartWith(0, {400, 800, 1600, 3200, 6400, 12000}, 6, 2);
        if (QTest::currentTestFailed())
            return;
        auto* dialog = Editor()->findChild<QColorDialog*>();
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        QTest::mouseClick(Swatch(5), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(MouseRecord(mouse).currentDpiLevel, uint8_t(5));
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());

        // The user picks pure red and accepts.
        SimulatedDeviceControl::clearCalls();
        dialog->setCurrentColor(QColor(255, 0, 0));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(ColorOf(MouseRecord(mouse).dpiLevels[5]), QStringLiteral("255,0,0"));
        QCOMPARE(SwatchColor(5), QStringLiteral("255,0,0"));
        QVERIFY(Swatch(5)->styleSheet().contains(QStringLiteral("MaxB.png")));
    }

    void theColourGoesToTheLevelCheckedWhenItArrives_data()
    {
        QTest::addColumn<bool>("byTheMousesButton");
        QTest::addColumn<int>("level");
        QTest::newRow("the user clicks level 2") << false << 2;
        // The mouse's DPI button steps from level 5 (the last of six) to level 0.
        QTest::newRow("the mouse's button goes to level 0") << true << 0;
    }

    void theColourGoesToTheLevelCheckedWhenItArrives()
    {
        QFETCH(bool, byTheMousesButton);
        QFETCH(int, level);
        StartWith(0, {400, 800, 1600, 3200, 6400, 12000}, 6, 2, DeviceReportHandler::OnDeviceData);
        if (QTest::currentTestFailed())
            return;
        auto* dialog = Editor()->findChild<QColorDialog*>();
        QTest::mouseClick(Swatch(5), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        if (byTheMousesButton)
            MoveTheMousesLevel(true, level);
        else
            QTest::mouseClick(LevelButton(level), Qt::LeftButton);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::clearCalls();
        dialog->setCurrentColor(QColor(0, 128, 255));
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(ColorOf(MouseRecord(mouse).dpiLevels[level]), QStringLiteral("0,128,255"));
        QCOMPARE(ColorOf(MouseRecord(mouse).dpiLevels[5]), ColorOf(PlainRecord().dpiLevels[5]));
    }

    void aColourAcceptedOfflineIsDropped()
    {
        StartWith(0, {400, 800, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        auto* dialog = Editor()->findChild<QColorDialog*>();
        QTest::mouseClick(Swatch(1), Qt::LeftButton);
        QCOMPARE(Sends(), 0);
        QVERIFY(dialog->isVisible());
        SimulatedDeviceControl::setOnline(mouse, false);
        dialog->setCurrentColor(QColor(1, 2, 3));
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(Sends(), 0);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(SwatchColor(1), ColorOf(PlainRecord().dpiLevels[1]));
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
    }

    void anOfflineSwatchClickChangesNoLevel()
    {
        StartWith(0, {400, 800, 1600, 3200}, 4, 0);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        QTest::mouseClick(Swatch(3), Qt::LeftButton);
        QCOMPARE(Sends(), 0);
        QVERIFY(!offline->isEmpty());
        // No dialog for a level the mouse did not take, and no value moved onto another level.
        QVERIFY(!Editor()->findChild<QColorDialog*>()->isVisible());
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
        QCOMPARE(LevelButton(0)->text(), QStringLiteral("400"));
        QCOMPARE(LevelButton(3)->text(), QStringLiteral("3200"));
        QCOMPARE(Slider()->value(), 400);
    }

    // ---- level count ----------------------------------------------------

    void theLevelCountFromEveryCurrentLevel_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("newCount");
        for (int current = 0; current < 8; ++current) {
            for (int newCount = 1; newCount < 8; ++newCount)
                QTest::addRow("8 levels at %d, down to %d", current, newCount) << 8 << current << newCount;
            if (current < 7)
                QTest::addRow("%d levels at %d, up to 8", current + 1, current) << current + 1 << current << 8;
            if (current < 6)
                QTest::addRow("%d levels at %d, up to %d", current + 1, current, current + 2)
                    << current + 1 << current << current + 2;
        }
        QTest::newRow("6 levels at 4, down to 3") << 6 << 4 << 3;
        QTest::newRow("3 levels at 1, up to 8") << 3 << 1 << 8;
    }

    void theLevelCountFromEveryCurrentLevel()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, newCount);
        const QList<int> values{400, 800, 1600, 3200, 6400, 12000, 20000, 26000};
        StartWith(0, values, count, current);
        if (QTest::currentTestFailed())
            return;
        const FlashDataMap before = MouseRecord(mouse);
        QVERIFY(ChooseCount(newCount));
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        if (QTest::currentTestFailed())
            return;
        const FlashDataMap after = MouseRecord(mouse);
        QCOMPARE(int(after.dpiLevelCount), newCount);
        const int last = newCount - 1;
        if (last < current) {
            // The current level's value and colour move to the new last
            // level, which becomes current; the last level's go to its place.
            QCOMPARE(int(after.currentDpiLevel), last);
            QCOMPARE(LevelButton(last)->text(), QString::number(values[current]));
            QCOMPARE(LevelButton(current)->text(), QString::number(values[last]));
            QCOMPARE(ColorOf(after.dpiLevels[last]), ColorOf(before.dpiLevels[current]));
            QCOMPARE(ColorOf(after.dpiLevels[current]), ColorOf(before.dpiLevels[last]));
            QCOMPARE(Spin()->value(), values[current]);
            QCOMPARE(announced->last().first().toInt(), values[current]);
        } else {
            QCOMPARE(int(after.currentDpiLevel), current);
            for (int i = 0; i < 8; ++i)
                QVERIFY(std::memcmp(&after.dpiLevels[i], &before.dpiLevels[i], sizeof(DpiLevelEntry)) == 0);
        }
        QVERIFY(offline->isEmpty());
    }

    void anOfflineLevelCountGoesBack()
    {
        StartWith(0, {400, 800, 1600, 3200, 6400}, 5, 4);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        QVERIFY(ChooseCount(2));
        QCOMPARE(Sends(), 0);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(CountList()->currentIndex(), 4);
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
        QCOMPARE(LevelButton(4)->text(), QStringLiteral("6400"));
    }

    // ---- value slider ---------------------------------------------------

    void draggingTheSliderAcrossRanges_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("low");  // the raw value the drag ends on lies in [low, high]
        QTest::addColumn<int>("high");
        QTest::newRow("3395 up into the gap") << 1 << 1200 << 10001 << 10099;
        QTest::newRow("3395 up into range 2") << 1 << 1200 << 15000 << 17000;
        QTest::newRow("3395 down into range 1") << 1 << 20000 << 3000 << 5000;
        QTest::newRow("3395 down onto range 1's end") << 1 << 20000 << 9960 << 10000;
        QTest::newRow("3950 into the gap before range 3") << 0 << 800 << 20001 << 20199;
        QTest::newRow("3950 into the gap before range 4") << 0 << 800 << 30001 << 30399;
        QTest::newRow("3950 into range 4") << 0 << 800 << 35000 << 38000;
        QTest::newRow("3950 down from range 4 to 3") << 0 << 41600 << 22000 << 25000;
        QTest::newRow("3311 across into range 2") << 2 << 1600 << 13000 << 16000;
        QTest::newRow("3311 into the gap") << 2 << 1600 << 12001 << 12199;
    }

    void draggingTheSliderAcrossRanges()
    {
        QFETCH(int, device);
        QFETCH(int, start);
        QFETCH(int, low);
        QFETCH(int, high);
        StartWith(device, {400, start, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(Spin()->value(), start);
        const int x = PixelFor(Slider(), low, high);
        QVERIFY2(x >= 0, "no pixel of the slider stands for the values asked");

        DragSlider(x, false);
        // While dragging the number follows, snapped; nothing is written.
        const int raw = Slider()->sliderPosition();
        QVERIFY2(raw >= low && raw <= high, qPrintable(QString::number(raw)));
        const int expected = Snapped(kRanges[device], raw);
        QCOMPARE(Spin()->value(), expected);
        QCOMPARE(Sends(), 0);

        QTest::mouseRelease(Slider(), Qt::LeftButton, Qt::NoModifier, QPoint(x, HandleRect(Slider()).center().y()));
        QCOMPARE(Slider()->value(), raw);
        QCOMPARE(Spin()->value(), expected);
        QCOMPARE(LevelButton(1)->text(), QString::number(expected));
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[1]), expected);
        QCOMPARE(announced->size(), 1);
        QCOMPARE(announced->first().first().toInt(), expected);
        for (const Range& range : kRanges[device]) {
            if (expected >= range.min && expected <= range.max)
                QCOMPARE(Slider()->pageStep(), range.step);
        }
    }

    void aClickOnTheSliderWritesOnce()
    {
        StartWith(1, {400, 1200, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        MySlider* slider = Slider();
        // Away from the handle: the slider jumps to the pointer.
        const QPoint at(slider->width() * 3 / 4, slider->height() / 2);
        QVERIFY(!HandleRect(slider).contains(at));
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, at);
        const int expected = Snapped(kRanges[1], slider->value());
        QVERIFY(expected > 15000);
        QCOMPARE(Spin()->value(), expected);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
    }

    void aLevelLoadedWithoutAChangeDoesNotSwallowTheNextDrag()
    {
        // Levels 1 and 3 hold the same value: selecting 3 leaves the slider as it is.
        StartWith(1, {400, 1200, 1600, 1200}, 4, 1);
        if (QTest::currentTestFailed())
            return;
        QTest::mouseClick(LevelButton(3), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        QCOMPARE(Slider()->value(), 1200);
        // One notch of the wheel is one change of the slider: it is the user's, and written.
        SimulatedDeviceControl::clearCalls();
        const QPoint at = HandleRect(Slider()).center();
        QWheelEvent notch(at, Slider()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Slider(), &notch);
        QVERIFY(Spin()->value() > 1200);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[3]), Spin()->value());
        SimulatedDeviceControl::clearCalls();
        DragSlider(PixelFor(Slider(), 5000, 6000));
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QVERIFY(Spin()->value() >= 5000);
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[3]), Spin()->value());
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[1]), 1200);
    }

    void aSelectedLevelsValueIsShownNotWritten()
    {
        StartWith(1, {400, 1200, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        QTest::mouseClick(LevelButton(2), Qt::LeftButton);
        // The level, not its value: the mouse holds that already.
        QCOMPARE(Sends(), 1);
        QCOMPARE(Slider()->value(), 1600);
        CheckAgreement();
    }

    void theSliderOfflineGoesBack()
    {
        StartWith(1, {400, 1200, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        DragSlider(PixelFor(Slider(), 5000, 6000));
        QCOMPARE(Sends(), 0);
        QCOMPARE(Spin()->value(), 1200);
        QCOMPARE(LevelButton(1)->text(), QStringLiteral("1200"));
        QCOMPARE(Slider()->value(), 1200);
        QVERIFY(!Slider()->isEnabled());
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
        // The next fill gives the slider back.
        page->SlotUpDataSenSorUISensor(MouseRecord(mouse));
        QVERIFY(Slider()->isEnabled());
        SimulatedDeviceControl::clearCalls();
        DragSlider(PixelFor(Slider(), 5000, 6000));
        QCOMPARE(Sends(), 1);
        CheckAgreement();
    }

    void noWaitDialogShowsValuesWithoutWriting()
    {
        StartWith(1, {400, 1200, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        noWaitDialog = 1;
        QTest::mouseClick(Plus(), Qt::LeftButton);
        noWaitDialog = 0;
        QCOMPARE(Spin()->value(), 1250);
        QCOMPARE(LevelButton(1)->text(), QStringLiteral("1250"));
        QCOMPARE(Sends(), 0);
    }

    // ---- plus and minus -------------------------------------------------

    void plusAndMinusAtTheRangeEdges_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("expected");
        // 3395: 50 to 10000 by 50, 10100 to 26000 by 100.
        QTest::newRow("3395 plus at 9950") << 1 << 9950 << true << 10000;
        QTest::newRow("3395 plus at range 1's end") << 1 << 10000 << true << 10100;
        QTest::newRow("3395 plus at range 2's start") << 1 << 10100 << true << 10200;
        QTest::newRow("3395 plus at the lowest") << 1 << 50 << true << 100;
        QTest::newRow("3395 plus below the highest") << 1 << 25900 << true << 26000;
        QTest::newRow("3395 plus at the highest") << 1 << 26000 << true << 26000;
        QTest::newRow("3395 minus at the lowest") << 1 << 50 << false << 50;
        QTest::newRow("3395 minus above the lowest") << 1 << 100 << false << 50;
        QTest::newRow("3395 minus at range 1's end") << 1 << 10000 << false << 9950;
        QTest::newRow("3395 minus at range 2's start") << 1 << 10100 << false << 10000;
        QTest::newRow("3395 minus at the highest") << 1 << 26000 << false << 25900;
        // 3950: four ranges.
        QTest::newRow("3950 plus at range 2's end") << 0 << 20000 << true << 20200;
        QTest::newRow("3950 minus at range 3's start") << 0 << 20200 << false << 20000;
        QTest::newRow("3950 plus at range 3's end") << 0 << 30000 << true << 30400;
        QTest::newRow("3950 minus at range 4's start") << 0 << 30400 << false << 30000;
        QTest::newRow("3950 plus below the highest") << 0 << 41600 << true << 42000;
        QTest::newRow("3950 plus at the highest") << 0 << 42000 << true << 42000;
        QTest::newRow("3950 minus at the highest") << 0 << 42000 << false << 41600;
        // 3311 with its code table: 100 to 12000 by 100, 12200 to 24000 by 200.
        QTest::newRow("3311 plus at range 1's end") << 2 << 12000 << true << 12200;
        QTest::newRow("3311 minus at range 2's start") << 2 << 12200 << false << 12000;
        QTest::newRow("3311 minus at the lowest") << 2 << 100 << false << 100;
        QTest::newRow("3311 plus at the highest") << 2 << 24000 << true << 24000;
        QTest::newRow("3311 minus at the highest") << 2 << 24000 << false << 23800;
    }

    void plusAndMinusAtTheRangeEdges()
    {
        QFETCH(int, device);
        QFETCH(int, start);
        QFETCH(bool, plus);
        QFETCH(int, expected);
        StartWith(device, {400, start, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(Spin()->value(), start);
        QTest::mouseClick(plus ? Plus() : Minus(), Qt::LeftButton);
        QCOMPARE(Spin()->value(), expected);
        QCOMPARE(LevelButton(1)->text(), QString::number(expected));
        QCOMPARE(Sends(), expected != start ? 1 : 0);
        CheckAgreement();
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[1]), expected);
        QCOMPARE(announced->size(), expected != start ? 1 : 0);
        QVERIFY(offline->isEmpty());
    }

    void plusStartsFromTheShownValue()
    {
        StartWith(1, {400, 800, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        // A drag that ends between two steps leaves the handle off the step.
        int x = -1;
        for (int px = 0; px < Slider()->width() && x < 0; ++px) {
            const int value = ValueDraggedTo(Slider(), px);
            if (value > 1000 && value < 9000 && value % 50 >= 10)
                x = px;
        }
        QVERIFY(x >= 0);
        DragSlider(x);
        const int shown = Spin()->value();
        QVERIFY(Slider()->value() != shown);
        SimulatedDeviceControl::clearCalls();
        QTest::mouseClick(Plus(), Qt::LeftButton);
        QCOMPARE(Spin()->value(), shown + 50);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
    }

    void plusOfflineChangesNothing()
    {
        StartWith(1, {400, 800, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        QTest::mouseClick(Plus(), Qt::LeftButton);
        QTest::mouseClick(Minus(), Qt::LeftButton);
        QCOMPARE(offline->size(), 2);
        QCOMPARE(Spin()->value(), 800);
        QCOMPARE(Sends(), 0);
        QVERIFY(Slider()->isEnabled());
    }

    // The mouse refuses the value, or answers the online check and is gone
    // before the record reaches it: the number, the slider and the level
    // show what the mouse still holds, and the overview hears nothing new.
    void aValueTheMouseDoesNotTakeIsPutBack_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<bool>("vanishes");
        QTest::addColumn<int>("answers"); // online checks the gesture makes before its write
        const struct {
            const char* gesture;
            int answers;
        } gestures[] = {{"plus", 3}, {"minus", 3}, {"right arrow", 2}, {"left arrow", 2}, {"drag", 3}};
        for (const auto& g : gestures) {
            QTest::addRow("%s, refused", g.gesture) << QString::fromLatin1(g.gesture) << false << 0;
            QTest::addRow("%s, gone after the online check", g.gesture) << QString::fromLatin1(g.gesture) << true
                                                                        << g.answers;
        }
    }

    void aValueTheMouseDoesNotTakeIsPutBack()
    {
        QFETCH(QString, gesture);
        QFETCH(bool, vanishes);
        QFETCH(int, answers);
        StartWith(0, {400, 850, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(Spin()->value(), 850);
        int target = -1;
        if (gesture == QLatin1String("drag")) {
            target = PixelFor(Slider(), 5000, 6000);
            QVERIFY(target >= 0);
            // The drag's own moves ask whether the mouse answers too.
            DragSlider(target, false);
            SimulatedDeviceControl::clearCalls();
        }
        if (vanishes)
            QVERIFY(SimulatedDeviceControl::dropAfterOnlineAnswers(mouse, answers));
        else
            SimulatedDeviceControl::failNextRecordStores(1);

        if (gesture == QLatin1String("plus"))
            QTest::mouseClick(Plus(), Qt::LeftButton);
        else if (gesture == QLatin1String("minus"))
            QTest::mouseClick(Minus(), Qt::LeftButton);
        else if (gesture == QLatin1String("right arrow"))
            QTest::keyClick(Slider(), Qt::Key_Right);
        else if (gesture == QLatin1String("left arrow"))
            QTest::keyClick(Slider(), Qt::Key_Left);
        else
            QTest::mouseRelease(Slider(), Qt::LeftButton, Qt::NoModifier,
                                QPoint(target, HandleRect(Slider()).center().y()));

        // The write was tried once and did not land.
        QCOMPARE(Sends(), 1);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[1]), 850);
        QCOMPARE(Spin()->value(), 850);
        QCOMPARE(Slider()->value(), 850);
        QCOMPARE(LevelButton(1)->text(), QStringLiteral("850"));
        QVERIFY(announced->isEmpty());
        const FlashDataMap kept = CurrentFlashMapLock::Snapshot();
        const FlashDataMap held = MouseRecord(mouse);
        QVERIFY(std::memcmp(&kept, &held, sizeof(kept)) == 0);
        SimulatedDeviceControl::setOnline(mouse, true);
        SimulatedDeviceControl::clearCalls();
        CheckAgreement(0);

        // The next step goes from what the mouse holds and lands.
        QTest::mouseClick(Plus(), Qt::LeftButton);
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(Decoded(MouseRecord(mouse).dpiLevels[1]), 900);
        QCOMPARE(announced->size(), 1);
        QCOMPARE(announced->first().first().toInt(), 900);
    }

    // The offline notice runs while the refused write returns; a fill from
    // the mouse may come in meanwhile. What the page shows after is that fill.
    void aFillDuringTheNoticeOfARefusedValueStays_data()
    {
        QTest::addColumn<int>("current"); // the mouse's level when the fill comes
        QTest::newRow("the same level") << 1;
        QTest::newRow("the mouse moved to level 2") << 2;
    }

    void aFillDuringTheNoticeOfARefusedValueStays()
    {
        QFETCH(int, current);
        StartWith(0, {400, 850, 1600}, 3, 1);
        if (QTest::currentTestFailed())
            return;
        FlashDataMap moved = MouseRecord(mouse);
        moved.currentDpiLevel = uint8_t(current);
        {
            CurrentFlashMapLock lock;
            lock.Map() = moved;
            QVERIFY(ProtocolDataUpdate(lock.Bytes()));
        }
        SimulatedDeviceControl::clearCalls();
        const QMetaObject::Connection notice = connect(PostMsg::Instance(), &PostMsg::SigMouseOffLineo, this,
                                                       [&] { page->SlotUpDataSenSorUISensor(moved); });
        SimulatedDeviceControl::failNextRecordStores(1);
        QTest::mouseClick(Plus(), Qt::LeftButton);
        disconnect(notice);
        QCOMPARE(offline->size(), 1);
        SimulatedDeviceControl::clearCalls();
        CheckAgreement(0);
        QCOMPARE(LevelButton(1)->text(), QStringLiteral("850"));
        QCOMPARE(Slider()->value(), current == 1 ? 850 : 1600);
        QVERIFY(Slider()->isEnabled());
        for (const QList<QVariant>& value : *announced)
            QCOMPARE(value.first().toInt(), current == 1 ? 850 : 1600);
    }

    // ---- marker ---------------------------------------------------------

    void draggingTheMarkerToEverySlot_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        for (int from = 0; from < 8; ++from)
            for (int to = 0; to < 8; ++to)
                if (to != from)
                    QTest::addRow("8 levels, %d to %d", from, to) << 8 << from << to;
        for (int count : {1, 3, 5, 7})
            for (int from = 0; from < count; ++from)
                for (int to = 0; to < 8; ++to)
                    if (to != from)
                        QTest::addRow("%d levels, %d to %d", count, from, to) << count << from << to;
    }

    void draggingTheMarkerToEverySlot()
    {
        QFETCH(int, count);
        QFETCH(int, from);
        QFETCH(int, to);
        const QList<int> values{400, 800, 1600, 3200, 6400, 12000, 20000, 26000};
        StartWith(0, values, count, from);
        if (QTest::currentTestFailed())
            return;
        DragMarker(kMarkers[to] + QPoint(10, 10));
        const bool lands = to < count;
        const int now = lands ? to : from;
        // A drop past the last shown level goes back and writes the level again.
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(int(MouseRecord(mouse).currentDpiLevel), now);
        QCOMPARE(Spin()->value(), values[now]);
        if (lands) {
            QCOMPARE(announced->size(), 1);
            QCOMPARE(announced->first().first().toInt(), values[to]);
        }
        QVERIFY(offline->isEmpty());
    }

    void markerDropsThatChangeNothing_data()
    {
        QTest::addColumn<QPoint>("to");
        // The marker of level 3 is at (300, 154); the press is at (310, 164).
        QTest::newRow("between the bands") << QPoint(300 + 140, 164);
        QTest::newRow("left of the row") << QPoint(12, 164);
        QTest::newRow("a click") << QPoint(310, 164);
        QTest::newRow("a small move") << QPoint(330, 170);
        QTest::newRow("out of the editor") << QPoint(500, 200);
        QTest::newRow("above the editor") << QPoint(400, -5);
    }

    void markerDropsThatChangeNothing()
    {
        QFETCH(QPoint, to);
        StartWith(0, {400, 800, 1600, 3200, 6400, 12000, 20000, 26000}, 8, 3);
        if (QTest::currentTestFailed())
            return;
        DragMarker(to);
        QCOMPARE(Sends(), 0);
        QCOMPARE(Marker()->pos(), kMarkers[3]);
        CheckAgreement(0);
        // A move on after the drag ended drags nothing.
        QTest::mouseMove(Editor(), QPoint(100, 100));
        QCOMPARE(Marker()->pos(), kMarkers[3]);
    }

    void aMarkerDroppedOfflineGoesBackToTheMousesLevel()
    {
        StartWith(0, {400, 800, 1600, 3200, 6400, 12000}, 6, 1);
        if (QTest::currentTestFailed())
            return;
        DragMarker(kMarkers[4] + QPoint(10, 10), false);
        SimulatedDeviceControl::setOnline(mouse, false);
        QTest::mouseRelease(Editor(), Qt::LeftButton, Qt::NoModifier, kMarkers[4] + QPoint(10, 10));
        QCOMPARE(Sends(), 0);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(Marker()->pos(), kMarkers[1]);
        QCOMPARE(CheckedLevel(), 1);
        QCOMPARE(Editor()->CurrentLevel(), 1);
        QCOMPARE(Spin()->value(), 800);
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
        // And the next drag lands from the level the mouse holds.
        DragMarker(kMarkers[2] + QPoint(10, 10));
        QCOMPARE(Sends(), 1);
        CheckAgreement();
        QCOMPARE(int(MouseRecord(mouse).currentDpiLevel), 2);
    }

    void aPressOnTheMarkerOfflineStartsNoDrag()
    {
        StartWith(0, {400, 800, 1600, 3200}, 4, 0);
        if (QTest::currentTestFailed())
            return;
        SimulatedDeviceControl::setOnline(mouse, false);
        DragMarker(kMarkers[2] + QPoint(10, 10));
        QCOMPARE(offline->size(), 1);
        QCOMPARE(Marker()->pos(), kMarkers[0]);
        QCOMPARE(Sends(), 0);
        SimulatedDeviceControl::setOnline(mouse, true);
        CheckAgreement(0);
    }
};

QTEST_MAIN(TestDpiEditor)
#include "tst_dpieditor.moc"
