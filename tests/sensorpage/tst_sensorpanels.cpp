// The lift-off distance panel and the three switch panels of the sensor page:
// a choice writes its byte into the mouse, an offline mouse puts the control
// back, and showing a value from the record writes nothing.

#include "NoticeTestSupport.h"
#include "SensorPageTestSupport.h"

#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/MotionSync.h"
#include "sensor/RippeControl.h"
#include "sensor/SensorLOD.h"
#include "sensor/StraightLine.h"
#include "widgets/MyConmboBox.h"

#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace SensorPageTest;

namespace {

const char* const kMouse = "behind4k";
const char* const kReceiver = "r4k";

QVariantList Firsts(const QSignalSpy& spy)
{
    QVariantList values;
    for (const QList<QVariant>& call : spy)
        values.append(call.first());
    return values;
}

QStringList Items(QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

std::unique_ptr<SensorSwitchPanel> NewSwitch(const QString& kind)
{
    if (kind == QLatin1String("RippeControl"))
        return std::make_unique<RippeControl>();
    if (kind == QLatin1String("StraightLine"))
        return std::make_unique<StraightLine>();
    return std::make_unique<MotionSync>();
}

} // namespace

class TestSensorPanels : public QObject {
    Q_OBJECT
private:
    bool serverUp = false;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(SENSOR_FIXTURES "/sensor_mice.json", &error), qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
    }

