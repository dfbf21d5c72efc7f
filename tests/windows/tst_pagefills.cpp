// A page that fills itself from data - the saved copy while the mouse is
// silent, a report of the device, a profile just applied - shows that data
// and never tells the user the mouse is offline: a fill runs inside a
// blocking signal of the device link, so a notice opened there would hold
// the link until someone closed it. It writes to the mouse only where its
// control's own change handling asks for it: the debounce entry shown from a
// record, the sensor mode again when a reported rate lets the mouse leave
// "Corded", a second DPI indicator design filled with its guard open.
// Nothing else is written, to the mouse or the receiver.

#include "FromOtherThread.h"
#include "CallLogNames.h"
#include "RecordFixtures.h"

#include "app/LanguageLoader.h"
#include "app/PostMsg.h"
#include "app/Startup.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceSettingSetters.h"
#include "device/Worker.h"
#include "platform/rozuri/ROZUri.h"
#include "platform/rozuri/SimulatedDeviceControl.h"
#include "sensor/SensorEffect.h"
#include "variants/DebouncetimeB.h"
#include "variants/DebouncetimeC.h"
#include "variants/MotionSyncB.h"
#include "variants/RippeControlB.h"
#include "variants/SensorDPIB.h"
#include "variants/SensorEffectB.h"
#include "variants/SensorLODB.h"
#include "variants/SensorRateB.h"
#include "variants/StopCloseTimeB.h"
#include "variants/StraightLineB.h"
#include "windows/Dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace {

const char kScenario[] = R"({
    "receivers": [{"name": "receiver4k", "vid": "1A2B", "pid": "2104", "kind": 1, "cid": 7, "mid": 1,
                   "version": "0x0105", "address": "3a5c17", "plugged": true}],
    "mice": [{"name": "drive1", "vid": "1A2B", "pid": "2001", "cid": 7, "mid": 1, "cableKind": 3,
              "cablePlugged": false, "online": true, "version": "0x0102", "receiver": "receiver4k"}]
})";

const char kMouse[] = "drive1";

void IgnoreReport(const unsigned char*, int, const unsigned char*, int) {}

DpiLevelEntry Level(int code, int red, int green, int blue)
{
    return DpiLevelEntry{uint8_t(code), uint8_t(code), 0, uint8_t(red), uint8_t(green), uint8_t(blue)};
}

// What the pages show before the fill under test: the mouse's record.
FlashDataMap RecordShownBefore()
{
    FlashDataMap record{};
    record.reportRate = 1;
    record.dpiLevelCount = 4;
    record.currentDpiLevel = 0;
    record.liftOffDistance = 1;
    record.debounceTime = 2;
    record.sleepTime = 6;
    record.performanceTime = 3;
    for (int i = 0; i < 8; ++i)
        record.dpiLevels[i] = Level(8 * (i + 1), 255, 0, 0);
    record.dpiLed = DpiLedSettings{1, 128, 2, 1};
    record.ledBar = LedBarSettings{2, 10, 20, 30, 3, 5, 1};
    const uint8_t codes[6] = {1, 2, 4, 8, 16, 1};
    for (int i = 0; i < 6; ++i)
        record.buttons[i] = ButtonFunctionHeader{uint8_t(i < 5 ? 1 : 2), codes[i], 0};
    return record;
}

// The saved copy: every setting differs from what the pages show.
FlashDataMap SavedRecord()
{
    FlashDataMap record{};
    record.reportRate = 2;
    record.dpiLevelCount = 6;
    record.currentDpiLevel = 3;
    record.kfps20 = 1;
    record.liftOffDistance = 2;
    record.debounceTime = 4;
    record.motionSync = 1;
    record.sleepTime = 30;
    record.straightLine = 1;
    record.rippleControl = 1;
    record.movingOffLight = 1;
    record.performanceMode = 1;
    record.performanceTime = 30;
    record.sensorMode = 1;
    record.angle = -12;
    record.angleSet = 1;
    for (int i = 0; i < 8; ++i)
        record.dpiLevels[i] = Level(12 * (i + 1), 0, 200, 40);
    record.dpiLed = DpiLedSettings{2, 200, 4, 1};
    record.ledBar = LedBarSettings{3, 90, 80, 70, 6, 8, 1};
    const uint8_t codes[6] = {2, 1, 8, 4, 16, 1};
    for (int i = 0; i < 6; ++i)
        record.buttons[i] = ButtonFunctionHeader{uint8_t(i < 5 ? 1 : 2), codes[i], 0};
    record.buttons[3] = ButtonFunctionHeader{6, 3, 254};
    SetMacroName(record, 3, "FillMacro");
    record.macroBlocks[3].eventCount = 2;
    record.macroBlocks[3].events[0] = KeyEvent{0, 1, {4, 0}, {10, 0, 0, 0}};
    record.macroBlocks[3].events[1] = KeyEvent{1, 1, {4, 0}, {10, 0, 0, 0}};
    return record;
}

