// The second-design setting panels: each user change writes its byte of the
// device record through the setting writers, fills show a record's values
// without writing, and each panel renders finished.

#include "NoticeTestSupport.h"
#include "SliderGestures.h"

#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/SensorEffect.h"
#include "variants/DebouncetimeB.h"
#include "variants/DebouncetimeC.h"
#include "variants/MotionSyncB.h"
#include "variants/PieChartWidget.h"
#include "variants/SensorDPIB.h"
#include "sensor/DpiRangeTable.h"
#include "sensor/DpiValueCoding.h"
#include "variants/RippeControlB.h"
#include "variants/SensorEffectB.h"
#include "variants/SensorLODB.h"
#include "variants/SensorRateB.h"
#include "variants/StopCloseTimeB.h"
#include "variants/StraightLineB.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// Byte `offset` of the record of every write sent to the mouse, in order.
QList<int> SentBytes(int offset)
{
    QList<int> bytes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"))) {
        const QByteArray record = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
        bytes << (record.size() > offset ? int(uchar(record[offset])) : -1);
    }
    return bytes;
}

// The DPI indicator's effect and on bytes (84, 87) of every write.
QStringList SentEffects()
{
    const QList<int> effects = SentBytes(84);
    const QList<int> on = SentBytes(87);
    QStringList pairs;
    for (int i = 0; i < effects.size(); ++i)
        pairs << QStringLiteral("%1 on %2").arg(effects[i]).arg(on[i]);
    return pairs;
}

int SentCount()
{
    return SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).size();
}

FlashDataMap SampleRecord()
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    record.reportRate = 1;
    record.dpiLevelCount = 5;
    record.liftOffDistance = 2;
    record.debounceTime = 7;
    record.motionSync = 1;
    record.sleepTime = 30;
    record.straightLine = 0;
    record.rippleControl = 1;
    record.dpiLed.effect = 1;
    record.dpiLed.brightness = 128;
    record.dpiLed.speed = 3;
    return record;
}

// Places the panel on a host in the page colour, as a page would, saves the
// rendering into the test's output folder and checks that it is more than an
// empty frame.
void Render(QWidget* panel, const QString& name)
{
    QWidget host;
    host.setObjectName(QStringLiteral("host"));
    host.setStyleSheet(QStringLiteral("#host{background-color: ")
                       + ThemeColor::Rgb(QStringLiteral("ComboxBackGroundColor")) + QStringLiteral(";}"));
    QWidget* oldParent = panel->parentWidget();
    const QPoint oldPos = panel->pos();
    panel->setParent(&host);
    panel->move(10, 10);
    panel->show();
    host.resize(panel->width() + 20, panel->height() + 20);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    const QImage image = host.grab().toImage();
    panel->setParent(oldParent);
    panel->move(oldPos);
    QVERIFY(!image.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 3, qPrintable(name));
    const QString folder = QStringLiteral(VARIANT_IMAGES);
    QDir().mkpath(folder);
    QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

// A mouse click on a child widget, as the user gives it.
// A tick box takes a click on its box or its text; the text's width depends
// on the fonts the machine has, so click the box.
void Click(QWidget* widget)
{
    QPoint at = widget->rect().center();
    if (auto* tick = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(tick);
        at = tick->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, tick).center();
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

// What the panels tell the hub, in order.
class HubEvents : public QObject {
    Q_OBJECT
public:
    HubEvents()
    {
        PostMsg::Connect(SIGNAL(SigHideModel(int)), this, SLOT(OnHideModel(int)));
        PostMsg::Connect(SIGNAL(SigMouseOffLineo(int)), this, SLOT(OnOffline(int)));
        PostMsg::Connect(SIGNAL(SigAddReport(int)), this, SLOT(OnReport(int)));
    }
    QStringList events;

public slots:
    void OnHideModel(int index) { events << QStringLiteral("hide %1").arg(index); }
    void OnOffline(int index) { events << QStringLiteral("offline %1").arg(index); }
    void OnReport(int hz) { events << QStringLiteral("report %1").arg(hz); }
};

using SliderGestures::HandleCentre;

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Drags the slider's handle as the user does, pixel by pixel, to the place
// of value `to`, and records each new number the box shows on the way.
QList<int> DragSlider(QSlider* slider, int to, QSpinBox* box)
{
    QList<int> shown;
    const QPoint start = HandleCentre(slider, slider->value());
    const QPoint end = HandleCentre(slider, to);
    SendMouse(slider, QEvent::MouseButtonPress, start, Qt::LeftButton);
    const int step = end.x() > start.x() ? 1 : -1;
    int last = box ? box->value() : 0;
    for (int x = start.x(); x != end.x() + step; x += step) {
        SendMouse(slider, QEvent::MouseMove, QPoint(x, start.y()), Qt::LeftButton);
        if (box && box->value() != last) {
            last = box->value();
            shown << last;
        }
    }
    SendMouse(slider, QEvent::MouseButtonRelease, end, Qt::NoButton);
    return shown;
}

QList<int> Range(int from, int to)
{
    QList<int> values;
    for (int value = from; value <= to; ++value)
        values << value;
    return values;
}

// The records of every write sent to the mouse.
QList<FlashDataMap> SentRecords()
{
    QList<FlashDataMap> records;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"))) {
        const QByteArray bytes = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
        FlashDataMap record;
        std::memset(&record, 0, sizeof(record));
        std::memcpy(&record, bytes.constData(), size_t(qMin<qsizetype>(bytes.size(), sizeof(record))));
        records << record;
    }
    return records;
}

bool IsPieBlue(const QColor& colour)
{
    return colour.blue() > 150 && colour.red() < 120;
}

// The pie's radius as painted: the farthest blue pixel up and to the right
// of the centre, at 60 degrees, inside the sector.
double PaintedRadius(QWidget* pie, const QPointF& centre)
{
    const QImage image = pie->grab().toImage();
    double farthest = 0;
    for (double d = 0; d < 400; d += 0.5) {
        const QPoint at = (centre + QPointF(d * 0.5, -d * 0.8660254)).toPoint();
        if (!image.rect().contains(at))
            break;
        if (IsPieBlue(image.pixelColor(at)))
            farthest = d;
    }
    return farthest;
}

const char* const kSliders[8] = {"horizontalSliderA", "horizontalSliderB", "horizontalSliderC", "horizontalSliderD",
                                 "horizontalSliderE", "horizontalSliderF", "horizontalSliderG", "horizontalSliderH"};
const char* const kNumbers[8] = {"spinBoxA", "spinBoxB", "spinBoxC", "spinBoxD",
                                 "spinBoxE", "spinBoxF", "spinBoxG", "spinBoxH"};
const char* const kLevelBoxes[8] = {"MA", "MB", "MC", "MD", "ME", "MF", "MG", "MH"};

// Fills the editor as a host does from a record with levels of 100 .. 800
// DPI and colours #000001 .. #000008, without writing anything.
void FillDpiEditor(SensorDPIB* editor)
{
    FlashDataMap record = SampleRecord();
    for (int i = 0; i < 8; ++i) {
        record.dpiLevels[i].xCode = uint8_t(2 * (i + 1) - 1);
        record.dpiLevels[i].yCode = uint8_t(2 * (i + 1) - 1);
        record.dpiLevels[i].blue = uint8_t(i + 1);
    }
    record.currentDpiLevel = 1;
    {
        CurrentFlashMapLock lock;
        lock.Map() = record;
    }
    const bool wasBlocked = editor->BlockLevelCountSignals(true);
    editor->ClearLevelCounts();
    editor->BlockLevelCountSignals(true);
    for (int i = 0; i < 8; ++i)
        editor->InsertLevelCount(i, QString::number(i + 1));
    editor->SetLevelCountIndex(7);
    editor->BlockLevelCountSignals(wasBlocked);
    editor->BlockSliderSignals(true);
    for (int i = 0; i < 8; ++i) {
        editor->SetLevelValueText(i, QString::number(DpiValueCoding::DpiOfLevelEntry(record.dpiLevels[i])));
        editor->SetLevelColorText(i, QStringLiteral("#%1").arg(i + 1, 6, 10, QLatin1Char('0')));
    }
    editor->BlockSliderSignals(false);
    editor->ApplyAllLevelColors();
    editor->ShowLevels(7);
    editor->SetCurrentLevel(1);
}

// One notch of the user's mouse wheel over the slider: one change of its
// value, by its page step at most.
void WheelNotch(QSlider* slider, int notches)
{
    const QPoint at = slider->rect().center();
    QWheelEvent notch(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &notch);
}

using SwitchFactory = std::function<SwitchPanelB*()>;

// A panel filled as a host fills it from the record, the user's change on it,
// and what it shows, as text.
struct RefusedChange {
    std::function<QWidget*()> make;
    std::function<void(QWidget*)> act;
    std::function<QString(QWidget*)> shown;
};

template <typename T>
T* ChildOf(QWidget* panel, const char* name)
{
    return panel->findChild<T*>(QLatin1String(name));
}

// The panel's own children: not those of a dialog it owns.
template <typename T>
QList<T*> Own(QWidget* panel)
{
    QList<T*> own;
    for (T* child : panel->findChildren<T*>())
        if (child->window() == panel->window())
            own << child;
    return own;
}

QString Ticked(QWidget* panel)
{
    QStringList ticked;
    for (QAbstractButton* box : Own<QAbstractButton>(panel))
        if (box->isChecked())
            ticked << box->objectName();
    ticked.sort();
    return ticked.join(QLatin1Char(' '));
}

QString Values(QWidget* panel)
{
    QStringList values;
    for (QSlider* slider : Own<QSlider>(panel))
        values << QStringLiteral("%1=%2").arg(slider->objectName()).arg(slider->value());
    for (QSpinBox* box : Own<QSpinBox>(panel))
        values << QStringLiteral("%1=%2").arg(box->objectName(), box->text());
    values.sort();
    return values.join(QLatin1Char(' '));
}

QString Colours(QWidget* panel)
{
    QStringList colours;
    for (QToolButton* swatch : Own<QToolButton>(panel))
        colours << swatch->styleSheet();
    return colours.join(QLatin1Char(' '));
}

QString Shown(QWidget* panel)
{
    QStringList hidden;
    for (QWidget* child : Own<QWidget>(panel))
        if (child->isHidden())
            hidden << child->objectName();
    hidden.sort();
    return Ticked(panel) + QStringLiteral(" | ") + Values(panel) + QStringLiteral(" | hidden ")
        + hidden.join(QLatin1Char(' ')) + QStringLiteral(" | ") + Colours(panel);
}

} // namespace

