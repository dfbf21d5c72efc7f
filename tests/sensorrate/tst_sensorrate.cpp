// The report-rate panel: which rates each connection offers, a click that
// writes the rate into the mouse and announces it, and the put-back when the
// mouse does not answer.

#include "NoticeTestSupport.h"

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
#include "sensor/Sensor.h"
#include "sensor/SensorRate.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <cstring>

namespace {

const char* const kButtonNames[SensorRate::kRateCount] = {"Button125HZ", "Button250HZ", "Button500HZ",
                                                          "Button1000HZ", "Button2000HZ", "Button4000HZ",
                                                          "Button8000HZ"};
const int kCodes[SensorRate::kRateCount] = {8, 4, 2, 1, 16, 32, 64};
const int kRates[SensorRate::kRateCount] = {125, 250, 500, 1000, 2000, 4000, 8000};

// What the panel tells the hub, in order.
class RateAnnouncements : public QObject {
    Q_OBJECT
public:
    RateAnnouncements()
    {
        PostMsg::Connect(SIGNAL(SigAddReport(int)), this, SLOT(OnReport(int)));
        PostMsg::Connect(SIGNAL(SigHideModel(int)), this, SLOT(OnHideModel(int)));
        PostMsg::Connect(SIGNAL(SigMouseOffLineo(int)), this, SLOT(OnOffline(int)));
    }
    QStringList events;

public slots:
    void OnReport(int hz) { events << QStringLiteral("report %1").arg(hz); }
    void OnHideModel(int index) { events << QStringLiteral("hide %1").arg(index); }
    void OnOffline(int index) { events << QStringLiteral("offline %1").arg(index); }
};

QToolButton* Button(QWidget* root, int index)
{
    return root->findChild<QToolButton*>(QLatin1String(kButtonNames[index]));
}

QStringList Shown(QWidget* panel)
{
    QStringList shown;
    for (int i = 0; i < SensorRate::kRateCount; ++i)
        if (!Button(panel, i)->isHidden())
            shown << QString::number(kRates[i]);
    return shown;
}

QList<int> SentRateCodes()
{
    QList<int> codes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate"))) {
        const QByteArray record = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
        codes << (record.isEmpty() ? -1 : int(uchar(record[0])));
    }
    return codes;
}

int StoredRateCode(const QString& mouse)
{
    QByteArray record;
    if (!FlashImageCodec::decode(SimulatedDeviceControl::flashImage(mouse), &record))
        return -1;
    return uchar(record[0]);
}

FlashDataMap RecordWithRate(int code)
{
    FlashDataMap record;
    std::memset(&record, 0, sizeof(record));
    record.reportRate = uint8_t(code);
    record.dpiLevelCount = 5;
    record.liftOffDistance = 1;
    return record;
}

// The device of the discovery whose path is the named simulated device's.
bool UseFoundDevice(const QString& name)
{
    const QString path = SimulatedDeviceControl::pathOf(name);
    for (const DeviceAllInfo& device : DeviceDiscovery::foundDeviceList) {
        if (device.path == path) {
            CurrentDevice::SetInfo(device);
            CurrentDevice::SetPath(path.toLatin1());
            return true;
        }
    }
    return false;
}

} // namespace