// The library calls that change the mouse or the receiver, in order. Telling
// the library the tool is present is the link's, not a page's. A record sent
// reads "record" and the bytes it changed from the one before ("record 6=4");
// the first is compared with the record the pages showed.
QStringList Writes(const FlashDataMap& before)
{
    static const QRegularExpression writing(
        QStringLiteral("^(ProtocolDataUpdate|UsbFinderC_Set.*|UsbServer_Set(?!PCDriverStatus).*|UsbServer_Enter.*)$"));
    QByteArray previous(reinterpret_cast<const char*>(&before), int(sizeof before));
    QStringList writes;
    for (const QJsonObject& call : SimulatedDeviceControl::calls()) {
        const QString name = call.value(QStringLiteral("fn")).toString();
        if (!writing.match(name).hasMatch())
            continue;
        if (name != QLatin1String("ProtocolDataUpdate")) {
            writes.append(name);
            continue;
        }
        const QByteArray record = QByteArray::fromHex(call.value(QStringLiteral("record")).toString().toLatin1());
        QString described = QStringLiteral("record");
        for (int i = 0; i < record.size() && i < previous.size(); ++i) {
            if (record.at(i) != previous.at(i))
                described += QStringLiteral(" %1=%2").arg(i).arg(int(uchar(record.at(i))));
        }
        writes.append(described);
        previous = record;
    }
    return writes;
}

} // namespace

using Fill = std::function<void()>;
using Shown = std::function<QString()>;
Q_DECLARE_METATYPE(Fill)
Q_DECLARE_METATYPE(Shown)

class TestPageFills : public QObject {
    Q_OBJECT
private:
    QWidget* m_holder = nullptr;
    Dialog* m_pages = nullptr;
    QByteArray m_path;

    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        T* child = m_pages->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    template <typename T = QWidget>
    T* In(const char* panel, const char* name) const
    {
        T* child = Find(panel)->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s in %s", name, panel);
        return child;
    }

    QString TickedMeaning() const
    {
        QStringList ticked;
        for (const char* name : {"ReUntil", "ReUntil_2", "ReUntil_3"}) {
            if (In<QCheckBox>("FrameOneLed", name)->isChecked())
                ticked.append(QLatin1String(name));
        }
        return ticked.join(QLatin1Char(','));
    }
    QString LedFunctions() const
    {
        return QStringLiteral("%1 %2 %3")
            .arg(In<QComboBox>("FrameThreeLed", "LightMod_3")->currentIndex())
            .arg(In<QComboBox>("FrameThreeLed", "LightMod_4")->currentIndex())
            .arg(In<QComboBox>("FrameThreeLed", "LightMod_5")->currentIndex());
    }

    void SetReceiverLeds(const QByteArray& leds)
    {
        QVERIFY(UsbFinderC_SetDongleIndicatorLed(m_path.constData(),
                                                 reinterpret_cast<const unsigned char*>(leds.constData())));
    }
    void SetReceiverBar(const QByteArray& bar)
    {
        QVERIFY(UsbFinderC_SetDongleRGBBarMode(m_path.constData(), reinterpret_cast<const unsigned char*>(bar.constData())));
    }