Q_DECLARE_METATYPE(SwitchFactory)
Q_DECLARE_METATYPE(RefusedChange)

class TestVariantPanels : public QObject {
    Q_OBJECT
private:
    bool serverUp = false;

    void StartServer()
    {
        const QByteArray path = CurrentDevice::Path();
        UsbServerC_Start(path.constData(), path.constData(), nullptr);
        serverUp = true;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(VARIANT_FIXTURES "/one_mouse.json", &error),
                 qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
        QCOMPARE(DeviceDiscovery::foundDeviceList.size(), 1);
    }

    void init()
    {
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), true);
        CurrentDevice::SetInfo(DeviceDiscovery::foundDeviceList.first());
        CurrentDevice::SetPath(DeviceDiscovery::foundDeviceList.first().path.toLatin1());
        {
            CurrentFlashMapLock lock;
            lock.Map() = SampleRecord();
        }
        StartServer();
        deviceSendEnabled = true;
        sensorPageFilling = false;
        lightPageFilling = false;
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup()
    {
        if (serverUp)
            UsbServer_Exit();
        serverUp = false;
        deviceSendEnabled = false;
        sensorPageFilling = false;
        lightPageFilling = false;
    }

    // ---- a change the mouse does not take ---------------------------------

    // The mouse refuses the record: the panel shows again what it showed,
    // which is what the mouse holds, and the program's record is the mouse's.
    void aChangeTheMouseRefusesIsPutBack_data()
    {
        QTest::addColumn<RefusedChange>("change");
        const auto wheel = [](const char* name) {
            return [name](QWidget* panel) { WheelNotch(ChildOf<QSlider>(panel, name), 1); };
        };
        const auto click = [](const char* name) {
            return [name](QWidget* panel) { Click(ChildOf<QWidget>(panel, name)); };
        };
        const auto shown = [](QWidget* panel) { return Shown(panel); };
        QTest::newRow("ripple switch") << RefusedChange{[] {
            auto* panel = new RippeControlB;
            panel->SetSwitchChecked(true);
            return panel;
        }, click("RippeControl_2"), shown};
        QTest::newRow("lift-off") << RefusedChange{[] {
            auto* panel = new SensorLODB;
            panel->SetLodIndex(1);
            return panel;
        }, click("MM1"), shown};
        QTest::newRow("indicator effect") << RefusedChange{[] {
            auto* panel = new SensorEffectB;
            panel->SetSpeed(3);
            panel->SetBrightnessLevel(SensorEffect::BrightnessLevel(128));
            panel->SetMode(1);
            return panel;
        }, click("MM2"), shown};
        QTest::newRow("indicator speed") << RefusedChange{[] {
            CurrentFlashMapLock().Map().dpiLed.effect = 2;
            auto* panel = new SensorEffectB;
            panel->SetSpeed(3);
            panel->SetBrightnessLevel(SensorEffect::BrightnessLevel(128));
            panel->SetMode(2);
            return panel;
        }, wheel("SpeedH"), shown};
        QTest::newRow("indicator brightness") << RefusedChange{[] {
            auto* panel = new SensorEffectB;
            panel->SetSpeed(3);
            panel->SetBrightnessLevel(SensorEffect::BrightnessLevel(128));
            panel->SetMode(1);
            return panel;
        }, wheel("LightH"), shown};
        QTest::newRow("debounce slider") << RefusedChange{[] {
            auto* panel = new DebouncetimeB;
            panel->SetDebounceValue(7);
            return panel;
        }, wheel("Debunce"), shown};
        QTest::newRow("debounce plus") << RefusedChange{[] {
            auto* panel = new DebouncetimeC;
            panel->SetDebounceValue(7);
            return panel;
        }, click("AddLevelA"), shown};
        QTest::newRow("sleep time") << RefusedChange{[] {
            auto* panel = new StopCloseTimeB;
            panel->SetSleepIndex(3);
            return panel;
        }, wheel("StopClose"), shown};
        QTest::newRow("report rate") << RefusedChange{[] {
            auto* panel = new SensorRateB;
            panel->SetRateIndex(3);
            return panel;
        }, click("Button500HZ"), shown};
        const auto dpiEditor = [] {
            auto* editor = new SensorDPIB;
            FillDpiEditor(editor);
            return editor;
        };
        QTest::newRow("DPI value") << RefusedChange{dpiEditor, wheel("horizontalSliderB"), shown};
        QTest::newRow("DPI colour") << RefusedChange{dpiEditor, [](QWidget* panel) {
            Click(ChildOf<QWidget>(panel, "BlueButtonA"));
            auto* dialog = panel->findChild<QColorDialog*>();
            dialog->setCurrentColor(QColor(1, 2, 3));
            dialog->accept();
        }, [](QWidget* panel) { return Values(panel) + Colours(panel); }};
        QTest::newRow("DPI level count") << RefusedChange{dpiEditor, [](QWidget* panel) {
            ChildOf<QComboBox>(panel, "ChooseEvent")->setCurrentIndex(4);
        }, [](QWidget* panel) { return Shown(panel) + ChildOf<QComboBox>(panel, "ChooseEvent")->currentText(); }};
        QTest::newRow("DPI level count below the current level") << RefusedChange{dpiEditor, [](QWidget* panel) {
            ChildOf<QComboBox>(panel, "ChooseEvent")->setCurrentIndex(0);
        }, [](QWidget* panel) { return Shown(panel) + ChildOf<QComboBox>(panel, "ChooseEvent")->currentText(); }};
    }

    void aChangeTheMouseRefusesIsPutBack()
    {
        QFETCH(RefusedChange, change);
        std::unique_ptr<QWidget> panel(change.make());
        {
            // The mouse holds what the panel shows.
            CurrentFlashMapLock lock;
            lock.Map().dpiLed.on = 1;
            lock.Map().dpiLevelCount = 8;
            QVERIFY(ProtocolDataUpdate(lock.Bytes()));
        }
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        const QString before = change.shown(panel.get());
        const FlashDataMap held = CurrentFlashMapLock::Snapshot();
        SimulatedDeviceControl::clearCalls();
        HubEvents hub;
        SimulatedDeviceControl::failNextRecordStores(1);

        change.act(panel.get());

        QCOMPARE(SentCount(), 1);
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QCOMPARE(change.shown(panel.get()), before);
        const FlashDataMap kept = CurrentFlashMapLock::Snapshot();
        QVERIFY(std::memcmp(&kept, &held, sizeof(kept)) == 0);
        QCOMPARE(SimulatedDeviceControl::flashImage(QStringLiteral("mouse")), FlashImageCodec::encode(QByteArray(
            reinterpret_cast<const char*>(&held), sizeof(held))));
    }

    // ---- on/off switches -------------------------------------------------

    void switchClicksWriteTheirByte_data()
    {
        QTest::addColumn<SwitchFactory>("make");
        QTest::addColumn<QString>("switchName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("offset");
        QTest::newRow("ripple") << SwitchFactory([] { return new RippeControlB; }) << "RippeControl_2"
                                << QStringLiteral("波纹控制") << 10;
        QTest::newRow("straight line") << SwitchFactory([] { return new StraightLineB; }) << "StraightLine_2"
                                       << QStringLiteral("直线修正") << 9;
        QTest::newRow("motion sync") << SwitchFactory([] { return new MotionSyncB; }) << "MotionSync_2"
                                     << QStringLiteral("motion sync") << 7;
    }

    void switchClicksWriteTheirByte()
    {
        QFETCH(SwitchFactory, make);
        QFETCH(QString, switchName);
        QFETCH(QString, caption);
        QFETCH(int, offset);
        std::unique_ptr<SwitchPanelB> panel(make());
        QCOMPARE(panel->size(), QSize(204, 31));
        auto* button = panel->findChild<QToolButton*>(switchName);
        QVERIFY(button);
        QCOMPARE(button->geometry(), QRect(165, 0, 36, 18));
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label"))->text(), caption);
        QVERIFY(!button->isChecked());
        panel->show();

        // Every click writes its own state, even while a page is filled.
        Click(button);
        sensorPageFilling = true;
        Click(button);
        sensorPageFilling = false;
        Click(button);
        QCOMPARE(SentBytes(offset), (QList<int>{1, 0, 1}));
        QVERIFY(button->isChecked());

        // Without sending the switch turns but nothing goes out.
        deviceSendEnabled = false;
        Click(button);
        QVERIFY(!button->isChecked());
        QCOMPARE(SentCount(), 3);

        // Showing the record's state writes nothing, whatever the flags.
        deviceSendEnabled = true;
        const FlashDataMap record = SampleRecord();
        const int shown = reinterpret_cast<const uint8_t*>(&record)[offset];
        panel->SetSwitchChecked(true);
        QVERIFY(button->isChecked());
        panel->SetSwitchChecked(shown != 0);
        QCOMPARE(button->isChecked(), shown != 0);
        QCOMPARE(SentCount(), 3);

        panel->SetTitleText(QStringLiteral("Option"));
        panel->SetTitleToolTip(QStringLiteral("Tip"));
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("Option"));
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label"))->toolTip(), QStringLiteral("Tip"));
    }

    void switchShowsItsPictures()
    {
        RippeControlB panel;
        const QStringList pictures = NoticeTest::StyleSheetPictures(&panel);
        QCOMPARE(pictures.size(), 2);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        auto* button = panel.findChild<QToolButton*>(QStringLiteral("RippeControl_2"));
        panel.SetTitleText(QStringLiteral("Ripple control"));
        Render(&panel, QStringLiteral("RippeControlB-off"));
        const QColor off = panel.grab().toImage().pixelColor(button->geometry().center());
        button->setChecked(true);
        Render(&panel, QStringLiteral("RippeControlB-on"));
        const QColor on = panel.grab().toImage().pixelColor(button->geometry().center() + QPoint(-8, 0));
        QVERIFY(on != off);
        StraightLineB straight;
        straight.SetSwitchChecked(true);
        Render(&straight, QStringLiteral("StraightLineB"));
        MotionSyncB motion;
        Render(&motion, QStringLiteral("MotionSyncB"));
    }

    void switchWithTheMouseOfflineGoesBack()
    {
        StraightLineB panel;
        panel.show();
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        auto* button = panel.findChild<QToolButton*>(QStringLiteral("StraightLine_2"));
        Click(button);
        // The switch shows the state the record keeps, the notice is asked for.
        QVERIFY(!button->isChecked());
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().straightLine), 0);
        QCOMPARE(SentCount(), 0);
        QCOMPARE(hub.events, QStringList{"offline 0"});
    }

    // ---- lift-off ----------------------------------------------------------

    void liftOffStartsWithoutTheSubMillimetreChoice()
    {
        SensorLODB panel;
        QCOMPARE(panel.size(), QSize(338, 20));
        auto* mm0 = panel.findChild<QCheckBox*>(QStringLiteral("MM0"));
        auto* mm1 = panel.findChild<QCheckBox*>(QStringLiteral("MM1"));
        auto* mm2 = panel.findChild<QCheckBox*>(QStringLiteral("MM2"));
        QVERIFY(mm0->isHidden());
        QVERIFY(!mm0->isChecked() && !mm1->isChecked() && !mm2->isChecked());
        QCOMPARE(mm1->x(), 165);
        QCOMPARE(mm2->x(), 250);
        panel.HideSubMillimetreOption();
        QCOMPARE(mm1->x(), 80);
        QCOMPARE(mm2->x(), 165);
        panel.ShowSubMillimetreOption();
        QVERIFY(!mm0->isHidden());
        QCOMPARE(mm0->x(), 80);
        QCOMPARE(mm1->x(), 165);
        QCOMPARE(mm2->x(), 250);
    }

    void liftOffTicksWriteTheCode_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("code");
        QTest::newRow("0.7 mm") << "MM0" << 3;
        QTest::newRow("1 mm") << "MM1" << 1;
        QTest::newRow("2 mm") << "MM2" << 2;
    }

    void liftOffTicksWriteTheCode()
    {
        QFETCH(QString, box);
        QFETCH(int, code);
        SensorLODB panel;
        panel.ShowSubMillimetreOption();
        panel.show();
        auto* tick = panel.findChild<QCheckBox*>(box);
        Click(tick);
        QVERIFY(tick->isChecked());
        // The ticked box again writes again.
        Click(tick);
        QVERIFY(tick->isChecked());
        QCOMPARE(SentBytes(5), (QList<int>{code, code}));

        // Filling or not sending: the tick changes, nothing is written.
        sensorPageFilling = true;
        Click(panel.findChild<QCheckBox*>(box == QLatin1String("MM1") ? QStringLiteral("MM2") : QStringLiteral("MM1")));
        sensorPageFilling = false;
        deviceSendEnabled = false;
        Click(tick);
        QVERIFY(tick->isChecked());
        QCOMPARE(SentCount(), 2);
    }

    void liftOffShowsTheRecord()
    {
        SensorLODB panel;
        auto* mm0 = panel.findChild<QCheckBox*>(QStringLiteral("MM0"));
        auto* mm1 = panel.findChild<QCheckBox*>(QStringLiteral("MM1"));
        auto* mm2 = panel.findChild<QCheckBox*>(QStringLiteral("MM2"));
        panel.SetLodIndex(SampleRecord().liftOffDistance - 1);
        QVERIFY(mm2->isChecked());
        panel.SetLodIndex(2); // 0.7 mm while hidden: stays
        QVERIFY(mm2->isChecked() && !mm0->isChecked());
        panel.SetLodIndex(7);
        QVERIFY(mm2->isChecked());
        panel.SetLodIndex(0);
        QVERIFY(mm1->isChecked() && !mm2->isChecked());
        panel.ShowSubMillimetreOption();
        panel.SetLodIndex(2);
        QVERIFY(mm0->isChecked() && !mm1->isChecked());
        QCOMPARE(SentCount(), 0);

        panel.SetOptionsEnabled(false);
        QVERIFY(!mm1->isEnabled() && !mm2->isEnabled() && mm0->isEnabled());
        panel.SetOptionsEnabled(true);
        panel.SetTitleText(QStringLiteral("Lift-off"));
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("Lift-off"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&panel))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        Render(&panel, QStringLiteral("SensorLODB"));
    }
    // ---- DPI indicator effect --------------------------------------------

    void effectStartsWithEveryRowShown()
    {
        SensorEffectB panel;
        panel.show();
        QCOMPARE(panel.size(), QSize(400, 143));
        for (const char* name : {"SpeedH", "LightH", "SpeedSpinBox", "LightSpinBox", "line", "line_2"})
            QVERIFY2(panel.findChild<QWidget*>(QLatin1String(name))->isVisible(), name);
        for (const char* name : {"MM1", "MM2", "MM3"})
            QVERIFY(!panel.findChild<QCheckBox*>(QLatin1String(name))->isChecked());
        QCOMPARE(SentCount(), 0);
    }

    void effectTicksShowTheirRowAndWrite_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("effect");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("written");
        // Off clears the on byte and keeps the record's effect (steady).
        QTest::newRow("off") << "MM3" << 0 << QStringList{"line", "line_2"} << "1 on 0";
        QTest::newRow("steady") << "MM1" << 1 << QStringList{"LightH", "LightSpinBox", "line"} << "1 on 1";
        QTest::newRow("breathing") << "MM2" << 2 << QStringList{"SpeedH", "SpeedSpinBox", "line_2"} << "2 on 1";
    }

    void effectTicksShowTheirRowAndWrite()
    {
        QFETCH(QString, box);
        QFETCH(int, effect);
        QFETCH(QStringList, shown);
        QFETCH(QString, written);
        const QStringList rows{"SpeedH", "SpeedSpinBox", "LightH", "LightSpinBox", "line", "line_2"};
        {
            SensorEffectB panel;
            panel.show();
            auto* tick = panel.findChild<QCheckBox*>(box);
            Click(tick);
            Click(tick); // the ticked effect again writes again
            QCOMPARE(SentEffects(), (QStringList{written, written}));
            for (const QString& row : rows)
                QVERIFY2(panel.findChild<QWidget*>(row)->isVisible() == shown.contains(row), qPrintable(row));
            sensorPageFilling = true;
            Click(panel.findChild<QCheckBox*>(box == QLatin1String("MM1") ? QStringLiteral("MM2") : QStringLiteral("MM1")));
            QCOMPARE(SentCount(), 2);
        }
        // Filling from a record shows the same and writes nothing.
        sensorPageFilling = false;
        SensorEffectB filled;
        filled.show();
        filled.SetMode(effect);
        QVERIFY(filled.findChild<QCheckBox*>(box)->isChecked());
        for (const QString& row : rows)
            QVERIFY2(filled.findChild<QWidget*>(row)->isVisible() == shown.contains(row), qPrintable(row));
        filled.SetMode(3);
        QVERIFY(filled.findChild<QCheckBox*>(box)->isChecked());
        QCOMPARE(SentCount(), 2);
    }

    void effectSlidersWriteSpeedAndBrightnessCodes_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("code");
        const int codes[10] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};
        for (int level = 1; level <= 10; ++level)
            QTest::newRow(qPrintable(QStringLiteral("level %1").arg(level))) << level << codes[level - 1];
    }

    void effectSlidersWriteSpeedAndBrightnessCodes()
    {
        QFETCH(int, level);
        QFETCH(int, code);
        SensorEffectB panel;
        auto* light = panel.findChild<QSlider*>(QStringLiteral("LightH"));
        // Start elsewhere so the level is a change.
        sensorPageFilling = true;
        panel.SetBrightnessLevel(level == 1 ? 2 : 1);
        sensorPageFilling = false;
        panel.SetBrightnessLevel(level);
        QCOMPARE(light->value(), level);
        QCOMPARE(panel.findChild<QSpinBox*>(QStringLiteral("LightSpinBox"))->value(), level);
        QCOMPARE(SentBytes(85), QList<int>{code});
        panel.SetSpeed(level);
        const int speed = qBound(1, level, 5);
        // A speed equal to the slider's is no change and writes nothing.
        QCOMPARE(SentBytes(86).size(), speed == 1 ? 1 : 2);
        QCOMPARE(SentBytes(86).last(), speed == 1 ? 3 : speed);
    }

    void effectFillsFromARecordWithoutWriting()
    {
        const FlashDataMap record = SampleRecord();
        SensorEffectB panel;
        sensorPageFilling = true;
        panel.SetMode(record.dpiLed.effect);
        panel.SetSpeed(record.dpiLed.speed);
        panel.SetBrightnessLevel(SensorEffect::BrightnessLevel(record.dpiLed.brightness));
        sensorPageFilling = false;
        QCOMPARE(SentCount(), 0);
        QVERIFY(panel.findChild<QCheckBox*>(QStringLiteral("MM1"))->isChecked());
        QCOMPARE(panel.findChild<QSpinBox*>(QStringLiteral("SpeedSpinBox"))->value(), 3);
        QCOMPARE(panel.findChild<QSpinBox*>(QStringLiteral("LightSpinBox"))->value(), 5);
        panel.SetTitleText(QStringLiteral("DPI light"));
        panel.SetModeText(0, QStringLiteral("Off"));
        panel.SetModeText(1, QStringLiteral("Steady"));
        panel.SetModeText(2, QStringLiteral("Breathing"));
        panel.SetModeText(5, QStringLiteral("none"));
        panel.SetSpeedLabelText(QStringLiteral("Speed"));
        panel.SetBrightnessLabelText(QStringLiteral("Brightness"));
        QCOMPARE(panel.findChild<QCheckBox*>(QStringLiteral("MM3"))->text(), QStringLiteral("Off"));
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("label_15"))->text(), QStringLiteral("Brightness"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&panel))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        Render(&panel, QStringLiteral("SensorEffectB-steady"));
        panel.SetMode(2);
        Render(&panel, QStringLiteral("SensorEffectB-breathing"));
    }

    void effectBrightnessDragWritesOnceOnRelease()
    {
        SensorEffectB panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.SetMode(1);
        sensorPageFilling = true;
        panel.SetBrightnessLevel(2);
        sensorPageFilling = false;
        auto* light = panel.findChild<QSlider*>(QStringLiteral("LightH"));
        const QList<int> shown = DragSlider(light, 7, panel.findChild<QSpinBox*>(QStringLiteral("LightSpinBox")));
        QCOMPARE(shown, Range(3, 7));
        QCOMPARE(light->value(), 7);
        QCOMPARE(SentBytes(85), QList<int>{180});
    }

    void effectModelIndexFromAHost()
    {
        SensorEffectB panel;
        panel.show();
        panel.on_Model_currentIndexChanged(2);
        QVERIFY(panel.findChild<QSlider*>(QStringLiteral("SpeedH"))->isVisible());
        // No such effect: nothing changes, nothing reaches the mouse.
        panel.on_Model_currentIndexChanged(4);
        panel.on_Model_currentIndexChanged(-1);
        QVERIFY(panel.findChild<QSlider*>(QStringLiteral("SpeedH"))->isVisible());
        QCOMPARE(SentEffects(), QStringList{"2 on 1"});
    }

    // ---- debounce ----------------------------------------------------------

    void debounceSliderWritesOnRelease()
    {
        DebouncetimeB panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("Debunce"));
        auto* number = panel.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        panel.SetDebounceValue(SampleRecord().debounceTime);
        QCOMPARE(slider->value(), 7);
        QCOMPARE(number->value(), 7);
        QCOMPARE(SentCount(), 0);
        QCOMPARE(DragSlider(slider, 12, number), Range(8, 12));
        QCOMPARE(SentBytes(6), QList<int>{12});
        // Written even while a page is filled; not while sending is off.
        sensorPageFilling = true;
        DragSlider(slider, 10, number);
        sensorPageFilling = false;
        deviceSendEnabled = false;
        DragSlider(slider, 20, number);
        QCOMPARE(number->value(), 20);
        QCOMPARE(SentBytes(6), (QList<int>{12, 10}));
        panel.SetItemUnit(3, QStringLiteral("ms"));
        QCOMPARE(number->text(), QStringLiteral("20ms"));
        panel.SetItemUnit(0, QStringLiteral(" ms"));
        QCOMPARE(number->text(), QStringLiteral("20 ms"));
        panel.SetDebounceValue(8);
        panel.SetItemUnit(0, QStringLiteral("ms"));
        Render(&panel, QStringLiteral("DebouncetimeB"));
    }

    void debounceStepsWriteTheNumberShown_data()
    {
        QTest::addColumn<int>("start"); // -1: as built
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("plus from the record") << 7 << "AddLevelA" << 8 << QList<int>{8};
        QTest::newRow("minus from the record") << 7 << "ReduceLevelA" << 6 << QList<int>{6};
        QTest::newRow("plus at 20") << 20 << "AddLevelA" << 20 << QList<int>{};
        QTest::newRow("minus at 1") << 1 << "ReduceLevelA" << 1 << QList<int>{};
        QTest::newRow("minus before a fill") << -1 << "ReduceLevelA" << 0 << QList<int>{0};
        QTest::newRow("plus before a fill") << -1 << "AddLevelA" << 1 << QList<int>{1};
        QTest::newRow("above the range") << 40 << "ReduceLevelA" << 19 << QList<int>{19};
    }

    void debounceStepsWriteTheNumberShown()
    {
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, shown);
        QFETCH(QList<int>, written);
        DebouncetimeC panel;
        panel.show();
        auto* number = panel.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        QCOMPARE(number->value(), 0);
        if (start >= 0)
            panel.SetDebounceValue(start);
        QCOMPARE(SentCount(), 0);
        Click(panel.findChild<QToolButton*>(button));
        QCOMPARE(number->value(), shown);
        QCOMPARE(SentBytes(6), written);
        deviceSendEnabled = false;
        Click(panel.findChild<QToolButton*>(QStringLiteral("AddLevelA")));
        QCOMPARE(number->value(), qMin(shown + 1, 20));
        QCOMPARE(SentBytes(6), written);
    }

    void debounceStepsRender()
    {
        DebouncetimeC panel;
        panel.SetDebounceValue(8);
        panel.SetItemUnit(0, QStringLiteral("ms"));
        QCOMPARE(panel.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->text(), QStringLiteral("8ms"));
        const QStringList pictures = NoticeTest::StyleSheetPictures(&panel);
        QCOMPARE(pictures.size(), 2);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        Render(&panel, QStringLiteral("DebouncetimeC"));
    }

    // ---- sleep time --------------------------------------------------------

    void sleepPositionsShowAndWriteTheirTime_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        const int numbers[11] = {10, 30, 1, 5, 10, 15, 20, 25, 30, 35, 40};
        const int codes[11] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
        for (int i = 0; i < 11; ++i)
            QTest::newRow(qPrintable(QStringLiteral("position %1").arg(i + 1)))
                << i + 1 << QString::number(numbers[i]) + (i < 2 ? QStringLiteral(" s") : QStringLiteral(" min"))
                << codes[i];
    }

    void sleepPositionsShowAndWriteTheirTime()
    {
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(int, code);
        StopCloseTimeB panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.SetItemText(0, QStringLiteral("10 s"));
        panel.SetItemText(5, QStringLiteral("15 min"));
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("StopClose"));
        auto* number = panel.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        // Shown from the record's index: nothing written.
        panel.SetSleepIndex(position - 1);
        QCOMPARE(number->text(), text);
        QCOMPARE(SentCount(), 0);
        // Dragged there by the user: written once, on release.
        panel.SetSleepIndex(position == 1 ? 10 : 0);
        DragSlider(slider, position, number);
        QCOMPARE(slider->value(), position);
        QCOMPARE(number->text(), text);
        QCOMPARE(SentBytes(8), QList<int>{code});
    }

    void sleepWritesUnlessTheLightPageFills()
    {
        StopCloseTimeB panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto* slider = panel.findChild<QSlider*>(QStringLiteral("StopClose"));
        auto* number = panel.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        // Before any unit text only the number shows.
        QCOMPARE(number->text(), QStringLiteral("1"));
        lightPageFilling = true;
        DragSlider(slider, 3, number);
        QCOMPARE(number->text(), QStringLiteral("1"));
        QCOMPARE(SentCount(), 0);
        lightPageFilling = false;
        sensorPageFilling = true;
        DragSlider(slider, 11, number);
        QCOMPARE(number->text(), QStringLiteral("40"));
        QCOMPARE(SentBytes(8), QList<int>{240});
        sensorPageFilling = false;

        // Units from the host's list texts; other items change nothing.
        panel.SetItemText(3, QStringLiteral("5 minutes"));
        QCOMPARE(number->text(), QStringLiteral("40"));
        panel.SetItemText(5, QStringLiteral("15minutes"));
        QCOMPARE(number->text(), QStringLiteral("40minutes"));
        panel.SetItemText(0, QStringLiteral("10 s 10"));
        panel.SetSleepIndex(1);
        QCOMPARE(number->text(), QStringLiteral("30 s "));
        // Out of the table the slider keeps its end and the number follows it.
        panel.SetSleepIndex(-5);
        QCOMPARE(slider->value(), 1);
        QCOMPARE(number->text(), QStringLiteral("10 s "));
        panel.SetSleepIndex(40);
        QCOMPARE(number->text(), QStringLiteral("40minutes"));
        QCOMPARE(SentCount(), 1);

        panel.SetItemText(0, QStringLiteral("10 s"));
        panel.SetItemText(5, QStringLiteral("15 min"));
        // The record's 30 (5 minutes) is entry 3.
        QCOMPARE(SampleRecord().sleepTime, uint8_t(30));
        panel.SetSleepIndex(3);
        QCOMPARE(number->text(), QStringLiteral("5 min"));
        Render(&panel, QStringLiteral("StopCloseTimeB"));
    }

    // ---- report rate -------------------------------------------------------

    void rateTicksWriteTheCodeAndTellThePage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("above1000");
        const int codes[7] = {8, 4, 2, 1, 16, 32, 64};
        const int rates[7] = {125, 250, 500, 1000, 2000, 4000, 8000};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 Hz").arg(rates[i]))) << i << codes[i] << (rates[i] > 1000 ? 1 : 0);
    }

    void rateTicksWriteTheCodeAndTellThePage()
    {
        QFETCH(int, index);
        QFETCH(int, code);
        QFETCH(int, above1000);
        SensorRateB panel;
        panel.show();
        HubEvents hub;
        const char* const names[7] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                                      "Button2000HZ", "Button4000HZ", "Button8000HZ"};
        auto* box = panel.findChild<QCheckBox*>(QLatin1String(names[index]));
        QCOMPARE(box->geometry(), QRect(100 * (index + 1), 7, 101, 20));
        Click(box);
        Click(box); // again: written and told again
        QVERIFY(box->isChecked());
        QCOMPARE(SentBytes(0), (QList<int>{code, code}));
        QCOMPARE(CurrentFlashMapLock::Snapshot().reportRate, uint8_t(code));
        const QString told = QStringLiteral("hide %1").arg(above1000);
        QCOMPARE(hub.events, (QStringList{told, told}));

        // Not sending: the tick moves, nothing goes out or is told.
        deviceSendEnabled = false;
        Click(panel.findChild<QCheckBox*>(QLatin1String(names[(index + 1) % 7])));
        QVERIFY(!box->isChecked());
        QCOMPARE(SentCount(), 2);
        QCOMPARE(hub.events.size(), 2);
    }

    void rateOfflineTellsNothing()
    {
        SensorRateB panel;
        panel.show();
        panel.SetRateIndex(3);
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        Click(panel.findChild<QCheckBox*>(QStringLiteral("Button2000HZ")));
        // The rate the record keeps is ticked again.
        QVERIFY(panel.findChild<QCheckBox*>(QStringLiteral("Button1000HZ"))->isChecked());
        QCOMPARE(SentCount(), 0);
        QCOMPARE(CurrentFlashMapLock::Snapshot().reportRate, uint8_t(1));
        QCOMPARE(hub.events, QStringList{"offline 0"});
    }

    void rateShowsTheRecordAndTheLimit()
    {
        SensorRateB panel;
        auto boxes = [&panel] {
            QList<QCheckBox*> list;
            for (const char* name : {"Button125HZ", "Button250HZ", "Button500HZ", "Button1000HZ", "Button2000HZ",
                                     "Button4000HZ", "Button8000HZ"})
                list << panel.findChild<QCheckBox*>(QLatin1String(name));
            return list;
        }();
        for (QCheckBox* box : boxes)
            QVERIFY(!box->isChecked() && !box->isHidden());
        // The record's code 1 is 1000 Hz, index 3.
        panel.SetRateIndex(3);
        panel.SetRateIndex(6);
        QVERIFY(boxes[6]->isChecked() && !boxes[3]->isChecked());
        panel.SetRateIndex(7);
        panel.SetRateIndex(-1);
        QVERIFY(boxes[6]->isChecked());
        QCOMPARE(SentCount(), 0);

        const QList<QList<bool>> shownByClass{{false, false, false}, {true, true, false}, {true, false, false},
                                              {true, true, true}};
        for (int limit = 0; limit < 4; ++limit) {
            panel.SetRateLimit(limit);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(!boxes[4 + i]->isHidden(), shownByClass[limit][i]);
            for (int i = 0; i < 4; ++i)
                QVERIFY(!boxes[i]->isHidden());
        }
        panel.SetRateLimit(2);
        panel.SetRateLimit(4);
        QVERIFY(!boxes[4]->isHidden() && boxes[5]->isHidden() && boxes[6]->isHidden());
        // Hiding the ticked box leaves it ticked.
        QVERIFY(boxes[6]->isChecked());

        panel.SetRateLimit(3);
        panel.SetRateIndex(3);
        panel.SetTitleText(QStringLiteral("Report rate"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&panel))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        Render(&panel, QStringLiteral("SensorRateB"));
    }
    // ---- pie sector ------------------------------------------------------

    void pieSizesItselfToItsWidget_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("centre");
        QTest::addColumn<double>("radius");
        QTest::newRow("300 x 300") << QSize(300, 300) << QPointF(149, 149) << 75.0;
        QTest::newRow("400 x 320") << QSize(400, 320) << QPointF(199, 159) << 80.0;
        QTest::newRow("60 x 60") << QSize(60, 60) << QPointF(29, 29) << 20.0;
    }

    void pieSizesItselfToItsWidget()
    {
        QFETCH(QSize, size);
        QFETCH(QPointF, centre);
        QFETCH(double, radius);
        PieChartWidget pie;
        QCOMPARE(pie.minimumSize(), QSize(300, 300));
        pie.setMinimumSize(0, 0); // a host may allow it smaller
        pie.resize(size);
        pie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pie));
        const QImage image = pie.grab().toImage();
        // The red dot marks the centre.
        const QColor dot = image.pixelColor(centre.toPoint() + QPoint(-2, 2));
        QVERIFY2(dot.red() > 200 && dot.blue() < 60, qPrintable(dot.name()));
        QVERIFY2(qAbs(PaintedRadius(&pie, centre) - radius) <= 2.5, qPrintable(QString::number(PaintedRadius(&pie, centre))));
    }

    void pieRimDragChangesTheRadius_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<bool>("grabbed");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("radius");
        // Radius 75 around (149, 149).
        QTest::newRow("4 px outside the rim, out to 200 px") << QPoint(228, 149) << true << QPoint(349, 149) << 145.0;
        QTest::newRow("on the rim, in to the centre") << QPoint(149, 74) << true << QPoint(149, 149) << 20.0;
        QTest::newRow("on the rim, to 100 px") << QPoint(70, 149) << true << QPoint(149, 49) << 100.0;
        QTest::newRow("4 px inside, to 60 px") << QPoint(149, 220) << true << QPoint(209, 149) << 60.0;
        QTest::newRow("5 px outside: no drag") << QPoint(229, 149) << false << QPoint(349, 149) << 75.0;
        QTest::newRow("inside the pie: no drag") << QPoint(170, 149) << false << QPoint(149, 149) << 75.0;
    }

    void pieRimDragChangesTheRadius()
    {
        QFETCH(QPoint, press);
        QFETCH(bool, grabbed);
        QFETCH(QPoint, to);
        QFETCH(double, radius);
        PieChartWidget pie;
        pie.resize(300, 300);
        pie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pie));
        const QPointF centre(149, 149);
        SendMouse(&pie, QEvent::MouseButtonPress, press, Qt::LeftButton);
        QCOMPARE(pie.cursor().shape(), grabbed ? Qt::SizeAllCursor : Qt::ArrowCursor);
        // Moved in steps, as a hand does.
        for (int i = 1; i <= 10; ++i)
            SendMouse(&pie, QEvent::MouseMove, press + (to - press) * i / 10, Qt::LeftButton);
        SendMouse(&pie, QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(pie.cursor().shape(), Qt::ArrowCursor);
        QVERIFY2(qAbs(PaintedRadius(&pie, centre) - radius) <= 2.5, qPrintable(QString::number(PaintedRadius(&pie, centre))));
        // After the release moves change nothing.
        SendMouse(&pie, QEvent::MouseMove, QPoint(149, 149), Qt::NoButton);
        QVERIFY(qAbs(PaintedRadius(&pie, centre) - radius) <= 2.5);
        // A resize sets the radius back to a quarter of the smaller side.
        pie.resize(320, 300);
        QVERIFY(qAbs(PaintedRadius(&pie, QPointF(159, 149)) - 75) <= 2.5);
    }

    void pieInATinyWidgetKeepsTheSmallestRadius()
    {
        PieChartWidget pie;
        pie.setMinimumSize(0, 0);
        pie.resize(40, 40);
        pie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pie));
        const QPointF centre(19, 19);
        QVERIFY(qAbs(PaintedRadius(&pie, centre) - 20) <= 2.5);
        SendMouse(&pie, QEvent::MouseButtonPress, QPoint(39, 19), Qt::LeftButton);
        QCOMPARE(pie.cursor().shape(), Qt::SizeAllCursor);
        SendMouse(&pie, QEvent::MouseMove, QPoint(30, 19), Qt::LeftButton);
        SendMouse(&pie, QEvent::MouseMove, QPoint(19, 25), Qt::LeftButton);
        SendMouse(&pie, QEvent::MouseButtonRelease, QPoint(19, 25), Qt::NoButton);
        QVERIFY(qAbs(PaintedRadius(&pie, centre) - 20) <= 2.5);
    }

    void pieDrawsOneSectorWithItsEdges()
    {
        PieChartWidget pie;
        pie.resize(300, 300);
        pie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pie));
        const QImage image = pie.grab().toImage();
        const QColor background = image.pixelColor(2, 2);
        // The sector spans from 3 o'clock 120 degrees up and to the left:
        // blue at 60 and 110 degrees, nothing below the centre line, where a
        // radius drawn the wrong way round would show.
        for (int angle : {20, 60, 110}) {
            const double t = qDegreesToRadians(double(angle));
            QVERIFY2(IsPieBlue(image.pixelColor(QPointF(149 + 50 * qCos(t), 149 - 50 * qSin(t)).toPoint())),
                     qPrintable(QString::number(angle)));
        }
        for (int y = 149 + 7; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY2(NoticeTest::SameColour(image.pixelColor(x, y), background),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        // The edge at 120 degrees carries a dashed grey radius.
        int grey = 0;
        for (int d = 10; d < 70; ++d) {
            const double t = qDegreesToRadians(120.0);
            const QColor c = image.pixelColor(QPointF(149 + d * qCos(t), 149 - d * qSin(t)).toPoint());
            if (qAbs(c.red() - c.blue()) < 40 && c.red() > 60 && c.red() < 200)
                ++grey;
        }
        QVERIFY2(grey > 10, qPrintable(QString::number(grey)));
        Render(&pie, QStringLiteral("PieChartWidget"));
    }
    // ---- eight-slider DPI editor ------------------------------------------

    void dpiEditorAsBuilt()
    {
        SensorDPIB editor;
        editor.show();
        QCOMPARE(editor.size(), QSize(725, 444));
        for (int i = 0; i < 8; ++i) {
            auto* slider = editor.findChild<QSlider*>(QLatin1String(kSliders[i]));
            auto* number = editor.findChild<QSpinBox*>(QLatin1String(kNumbers[i]));
            auto* level = editor.findChild<QCheckBox*>(QLatin1String(kLevelBoxes[i]));
            QVERIFY(slider && number && level);
            QCOMPARE(slider->geometry(), QRect(120, 60 + 50 * i, 510, 25));
            QCOMPARE(slider->value(), 50);
            QCOMPARE(number->value(), 50);
            QCOMPARE(level->text(), QStringLiteral("DPI%1").arg(i + 1));
            QVERIFY(!level->isChecked() && slider->isVisible());
        }
        QCOMPARE(editor.findChild<QComboBox*>(QStringLiteral("ChooseEvent"))->count(), 0);
        QCOMPARE(SentCount(), 0);
    }

    void dpiSliderSnapsShowsAndSends_data()
    {
        QTest::addColumn<QStringList>("ranges");
        QTest::addColumn<int>("shown");  // the value the host shows first
        QTest::addColumn<int>("value");  // the slider after one notch of the user's wheel
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("pageStep");
        const QStringList one{"50", "10000", "50", "0x00"};
        const QStringList two{"50", "3200", "50", "3400", "10000", "100", "0x22"};
        QTest::newRow("on the step") << one << 1150 << 1200 << 1200 << 50;
        QTest::newRow("between steps") << one << 1184 << 1234 << 1200 << 50;
        QTest::newRow("into the gap") << two << 3200 << 3250 << 3400 << 100;
        QTest::newRow("second range") << two << 4950 << 5050 << 5000 << 100;
        QTest::newRow("first range of two") << two << 3125 << 3175 << 3150 << 50;
    }

    void dpiSliderSnapsShowsAndSends()
    {
        QFETCH(QStringList, ranges);
        QFETCH(int, shown);
        QFETCH(int, value);
        QFETCH(int, sent);
        QFETCH(int, pageStep);
        DpiRangeTable::Current() = DpiRangeTable::FromItems(ranges);
        SensorDPIB editor;
        editor.show();
        editor.SelectLevel(3);
        QCOMPARE(SentCount(), 1); // the level choice: byte 2
        QCOMPARE(SentBytes(2), QList<int>{3});
        auto* slider = editor.findChild<QSlider*>(QStringLiteral("horizontalSliderD"));
        auto* number = editor.findChild<QSpinBox*>(QStringLiteral("spinBoxD"));
        // A value the host shows is shown, not sent.
        editor.SetSliderValue(shown, 3);
        QCOMPARE(slider->value(), shown);
        QCOMPARE(SentCount(), 1);
        WheelNotch(slider, 1);
        QCOMPARE(slider->value(), value);
        QCOMPARE(number->value(), sent);
        QCOMPARE(slider->pageStep(), pageStep);
        const QList<FlashDataMap> records = SentRecords();
        QCOMPARE(records.size(), 2);
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(records.last().dpiLevels[3]), sent);
        QCOMPARE(CurrentFlashMapLock::Snapshot().dpiLevels[3].xCode, records.last().dpiLevels[3].xCode);
        DpiRangeTable::Current() = DpiRangeTable();
    }

    void dpiTheUsersFirstSliderChangeIsWritten_data()
    {
        QTest::addColumn<int>("before");
        QTest::newRow("after construction") << 0;
        QTest::newRow("after a selection") << 1;
        QTest::newRow("after the host showed the value already there") << 2;
        QTest::newRow("after the host showed a value with the slider held") << 3;
    }

    void dpiTheUsersFirstSliderChangeIsWritten()
    {
        QFETCH(int, before);
        DpiRangeTable::Current() = DpiRangeTable::FromItems({"50", "10000", "50", "0x00"});
        SensorDPIB editor;
        editor.show();
        auto* slider = editor.findChild<QSlider*>(QStringLiteral("horizontalSliderC"));
        if (before == 1)
            editor.SelectLevel(2);
        if (before == 2)
            editor.SetSliderValue(slider->value(), 2);
        if (before == 3) {
            editor.BlockSliderSignals(true);
            editor.SetLevelValueText(2, QStringLiteral("1200"));
            editor.BlockSliderSignals(false);
        }
        SimulatedDeviceControl::clearCalls();
        const int from = slider->value();
        WheelNotch(slider, 1);
        QCOMPARE(slider->value(), from + 50);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxC"))->value(), from + 50);
        const QList<FlashDataMap> records = SentRecords();
        QCOMPARE(records.size(), 1);
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(records.first().dpiLevels[2]), from + 50);
        DpiRangeTable::Current() = DpiRangeTable();
    }

    void dpiSliderEdgeCases()
    {
        DpiRangeTable::Current() = DpiRangeTable::FromItems({"100", "10000", "100", "0x00"});
        SensorDPIB editor;
        editor.show();
        auto* slider = editor.findChild<QSlider*>(QStringLiteral("horizontalSliderA"));
        auto* number = editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"));
        editor.SetSliderValue(150, 0); // shown as 100, not sent
        QCOMPARE(number->value(), 100);
        QCOMPARE(SentRecords().size(), 0);
        WheelNotch(slider, -1); // 50, below the first range: as it is
        QCOMPARE(number->value(), 50);
        QCOMPARE(SentRecords().size(), 1);
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(SentRecords().last().dpiLevels[0]), 50);

        // While the please-wait is off nothing goes out.
        noWaitDialog = 1;
        WheelNotch(slider, 1);
        noWaitDialog = 0;
        QCOMPARE(number->value(), 100);
        QCOMPARE(SentRecords().size(), 1);

        // A table with a step of 0 cannot snap: the value stays, nothing hangs.
        DpiRangeTable broken;
        broken.dpiRangeCount = 1;
        broken.dpiRangeMinima = {50};
        broken.dpiRangeMaxima = {10000};
        broken.dpiRangeSteps = {0};
        DpiRangeTable::Current() = broken;
        editor.SetSliderValue(1184, 0);
        WheelNotch(slider, 1);
        QCOMPARE(number->value(), slider->value());
        QVERIFY(slider->value() > 1184 && slider->value() % 50 != 0);
        QCOMPARE(SentRecords().size(), 2);

        // Offline: the row keeps the value the mouse holds, the notice is asked for.
        DpiRangeTable::Current() = DpiRangeTable::FromItems({"100", "10000", "100", "0x00"});
        const int held = number->value();
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        WheelNotch(slider, 1);
        QCOMPARE(number->value(), held);
        QCOMPARE(slider->value(), held);
        QVERIFY(slider->isEnabled());
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QCOMPARE(SentRecords().size(), 2);
        DpiRangeTable::Current() = DpiRangeTable();
    }

    void dpiSliderPressJumpsAndSends()
    {
        DpiRangeTable::Current() = DpiRangeTable::FromItems({"50", "10000", "50", "0x00"});
        SensorDPIB editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.SetSliderValue(100, 1); // shown, not written
        QCOMPARE(SentCount(), 0);
        auto* slider = editor.findChild<QSlider*>(QStringLiteral("horizontalSliderB"));
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->width() / 2, slider->height() / 2));
        const int shown = editor.findChild<QSpinBox*>(QStringLiteral("spinBoxB"))->value();
        QVERIFY2(shown > 4000 && shown < 6000 && shown % 50 == 0, qPrintable(QString::number(shown)));
        QCOMPARE(DpiValueCoding::DpiOfLevelEntry(SentRecords().last().dpiLevels[1]), shown);
        DpiRangeTable::Current() = DpiRangeTable();
    }

    void dpiLevelBoxesWriteTheCurrentLevel()
    {
        SensorDPIB editor;
        editor.show();
        Click(editor.findChild<QCheckBox*>(QStringLiteral("MF")));
        sensorPageFilling = true;
        Click(editor.findChild<QCheckBox*>(QStringLiteral("MB")));
        sensorPageFilling = false;
        editor.CheckLevel(6);
        editor.CheckLevel(9);
        QCOMPARE(SentBytes(2), (QList<int>{5, 6}));
        QVERIFY(editor.findChild<QCheckBox*>(QStringLiteral("MG"))->isChecked());
        // The offline check of a selection.
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        editor.SelectLevel(2);
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QVERIFY(editor.findChild<QCheckBox*>(QStringLiteral("MG"))->isChecked());
    }

    void dpiALevelTheMouseRefusesLeavesTheMousesLevelChecked()
    {
        SensorDPIB editor;
        editor.show();
        Click(editor.findChild<QCheckBox*>(QStringLiteral("MB")));
        QCOMPARE(SentBytes(2), QList<int>{1});
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        Click(editor.findChild<QCheckBox*>(QStringLiteral("MD")));
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QCOMPARE(SentBytes(2), QList<int>{1});
        QVERIFY(editor.findChild<QCheckBox*>(QStringLiteral("MB"))->isChecked());
        QVERIFY(!editor.findChild<QCheckBox*>(QStringLiteral("MD"))->isChecked());
        // Back online, the next choice is written from the level the mouse holds.
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), true);
        Click(editor.findChild<QCheckBox*>(QStringLiteral("MD")));
        QCOMPARE(SentBytes(2), (QList<int>{1, 3}));
        QVERIFY(editor.findChild<QCheckBox*>(QStringLiteral("MD"))->isChecked());
    }

    void dpiColourChoiceWritesTheLevelColour()
    {
        SensorDPIB editor;
        editor.show();
        Click(editor.findChild<QToolButton*>(QStringLiteral("YellowButtonA")));
        auto* dialog = editor.findChild<QColorDialog*>();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        dialog->setCurrentColor(QColor(10, 200, 255));
        dialog->accept();
        const QList<FlashDataMap> records = SentRecords();
        QCOMPARE(records.size(), 1);
        const DpiLevelEntry& entry = records.last().dpiLevels[3];
        QCOMPARE((QList<int>{entry.red, entry.green, entry.blue}), (QList<int>{10, 200, 255}));
        auto* swatch = editor.findChild<QToolButton*>(QStringLiteral("YellowButtonA"));
        QVERIFY(swatch->styleSheet().contains(QStringLiteral("#0ac8ff")));

        // Offline: neither stored nor painted, the writer asks for the notice.
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        Click(editor.findChild<QToolButton*>(QStringLiteral("BlueButtonA")));
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QVERIFY(!editor.findChild<QToolButton*>(QStringLiteral("BlueButtonA"))->styleSheet().contains(QStringLiteral("#010203")));
        QCOMPARE(SentRecords().size(), 1);

        // Presets paint over, the stored colours come back.
        editor.ApplyPresetColors();
        QVERIFY(swatch->styleSheet().contains(QStringLiteral("#ffffff")));
        editor.ApplyAllLevelColors();
        QVERIFY(swatch->styleSheet().contains(QStringLiteral("#0ac8ff")));
    }

    void dpiLevelCountBelowTheCurrentLevelSwaps()
    {
        SensorDPIB editor;
        editor.show();
        FillDpiEditor(&editor);
        editor.SetCurrentLevel(5);
        SimulatedDeviceControl::clearCalls();
        const FlashDataMap before = CurrentFlashMapLock::Snapshot();
        editor.SetLevelCountIndex(2);

        // Row 5's colour and value went to row 2 and back.
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxC"))->value(), 600);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxF"))->value(), 300);
        QCOMPARE(editor.findChild<QSlider*>(QStringLiteral("horizontalSliderC"))->value(), 600);
        QVERIFY(editor.findChild<QToolButton*>(QStringLiteral("RedButtonA"))->styleSheet().contains(QStringLiteral("#000006")));
        QVERIFY(editor.findChild<QToolButton*>(QStringLiteral("PurpleButtonA"))->styleSheet().contains(QStringLiteral("#000003")));
        QVERIFY(editor.findChild<QCheckBox*>(QStringLiteral("MC"))->isChecked());
        for (int i = 0; i < 8; ++i)
            QCOMPARE(editor.findChild<QSlider*>(QLatin1String(kSliders[i]))->isVisible(), i <= 2);

        // Sent: the current level, the swapped pair, the count.
        const QList<FlashDataMap> records = SentRecords();
        QCOMPARE(records.size(), 3);
        QCOMPARE(int(records[0].currentDpiLevel), 2);
        QCOMPARE(std::memcmp(&records[1].dpiLevels[2], &before.dpiLevels[5], sizeof(DpiLevelEntry)), 0);
        QCOMPARE(std::memcmp(&records[1].dpiLevels[5], &before.dpiLevels[2], sizeof(DpiLevelEntry)), 0);
        QCOMPARE(int(records[1].currentDpiLevel), 2);
        QCOMPARE(int(records[1].dpiLevelCount), 3);
        QCOMPARE(int(records[2].dpiLevelCount), 3);

        // Eight levels: all rows, the count alone.
        SimulatedDeviceControl::clearCalls();
        editor.SetLevelCountIndex(7);
        QCOMPARE(SentBytes(1), QList<int>{8});
        QCOMPARE(SentRecords().first().dpiLevels[2].xCode, records[2].dpiLevels[2].xCode);
        for (int i = 0; i < 8; ++i)
            QVERIFY(editor.findChild<QSlider*>(QLatin1String(kSliders[i]))->isVisible());
        editor.ApplyPresetColors();
        Render(&editor, QStringLiteral("SensorDPIB-eight"));
        editor.SetLevelCountIndex(4);
        editor.SetLevelCountLabel(QStringLiteral("Levels"));
        Render(&editor, QStringLiteral("SensorDPIB-five"));
    }

    void dpiLevelCountEdgeCases()
    {
        SensorDPIB editor;
        editor.show();
        FillDpiEditor(&editor);
        SimulatedDeviceControl::clearCalls();
        // The current level after construction is 1: one level swaps 1 and 0.
        editor.SetLevelCountIndex(0);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxA"))->value(), 200);
        QCOMPARE(editor.findChild<QSpinBox*>(QStringLiteral("spinBoxB"))->value(), 100);
        QCOMPARE(SentBytes(1).last(), 1);

        // An emptied list or a count beyond eight touches nothing.
        SimulatedDeviceControl::clearCalls();
        editor.InsertLevelCount(8, QStringLiteral("9"));
        editor.SetLevelCountIndex(8);
        editor.BlockLevelCountSignals(false);
        QComboBox* counts = editor.findChild<QComboBox*>(QStringLiteral("ChooseEvent"));
        counts->clear();
        QCOMPARE(SentCount(), 0);
        QVERIFY(editor.findChild<QSlider*>(QStringLiteral("horizontalSliderA"))->isVisible());

        // While a page fills the count changes nothing.
        FillDpiEditor(&editor);
        SimulatedDeviceControl::clearCalls();
        sensorPageFilling = true;
        editor.SetLevelCountIndex(3);
        sensorPageFilling = false;
        QCOMPARE(SentCount(), 0);

        // Offline: the notice, nothing sent.
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        editor.SetLevelCountIndex(6);
        QVERIFY(hub.events.contains(QStringLiteral("offline 0")));
        QCOMPARE(SentCount(), 0);

        editor.ShowLevels(0);
        editor.ShowLevels(8);
        editor.ShowLevels(-1);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(editor.findChild<QSlider*>(QLatin1String(kSliders[i]))->isVisible(), i == 0);
        // Levels outside the rows are ignored.
        editor.SetSliderValue(900, 8);
        editor.SetSpinValue(900, -1);
        editor.SetLevelValueText(12, QStringLiteral("900"));
        editor.SetLevelColorText(9, QStringLiteral("#123456"));
        editor.ApplyLevelColor(9);
        editor.CheckLevel(-3);
        editor.SetCurrentLevel(20);
        QCOMPARE(SentCount(), 0);
    }
};

QTEST_MAIN(TestVariantPanels)
#include "tst_variantpanels.moc"
