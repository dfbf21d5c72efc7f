// The second-design setting panels: each user change writes its byte of the
// device record through the setting writers, fills show a record's values
// without writing, and each panel renders finished.

#include "NoticeTestSupport.h"

#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "variants/MotionSyncB.h"
#include "variants/RippeControlB.h"
#include "variants/SensorLODB.h"
#include "variants/StraightLineB.h"

#include <QCheckBox>
#include <QLabel>
#include <QToolButton>
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
void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
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

using SwitchFactory = std::function<SwitchPanelB*()>;

} // namespace

Q_DECLARE_METATYPE(SwitchFactory)

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

    void switchWithTheMouseOfflineKeepsTheClick()
    {
        StraightLineB panel;
        panel.show();
        SimulatedDeviceControl::setOnline(QStringLiteral("mouse"), false);
        HubEvents hub;
        auto* button = panel.findChild<QToolButton*>(QStringLiteral("StraightLine_2"));
        Click(button);
        // The switch shows the click, the record keeps its byte, the notice is asked for.
        QVERIFY(button->isChecked());
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
};

QTEST_MAIN(TestVariantPanels)
#include "tst_variantpanels.moc"