    // The tile click: the receiver's mouse becomes the current device.
    void Choose()
    {
        DeviceDiscovery::OnUsbDevicesChanged();
        const QString path = SimulatedDeviceControl::pathOf(QStringLiteral("receiver4k"));
        DeviceAllInfo chosen;
        for (const DeviceAllInfo& device : DeviceDiscovery::foundDeviceList) {
            if (device.path == path)
                chosen = device;
        }
        QCOMPARE(chosen.path, path);
        PostMsg::Instance()->EmitSigSelectMouseInfo(chosen);
        CurrentDevice::SetInfo(chosen);
        m_path = path.toLatin1();
        CurrentDevice::SetPath(m_path);
        devicePageShown = 1;
    }

    void RunOfflinePass()
    {
        // The pass acts on a change of the online state.
        prevOnline = 1;
        lastOnline = 0;
        deviceWorker->StartPass();
        QTRY_VERIFY_WITH_TIMEOUT(!deviceWorker->isRunning(), 10000);
        QVERIFY(deviceWorker->wait(5000));
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<FlashDataMap>("FlashDataMap");
        CreateUserFolders();
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        StopUsbChanged();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenarioJson(kScenario, &error), qPrintable(error));
        m_holder = new QWidget;
        m_holder->resize(1020, 700);
        m_pages = new Dialog(m_holder);
        // Each case drives its fill by hand: the online poll would start
        // passes that read the mouse and fill the pages at any moment.
        deviceWorker->StopCheckTimer();
        Choose();
        QVERIFY(UsbServerC_Start(m_path.constData(), m_path.constData(), &IgnoreReport));
    }

    void cleanupTestCase()
    {
        delete m_holder;
        UsbServer_Exit();
    }

    // The pages show the mouse's own record and receiver, as after a read,
    // and the user may change them; then the mouse falls silent.
    void init()
    {
        SimulatedDeviceControl::setOnline(QLatin1String(kMouse), true);
        SetReceiverLeds(QByteArray::fromHex("010203"));
        SetReceiverBar(QByteArray::fromHex("02102030030401"));
        deviceSendEnabled = true;
        CurrentDevice::SetOnline(true);
        const FlashDataMap shown = RecordShownBefore();
        {
            CurrentFlashMapLock lock;
            lock.Map() = shown;
        }
        dongleRgb->bytes[0] = 1;
        FromOtherThread([&]() {
            PostMsg* hub = PostMsg::Instance();
            hub->EmitSigUpDataLightUIButton(shown);
            hub->EmitSigUpDataLightLight(shown);
            hub->EmitSigUpDataLightSensor(shown);
            hub->EmitSigForm();
            hub->EmitSigRGBValue(dongleRgb);
            hub->EmitSigLongRangeMode(true);
        });
        QCOMPARE(TickedMeaning(), QStringLiteral("ReUntil"));
        QVERIFY(In<QCheckBox>("FrameLongMode", "checkBox")->isChecked());
        QCOMPARE(LedFunctions(), QStringLiteral("1 2 3"));

        // What the receiver will report from here on.
        SetReceiverLeds(QByteArray::fromHex("030100"));
        SetReceiverBar(QByteArray::fromHex("03405060050601"));
        dongleRgb->bytes[0] = 3;
        DeviceCacheFile::WriteFlashCache(DeviceCacheFile::SelectionCacheName(), SavedRecord());
    }

    void cleanup()
    {
        dongleRgb->bytes[0] = 0;
        deviceSendEnabled = false;
    }

    void aFillRaisesNoNoticeAndWritesOnlyWhatItAsks_data()
    {
        QTest::addColumn<bool>("online");
        QTest::addColumn<Fill>("fill");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("writes");
        auto* self = this;
        const Shown meaning = [self]() { return self->TickedMeaning(); };
        const Shown leds = [self]() { return self->LedFunctions(); };
        const Shown debounce = [self]() {
            return QString::number(self->In<QComboBox>("DebunceButton", "Debunce")->currentIndex());
        };
        const Shown sensorMode = [self]() {
            return QString::number(self->Find<QComboBox>("ModelChoose")->currentIndex());
        };
        const Shown nothing = []() { return QString(); };
        PostMsg* hub = PostMsg::Instance();
        const FlashDataMap saved = SavedRecord();
        const QStringList none;
        // The debounce entry of the saved copy and of the defaults, each a
        // change from the 2 shown: the box's own handling writes it.
        const QStringList savedDebounce{QStringLiteral("record 6=4")};
        const QStringList defaultDebounce{QStringLiteral("record 6=8")};
        // A fill from data does not depend on whether the mouse answers: a
        // silent one shows no notice and is written nothing, one that answers
        // gets only the writes listed.
        const auto both = [](const char* name, const Fill& fill, const Shown& shown, const QString& expected,
                             const QStringList& writes) {
            QTest::addRow("%s, mouse answers", name) << true << fill << shown << expected << writes;
            QTest::addRow("%s, mouse silent", name) << false << fill << shown << expected << QStringList();
        };
        const auto fromLink = [](const std::function<void()>& emitting) {
            return Fill([emitting]() { FromOtherThread(emitting); });
        };

        // The link finds the mouse silent and shows the saved copy, or the
        // defaults when there is none.
        QTest::newRow("link pass, saved copy") << false << Fill([self]() { self->RunOfflinePass(); }) << meaning
                                               << QStringLiteral("ReUntil_2") << none;
        QTest::newRow("link pass, saved copy, debounce")
            << false << Fill([self]() { self->RunOfflinePass(); }) << debounce << QStringLiteral("4") << none;
        QTest::newRow("link pass, no saved copy") << false << Fill([self]() {
            QFile::remove(DeviceCacheFile::Folder() + DeviceCacheFile::SelectionCacheName());
            self->RunOfflinePass();
        }) << leds << QStringLiteral("0 0 0") << none;

        // Each device-data signal on its own, from the link's thread.
        both("button page record", fromLink([=]() { hub->EmitSigUpDataLightUIButton(saved); }), debounce,
             QStringLiteral("4"), savedDebounce);
        both("lighting page record", fromLink([=]() { hub->EmitSigUpDataLightLight(saved); }), leds,
             QStringLiteral("3 1 0"), none);
        both("sensor pages record", fromLink([=]() { hub->EmitSigUpDataLightSensor(saved); }), nothing, QString(),
             none);
        both("data is in", fromLink([=]() { hub->EmitSigForm(); }), nothing, QString(), none);
        both("defaults", fromLink([=]() { hub->EmitSigFormReset(); }), leds, QStringLiteral("0 0 0"),
             defaultDebounce);
        both("defaults, debounce", fromLink([=]() { hub->EmitSigFormReset(); }), debounce, QStringLiteral("8"),
             defaultDebounce);
        both("DPI indicator report", fromLink([=]() { hub->EmitSigUpDataDPILed(saved); }), nothing, QString(), none);
        // Above 1000 Hz "Corded" is forced and shown; nothing is chosen.
        both("report rate report", fromLink([=]() { hub->EmitSigUpDataReportRate(16); }), sensorMode,
             QStringLiteral("2"), none);
        // At a rate the mode already shown goes with, nothing changes.
        both("report rate report, slow", fromLink([=]() { hub->EmitSigUpDataReportRate(2); }), sensorMode,
             QStringLiteral("0"), none);
        // Back from a forced "Corded", the record's own mode is sent again so
        // the mouse leaves it; a silent mouse keeps it, and so does the page.
        const Fill fastThenSlow = fromLink([=]() {
            hub->EmitSigUpDataReportRate(16);
            hub->EmitSigUpDataReportRate(2);
        });
        QTest::newRow("report rate reports, fast then slow, mouse answers")
            << true << fastThenSlow << sensorMode << QStringLiteral("0") << QStringList{QStringLiteral("record")};
        QTest::newRow("report rate reports, fast then slow, mouse silent")
            << false << fastThenSlow << sensorMode << QStringLiteral("2") << none;
        both("DPI level report", fromLink([=]() { hub->EmitSigUpDataDPI(2); }), nothing, QString(), none);
        both("profile report", fromLink([=]() { hub->EmitSigUpDataConfigUI(4, 2, true); }), nothing, QString(), none);
        both("profile report, none", fromLink([=]() { hub->EmitSigUpDataConfigUI(0, 0, false); }), nothing,
             QString(), none);
        both("battery report", fromLink([=]() { hub->EmitSigBattery(false, 40, true); }), nothing, QString(), none);
        both("receiver LED report", fromLink([=]() { hub->EmitSigRGBValue(dongleRgb); }), meaning,
             QStringLiteral("ReUntil_3"), none);
        both("long-range report", fromLink([=]() { hub->EmitSigLongRangeMode(false); }), Shown([self]() {
                 return QString::number(self->In<QCheckBox>("FrameLongMode", "checkBox")->isChecked());
             }),
             QStringLiteral("0"), none);

        // A profile applied, or the please-wait dialog's saved copy: on
        // this thread.
        const Fill applied([=]() {
            hub->EmitSigUpDataLightUIA(saved);
            hub->EmitSigUpDataSensorUIB(saved);
            hub->EmitSigUpDataButtonUIC(saved);
            hub->EmitSigFormB();
        });
        both("applied record", applied, meaning, QStringLiteral("ReUntil_2"), savedDebounce);
        both("applied record, debounce", applied, debounce, QStringLiteral("4"), savedDebounce);

        // The second designs' setters, as a page would fill them.
        both("second rate panel", Fill([]() {
                 SensorRateB panel;
                 panel.SetRateIndex(1);
             }),
             nothing, QString(), none);
        both("second lift-off panel", Fill([]() {
                 SensorLODB panel;
                 panel.SetLodIndex(1);
             }),
             nothing, QString(), none);
        // Its host fills it with the sensor page's flag set.
        both("second DPI indicator panel", Fill([]() {
                 SensorEffectB panel;
                 sensorPageFilling = true;
                 panel.SetMode(2);
                 panel.SetSpeed(4);
                 panel.SetBrightnessLevel(SensorEffect::BrightnessLevel(210));
                 sensorPageFilling = false;
             }),
             nothing, QString(), none);
        // With the guard open its sliders write as the user's would.
        QTest::newRow("second DPI indicator panel, guard open, mouse answers")
            << true << Fill([]() {
                   SensorEffectB panel;
                   panel.SetMode(2);
                   panel.SetSpeed(4);
                   panel.SetBrightnessLevel(SensorEffect::BrightnessLevel(210));
               })
            << nothing << QString() << QStringList{QStringLiteral("record 86=4"), QStringLiteral("record 85=210")};
        both("second debounce panels", Fill([]() {
                 DebouncetimeB slider;
                 slider.SetDebounceValue(4);
                 DebouncetimeC steps;
                 steps.SetDebounceValue(4);
             }),
             nothing, QString(), none);
        both("second sleep panel", Fill([]() {
                 StopCloseTimeB panel;
                 panel.SetSleepIndex(3);
             }),
             nothing, QString(), none);
        both("second switch panels", Fill([]() {
                 StraightLineB straight;
                 straight.SetSwitchChecked(true);
                 MotionSyncB motion;
                 motion.SetSwitchChecked(true);
                 RippeControlB ripple;
                 ripple.SetSwitchChecked(true);
             }),
             nothing, QString(), none);
        both("second DPI editor", Fill([]() {
                 SensorDPIB panel;
                 panel.SetLevelCountIndex(5);
                 panel.SetSliderValue(1200, 2);
                 panel.SetSpinValue(1200, 2);
                 panel.SetCurrentLevel(3);
             }),
             nothing, QString(), none);
    }

    void aFillRaisesNoNoticeAndWritesOnlyWhatItAsks()
    {
        QFETCH(bool, online);
        QFETCH(Fill, fill);
        QFETCH(Shown, shown);
        QFETCH(QString, expected);
        QFETCH(QStringList, writes);
        SimulatedDeviceControl::setOnline(QLatin1String(kMouse), online);
        CurrentDevice::SetOnline(online);
        SimulatedDeviceControl::clearCalls();
        QSignalSpy offline(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));

        fill();

        QCOMPARE(Writes(RecordShownBefore()), writes);
        QCOMPARE(offline.count(), 0);
        // The page still shows what it was filled with.
        QCOMPARE(shown(), expected);
    }
};

QTEST_MAIN(TestPageFills)
#include "tst_pagefills.moc"