class TestSensorRate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(RATE_FIXTURES "/every_connection.json", &error),
                 qPrintable(error));
        DeviceDiscovery::OnUsbDevicesChanged();
        QCOMPARE(DeviceDiscovery::foundDeviceList.size(), 6);
        // The library stores a record only on the device its server talks
        // to: the receiver every test starts on.
        QVERIFY(UseFoundDevice(QStringLiteral("r8k")));
        const QByteArray path = CurrentDevice::Path();
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), nullptr));
    }

    void cleanupTestCase() { UsbServer_Exit(); }

    void init()
    {
        deviceSendEnabled = true;
        sensorPageFilling = false;
        for (const char* mouse : {"behind1k", "behind2k", "behind4k", "behind8k", "cable1k", "cable8k"})
            SimulatedDeviceControl::setOnline(QLatin1String(mouse), true);
        QVERIFY(UseFoundDevice(QStringLiteral("r8k")));
        {
            CurrentFlashMapLock lock;
            lock.Map() = RecordWithRate(1);
        }
        SimulatedDeviceControl::clearCalls();
    }

    void cleanup() { deviceSendEnabled = false; }

    void theFormHoldsSevenRateButtons()
    {
        RateAnnouncements hub;
        SensorRate panel;
        QCOMPARE(panel.objectName(), QStringLiteral("SensorRate"));
        QCOMPARE(panel.size(), QSize(725, 82));
        QLabel* title = panel.findChild<QLabel*>(QStringLiteral("label"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("回报率"));
        for (int i = 0; i < SensorRate::kRateCount; ++i) {
            QToolButton* button = Button(&panel, i);
            QVERIFY2(button, kButtonNames[i]);
            QCOMPARE(button->text(), QStringLiteral("%1Hz").arg(kRates[i]));
            QCOMPARE(button->geometry(), QRect(100 * i, 51, 74, 26));
            QVERIFY(button->isCheckable());
            QVERIFY(!button->isChecked());
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QCOMPARE(SensorRate::CodeOfIndex(i), kCodes[i]);
            QCOMPARE(SensorRate::RateOfIndex(i), kRates[i]);
        }
        QCOMPARE(panel.currentRateIndex(), -1);
        // Building the panel neither sends nor announces.
        QVERIFY(hub.events.isEmpty());
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
        panel.setTitleText(QStringLiteral("Report rate"));
        QCOMPARE(title->text(), QStringLiteral("Report rate"));
    }

    void theStylesUseTheThemeAndShippedPictures()
    {
        SensorRate panel;
        const QStringList pictures = NoticeTest::StyleSheetPictures(&panel);
        QCOMPARE(pictures.size(), 2);
        for (const QString& picture : pictures)
            QVERIFY2(QFileInfo::exists(picture), qPrintable(picture));
        QVERIFY(panel.findChild<QLabel*>(QStringLiteral("label"))->styleSheet().contains(ThemeColor::Rgb(QStringLiteral("LabelColor"))));
        QVERIFY(Button(&panel, 0)->styleSheet().contains(ThemeColor::Rgb(QStringLiteral("ButtonColor"))));
    }

    void eachConnectionOffersItsRates_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("shown");
        const QStringList upTo1000{"125", "250", "500", "1000"};
        QTest::newRow("1 kHz receiver") << "r1k" << 0 << upTo1000;
        QTest::newRow("2 kHz receiver") << "r2k" << 4 << (upTo1000 + QStringList{"2000"});
        QTest::newRow("4 kHz receiver") << "r4k" << 1 << (upTo1000 + QStringList{"2000", "4000"});
        QTest::newRow("8 kHz receiver") << "r8k" << 5 << (upTo1000 + QStringList{"2000", "4000", "8000"});
        QTest::newRow("cable up to 1000 Hz") << "cable1k" << 2 << upTo1000;
        QTest::newRow("cable up to 8000 Hz") << "cable8k" << 3 << (upTo1000 + QStringList{"2000", "4000", "8000"});
    }

    void eachConnectionOffersItsRates()
    {
        QFETCH(QString, device);
        QFETCH(int, kind);
        QFETCH(QStringList, shown);
        QVERIFY(UseFoundDevice(device));
        QCOMPARE(int(CurrentDevice::Info().connectionKind), kind);

        Sensor page;
        SensorRate* panel = page.findChild<SensorRate*>(QStringLiteral("frameRate"));
        QVERIFY(panel);
        page.SlotUpDataSenSorUISensor(RecordWithRate(1));
        QCOMPARE(Shown(panel), shown);
        QVERIFY(Button(panel, 3)->isChecked());
        // Another device on the same page: the limit follows the connection.
        QVERIFY(UseFoundDevice(kind == 5 ? QStringLiteral("r1k") : QStringLiteral("r8k")));
        page.SlotUpDataSenSorUIB(RecordWithRate(1));
        QCOMPARE(Shown(panel).size(), kind == 5 ? 4 : 7);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    void rateClassOfConnection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rateClass");
        QTest::newRow("1 kHz receiver") << 0 << 0;
        QTest::newRow("4 kHz receiver") << 1 << 1;
        QTest::newRow("cable up to 1000 Hz") << 2 << 0;
        QTest::newRow("cable up to 8000 Hz") << 3 << 3;
        QTest::newRow("2 kHz receiver") << 4 << 2;
        QTest::newRow("8 kHz receiver") << 5 << 3;
        QTest::newRow("unknown") << 6 << -1;
        QTest::newRow("unknown 255") << 255 << -1;
    }

    void rateClassOfConnection()
    {
        QFETCH(int, kind);
        QFETCH(int, rateClass);
        QCOMPARE(SensorRate::RateClassOfConnection(kind), rateClass);
    }

    void anUnknownClassChangesNothing()
    {
        SensorRate panel;
        panel.setRateLimit(2);
        for (int rateClass : {-1, 4, 99})
            panel.setRateLimit(rateClass);
        QCOMPARE(Shown(&panel), (QStringList{"125", "250", "500", "1000", "2000"}));
        panel.setRateLimit(1);
        QCOMPARE(Shown(&panel), (QStringList{"125", "250", "500", "1000", "2000", "4000"}));
    }

    void aClickWritesTheRateAndAnnouncesIt_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < SensorRate::kRateCount; ++i)
            QTest::newRow(kButtonNames[i]) << i;
    }

    void aClickWritesTheRateAndAnnouncesIt()
    {
        QFETCH(int, index);
        Sensor page;
        page.SlotUpDataSenSorUISensor(RecordWithRate(index == 3 ? 8 : 1));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        SensorRate* panel = page.findChild<SensorRate*>(QStringLiteral("frameRate"));
        RateAnnouncements hub;

        QTest::mouseClick(Button(panel, index), Qt::LeftButton);

        QCOMPARE(SentRateCodes(), QList<int>{kCodes[index]});
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().reportRate), kCodes[index]);
        QCOMPARE(StoredRateCode(QStringLiteral("behind8k")), kCodes[index]);
        // The rate first, then whether it is above 1000 Hz.
        QCOMPARE(hub.events, (QStringList{QStringLiteral("report %1").arg(kRates[index]),
                                          QStringLiteral("hide %1").arg(kRates[index] > 1000 ? 1 : 0)}));
        QVERIFY(Button(panel, index)->isChecked());
        QCOMPARE(panel->currentRateIndex(), index);
        for (int i = 0; i < SensorRate::kRateCount; ++i)
            QCOMPARE(Button(panel, i)->isChecked(), i == index);
    }

    void clickingTheCheckedRateSendsItAgain()
    {
        SensorRate panel;
        panel.selectRate(2);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        RateAnnouncements hub;
        QTest::mouseClick(Button(&panel, 2), Qt::LeftButton);
        QTest::mouseClick(Button(&panel, 2), Qt::LeftButton);
        QCOMPARE(SentRateCodes(), (QList<int>{2, 2}));
        QCOMPARE(hub.events, (QStringList{"report 500", "hide 0", "report 500", "hide 0"}));
        QVERIFY(Button(&panel, 2)->isChecked());
    }

    void anOfflineMousePutsTheRateBack_data()
    {
        QTest::addColumn<int>("shownBefore"); // -1: sent by a click first
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("putBack");
        QTest::newRow("2000 Hz after 1000 Hz was sent") << -1 << 4 << 3;
        QTest::newRow("8000 Hz after the record's 125 Hz") << 0 << 6 << 0;
        QTest::newRow("250 Hz after the record's 4000 Hz") << 5 << 1 << 5;
    }

    void anOfflineMousePutsTheRateBack()
    {
        QFETCH(int, shownBefore);
        QFETCH(int, clicked);
        QFETCH(int, putBack);
        SensorRate panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        if (shownBefore < 0)
            QTest::mouseClick(Button(&panel, putBack), Qt::LeftButton);
        else
            panel.selectRate(shownBefore);
        const QList<int> sentBefore = SentRateCodes();
        const int recordCode = CurrentFlashMapLock::Snapshot().reportRate;

        SimulatedDeviceControl::setOnline(QStringLiteral("behind8k"), false);
        RateAnnouncements hub;
        QTest::mouseClick(Button(&panel, clicked), Qt::LeftButton);

        // Nothing sent, the record keeps its code, the notice is asked for and
        // the rate shown before comes back, announced again; no rate class.
        QCOMPARE(SentRateCodes(), sentBefore);
        QCOMPARE(int(CurrentFlashMapLock::Snapshot().reportRate), recordCode);
        QCOMPARE(hub.events, (QStringList{"offline 0", QStringLiteral("report %1").arg(kRates[putBack])}));
        QVERIFY(Button(&panel, putBack)->isChecked());
        QVERIFY(!Button(&panel, clicked)->isChecked());
        QCOMPARE(panel.currentRateIndex(), putBack);
    }

    void beforeTheFirstPageSwitchAClickSendsNothing()
    {
        deviceSendEnabled = false;
        SensorRate panel;
        panel.selectRate(3);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        RateAnnouncements hub;
        QTest::mouseClick(Button(&panel, 2), Qt::LeftButton);
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
        QVERIFY(hub.events.isEmpty());
        // The button shows the click although nothing was sent.
        QVERIFY(Button(&panel, 2)->isChecked());
        QCOMPARE(panel.currentRateIndex(), 3);
    }

    void selectRateShowsWithoutWriting_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("125 Hz") << 0 << QStringList{"report 125"};
        // A rate the connection does not offer is still shown checked.
        QTest::newRow("8000 Hz on a 1 kHz connection") << 6 << QStringList{"report 8000"};
        QTest::newRow("index 7") << 7 << QStringList{};
        QTest::newRow("index -1") << -1 << QStringList{};
    }

    void selectRateShowsWithoutWriting()
    {
        QFETCH(int, index);
        QFETCH(QStringList, events);
        SensorRate panel;
        panel.setRateLimit(0);
        panel.selectRate(1);
        RateAnnouncements hub;
        panel.selectRate(index);
        QCOMPARE(hub.events, events);
        QCOMPARE(panel.currentRateIndex(), index);
        const int checked = events.isEmpty() ? 1 : index;
        for (int i = 0; i < SensorRate::kRateCount; ++i)
            QCOMPARE(Button(&panel, i)->isChecked(), i == checked);
        QVERIFY(SimulatedDeviceControl::calls().isEmpty());
    }

    void withNoRateShownAFailedClickPutsNothingBack()
    {
        SensorRate panel;
        panel.selectRate(9);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        SimulatedDeviceControl::setOnline(QStringLiteral("behind8k"), false);
        RateAnnouncements hub;
        QTest::mouseClick(Button(&panel, 1), Qt::LeftButton);
        QCOMPARE(hub.events, QStringList{"offline 0"});
        QVERIFY(SentRateCodes().isEmpty());
        QCOMPARE(panel.currentRateIndex(), 9);
    }
};

QTEST_MAIN(TestSensorRate)
#include "tst_sensorrate.moc"