    void init()
    {
        SimulatedDeviceControl::setOnline(QLatin1String(kMouse), true);
        QVERIFY(UseFoundDevice(QLatin1String(kReceiver)));
        const QByteArray path = CurrentDevice::Path();
        UsbServerC_Start(path.constData(), path.constData(), nullptr);
        serverUp = true;
        {
            CurrentFlashMapLock lock;
            lock.Map() = PlainRecord();
        }
        deviceSendEnabled = true;
        sensorPageFilling = false;
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

    // Lift-off distance

    void theLiftOffFormAndStyles()
    {
        SensorLOD panel;
        QCOMPARE(panel.objectName(), QStringLiteral("SensorLOD"));
        QCOMPARE(panel.size(), QSize(131, 61));
        auto* list = panel.findChild<MyConmboBox*>(QStringLiteral("LOD"));
        QVERIFY(list);
        QCOMPARE(Items(list), (QStringList{"1mm", "2mm"}));
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->geometry(), QRect(0, 30, 130, 30));
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral(" LOD"));
        for (const QString& picture : NoticeTest::StyleSheetPictures(&panel))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        panel.setTitleText(QStringLiteral("Lift-off"));
        panel.setTipText(QStringLiteral("tip"));
        panel.placeTipIcon(3);
        QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("label"))->text(), QStringLiteral("Lift-off"));
        auto* tip = panel.findChild<QLabel*>(QStringLiteral("label_2"));
        QCOMPARE(tip->toolTip(), QStringLiteral("tip"));
        QCOMPARE(tip->pos(), QPoint(50, 1));
        panel.setLodEnabled(true);
        QVERIFY(list->isEnabled());
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void setLodIndexShowsAndAnnounces_data()
    {
        QTest::addColumn<bool>("threeItems");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QVariantList>("announced");
        QTest::newRow("three, 0.7 mm") << true << 2 << "0.7mm" << QVariantList{"0.7mm"};
        QTest::newRow("three, 1 mm") << true << 0 << "1mm" << QVariantList{"1mm"};
        QTest::newRow("three, 2 mm") << true << 1 << "2mm" << QVariantList{"2mm"};
        QTest::newRow("two, 1 mm") << false << 0 << "1mm" << QVariantList{"1mm"};
        QTest::newRow("two, 2 mm") << false << 1 << "2mm" << QVariantList{"2mm"};
        // An index the list has no item for changes nothing and announces nothing.
        QTest::newRow("two, 0.7 mm absent") << false << 2 << "2mm" << QVariantList{};
        QTest::newRow("two, code 0") << false << -1 << "2mm" << QVariantList{};
        QTest::newRow("three, code 4") << true << 3 << "2mm" << QVariantList{};
    }

    void setLodIndexShowsAndAnnounces()
    {
        QFETCH(bool, threeItems);
        QFETCH(int, index);
        QFETCH(QString, shown);
        QFETCH(QVariantList, announced);
        SensorLOD panel;
        // As the page does it: inside a fill.
        sensorPageFilling = true;
        if (threeItems)
            panel.addSubMillimetreItem();
        panel.setLodIndex(1);
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddLOD(QString)));
        panel.setLodIndex(index);
        sensorPageFilling = false;
        auto* list = panel.findChild<MyConmboBox*>(QStringLiteral("LOD"));
        QCOMPARE(list->currentText(), shown);
        QCOMPARE(Firsts(spy), announced);
        QCOMPARE(panel.lodIndex(), announced.isEmpty() ? 1 : index);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void theSubMillimetreItemComesAndGoesOnce()
    {
        SensorLOD panel;
        auto* list = panel.findChild<MyConmboBox*>(QStringLiteral("LOD"));
        sensorPageFilling = true;
        panel.addSubMillimetreItem();
        panel.addSubMillimetreItem();
        QCOMPARE(Items(list), (QStringList{"0.7mm", "1mm", "2mm"}));
        panel.setLodIndex(2);
        panel.removeSubMillimetreItem();
        panel.removeSubMillimetreItem();
        sensorPageFilling = false;
        QCOMPARE(Items(list), (QStringList{"1mm", "2mm"}));
        QCOMPARE(list->currentText(), QStringLiteral("1mm"));
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void choosingADistanceWritesItsCode_data()
    {
        QTest::addColumn<bool>("threeItems");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("three, 0.7 mm") << true << 0 << 3 << "0.7mm";
        QTest::newRow("three, 1 mm") << true << 1 << 1 << "1mm";
        QTest::newRow("three, 2 mm") << true << 2 << 2 << "2mm";
        QTest::newRow("two, 2 mm") << false << 1 << 2 << "2mm";
        QTest::newRow("two, 1 mm") << false << 0 << 1 << "1mm";
    }

    void choosingADistanceWritesItsCode()
    {
        QFETCH(bool, threeItems);
        QFETCH(int, position);
        QFETCH(int, code);
        QFETCH(QString, text);
        SensorLOD panel;
        sensorPageFilling = true;
        if (threeItems)
            panel.addSubMillimetreItem();
        sensorPageFilling = false;
        auto* list = panel.findChild<MyConmboBox*>(QStringLiteral("LOD"));
        // Another distance is shown first, so that the choice changes the list.
        const int shownPosition = (position + 1) % list->count();
        sensorPageFilling = true;
        panel.setLodIndex(threeItems ? QList<int>{2, 0, 1}.at(shownPosition) : shownPosition);
        sensorPageFilling = false;
        QCOMPARE(list->currentIndex(), shownPosition);
        QSignalSpy spy(PostMsg::Instance(), SIGNAL(SigAddLOD(QString)));
        list->setCurrentIndex(position);
        QCOMPARE(SentBytes(5), QList<int>{code});
        QCOMPARE(StoredByte(QLatin1String(kMouse), 5), code);
        QCOMPARE(Firsts(spy), QVariantList{text});
        QCOMPARE(panel.lodIndex(), code - 1);
    }

    void anOfflineMousePutsTheDistanceBack()
    {
        SensorLOD panel;
        sensorPageFilling = true;
        panel.addSubMillimetreItem();
        sensorPageFilling = false;
        auto* list = panel.findChild<MyConmboBox*>(QStringLiteral("LOD"));
        list->setCurrentIndex(2); // 2 mm, accepted
        QCOMPARE(SentBytes(5), QList<int>{2});
        SimulatedDeviceControl::setOnline(QLatin1String(kMouse), false);
        QSignalSpy lod(PostMsg::Instance(), SIGNAL(SigAddLOD(QString)));
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        list->setCurrentIndex(0);
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(SentBytes(5), QList<int>{2});
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().liftOffDistance), 2);
        QVERIFY(lod.isEmpty());
        QCOMPARE(offline.size(), 1);
        QCOMPARE(panel.lodIndex(), 1);
    }

    void theDistanceIsNotWrittenWhileSendingIsOffOrAPageFills_data()
    {
        QTest::addColumn<bool>("sendEnabled");
        QTest::addColumn<bool>("filling");
        QTest::newRow("before the first page switch") << false << false;
        QTest::newRow("while the page fills") << true << true;
    }

    void theDistanceIsNotWrittenWhileSendingIsOffOrAPageFills()
    {
        QFETCH(bool, sendEnabled);
        QFETCH(bool, filling);
        SensorLOD panel;
        deviceSendEnabled = sendEnabled;
        sensorPageFilling = filling;
        panel.findChild<MyConmboBox*>(QStringLiteral("LOD"))->setCurrentIndex(1);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    // Switch panels

    void eachSwitchWritesItsByte_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("title");
        QTest::newRow("ripple control") << "RippeControl" << 10 << QStringLiteral("波纹控制");
        QTest::newRow("straight line") << "StraightLine" << 9 << QStringLiteral("直线修正");
        QTest::newRow("motion sync") << "MotionSync" << 7 << QStringLiteral("motion sync");
    }

    void eachSwitchWritesItsByte()
    {
        QFETCH(QString, kind);
        QFETCH(int, offset);
        QFETCH(QString, title);
        std::unique_ptr<SensorSwitchPanel> panel = NewSwitch(kind);
        QCOMPARE(panel->objectName(), kind);
        QCOMPARE(panel->size(), QSize(204, 31));
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label"))->text(), title);
        auto* button = panel->findChild<QToolButton*>(kind + QStringLiteral("_2"));
        QVERIFY(button);
        QVERIFY(button->styleSheet().contains(QStringLiteral("#") + kind + QStringLiteral("_2")));
        for (const QString& picture : NoticeTest::StyleSheetPictures(panel.get()))
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isChecked());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isChecked());
        QCOMPARE(SentBytes(offset), (QList<int>{1, 0}));
        QCOMPARE(StoredByte(QLatin1String(kMouse), offset), 0);
    }

    void anOfflineMouseFlipsTheSwitchBack_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("before");
        QTest::newRow("straight line on") << "StraightLine" << false;
        QTest::newRow("straight line off") << "StraightLine" << true;
        QTest::newRow("ripple control on") << "RippeControl" << false;
        QTest::newRow("motion sync off") << "MotionSync" << true;
    }

    void anOfflineMouseFlipsTheSwitchBack()
    {
        QFETCH(QString, kind);
        QFETCH(bool, before);
        std::unique_ptr<SensorSwitchPanel> panel = NewSwitch(kind);
        panel->setSwitchChecked(before);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        SimulatedDeviceControl::setOnline(QLatin1String(kMouse), false);
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
        QTest::mouseClick(panel->findChild<QToolButton*>(kind + QStringLiteral("_2")), Qt::LeftButton);
        QCOMPARE(panel->isSwitchChecked(), before);
        QCOMPARE(offline.size(), 1);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void setSwitchCheckedNeverWrites()
    {
        for (const QString& kind : {QStringLiteral("RippeControl"), QStringLiteral("StraightLine"), QStringLiteral("MotionSync")}) {
            std::unique_ptr<SensorSwitchPanel> panel = NewSwitch(kind);
            panel->setSwitchChecked(true);
            QVERIFY(panel->isSwitchChecked());
            panel->setSwitchChecked(false);
            QVERIFY(!panel->isSwitchChecked());
        }
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
    }

    void beforeTheFirstPageSwitchAClickWritesNothing()
    {
        deviceSendEnabled = false;
        RippeControl panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QTest::mouseClick(panel.findChild<QToolButton*>(QStringLiteral("RippeControl_2")), Qt::LeftButton);
        QVERIFY(panel.isSwitchChecked());
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void theTipIconFollowsTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QList<int>>("x"); // ripple, straight line, motion sync
        QTest::newRow("0") << 0 << QList<int>{175, 170, 160};
        QTest::newRow("1") << 1 << QList<int>{120, 120, 150};
        QTest::newRow("2") << 2 << QList<int>{185, 185, 215};
        QTest::newRow("3") << 3 << QList<int>{100, 100, 100};
        QTest::newRow("5") << 5 << QList<int>{175, 175, 175};
        QTest::newRow("7") << 7 << QList<int>{175, 175, 175};
        QTest::newRow("9 moves nothing") << 9 << QList<int>{180, 180, 180};
        QTest::newRow("-1 moves nothing") << -1 << QList<int>{180, 180, 180};
    }

    void theTipIconFollowsTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QList<int>, x);
        const QStringList kinds{"RippeControl", "StraightLine", "MotionSync"};
        for (int i = 0; i < kinds.size(); ++i) {
            std::unique_ptr<SensorSwitchPanel> panel = NewSwitch(kinds[i]);
            panel->placeTipIcon(language);
            QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("label_2"))->pos(), QPoint(x[i], 3));
        }
    }

};

QTEST_MAIN(TestSensorPanels)
#include "tst_sensorpanels.moc"
