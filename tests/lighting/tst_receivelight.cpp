#include "LightingTestSupport.h"

#include "app/LanguageLoader.h"
#include "device/DeviceReportHandler.h"
#include "lighting/LampLight.h"
#include "lighting/LightingState.h"
#include "platform/ScreenGrab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

using namespace LightingTest;

namespace {

struct Receiver {
    const char* name;
    const char* mouse;
    ConnectionKind kind;
};

const Receiver kReceivers[4] = {{"rx1k", "m1k", ConnectionReceiver1K},
                                {"rx2k", "m2k", ConnectionReceiver2K},
                                {"rx4k", "m4k", ConnectionReceiver4K},
                                {"rx8k", "m8k", ConnectionReceiver8K}};

} // namespace

// The receiver's panels on the lighting page, against the simulated
// receivers of every kind: what a fill shows, what each change writes to the
// receiver and what a refused write puts back.
class TestReceiveLight : public QObject {
    Q_OBJECT
private:
    ConfigSettings* m_config = nullptr;
    LampLight* m_page = nullptr;
    QSignalSpy* m_offline = nullptr;
    QString m_receiver;
    QString m_mouse;

    template <typename T = QWidget>
    T* In(const char* panel, const char* name) const
    {
        QWidget* frame = m_page->findChild<QWidget*>(QLatin1String(panel));
        T* child = frame ? frame->findChild<T*>(QLatin1String(name)) : nullptr;
        if (!child)
            qFatal("no child %s in %s", name, panel);
        return child;
    }
    template <typename T = QWidget>
    T* Bar(const char* name) const { return In<T>("FrameReceiveLight", name); }
    int Value(const char* name) const
    {
        if (auto* slider = m_page->findChild<QSlider*>(QLatin1String(name)))
            return slider->value();
        return Bar<QSpinBox>(name)->value();
    }
    QComboBox* Effect() const { return Bar<QComboBox>("LightMod_2"); }
    QComboBox* Led(int led) const
    {
        const char* names[3] = {"LightMod_3", "LightMod_4", "LightMod_5"};
        return In<QComboBox>("FrameThreeLed", names[led]);
    }
    QCheckBox* Meaning(int index) const
    {
        const char* names[3] = {"ReUntil", "ReUntil_2", "ReUntil_3"};
        return In<QCheckBox>("FrameOneLed", names[index]);
    }
    bool Shown(const char* name) const { return !Bar(name)->isHidden(); }

    // The bars written to the receiver, in order.
    static QList<QByteArray> WrittenBars()
    {
        return Written(QStringLiteral("UsbFinderC_SetDongleRGBBarMode"), QStringLiteral("bar"));
    }
    static QList<QByteArray> Written(const QString& function, const QString& key)
    {
        QList<QByteArray> bytes;
        for (const QJsonObject& call : SimulatedDeviceControl::calls(function))
            bytes.append(QByteArray::fromHex(call.value(key).toString().toLatin1()));
        return bytes;
    }
    // What the receiver holds, as the library reads it back.
    QByteArray ReceiverBar() const
    {
        unsigned char bar[7] = {};
        if (!UsbFinderC_GetDongleRGBBarMode(CurrentDevice::Path().constData(), bar))
            return QByteArray();
        return QByteArray(reinterpret_cast<const char*>(bar), 7);
    }
    QByteArray ReceiverLeds() const
    {
        unsigned char leds[3] = {};
        if (!UsbFinderC_GetDongleIndicatorLed(CurrentDevice::Path().constData(), leds))
            return QByteArray();
        return QByteArray(reinterpret_cast<const char*>(leds), 3);
    }
    int ReceiverMeaning() const
    {
        unsigned char rgb[10] = {};
        if (!UsbFinderC_Get4KDongleRGBValue(CurrentDevice::Path().constData(), rgb))
            return -1;
        return rgb[0];
    }

    void UseReceiver(const Receiver& receiver)
    {
        m_receiver = QLatin1String(receiver.name);
        m_mouse = QLatin1String(receiver.mouse);
        DeviceAllInfo info;
        info.path = SimulatedDeviceControl::pathOf(m_receiver);
        info.cid = 7;
        info.mid = 1;
        info.modelIndex = 0;
        info.connectionKind = receiver.kind;
        info.online = true;
        CurrentDevice::SetInfo(info);
        CurrentDevice::SetPath(info.path.toLatin1());
        UsbServer_Exit();
        QVERIFY(UsbServerC_Start(info.path.toLatin1().constData(), info.path.toLatin1().constData(), &IgnoreReport));
    }

    // A fill from the device as the device link makes it, then sending on.
    void FillFromDevice()
    {
        const bool sending = deviceSendEnabled;
        deviceSendEnabled = false;
        m_page->SlotUpDataLightUILight(FlashDataMap{});
        deviceSendEnabled = sending;
    }

    void Refuse(bool refuse) { SimulatedDeviceControl::setReceiverRefusesLighting(m_receiver, refuse); }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<FlashDataMap>("FlashDataMap");
        LanguageLoader::LoadLanguageFiles(QCoreApplication::applicationDirPath());
        m_config = new ConfigSettings(QStringLiteral(LIGHTING_FIXTURES "/lighting.ini"));
        ConfigSettings::ReplaceInstance(m_config);
        m_page = new LampLight;
        m_offline = new QSignalSpy(PostMsg::Instance(), SIGNAL(SigMouseOffLineo(int)));
    }

    void cleanupTestCase()
    {
        delete m_offline;
        delete m_page;
    }

    void init()
    {
        ResetFlags();
        QString error;
        QVERIFY2(SimulatedDeviceControl::loadScenario(QStringLiteral(LIGHTING_FIXTURES "/receivers.json"), &error),
                 qPrintable(error));
        UseReceiver(kReceivers[2]);
        FlashDataMap record{};
        SetCurrentRecord(record);
        FillFromDevice();
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();
        m_offline->clear();
    }

    void cleanup()
    {
        ScreenGrab::ClearTest();
        ResetFlags();
        UsbServer_Exit();
    }

    // ---- filling ----

    void eachReceiverKindFillsThePanels_data()
    {
        QTest::addColumn<int>("receiver");
        QTest::addColumn<int>("effect");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QList<int>>("colour");
        QTest::addColumn<QList<int>>("leds");
        QTest::newRow("1 kHz") << 0 << 2 << 3 << 1 << QList<int>{10, 20, 30} << QList<int>{1, 2, 3};
        QTest::newRow("2 kHz, light off") << 1 << 0 << 1 << 10 << QList<int>{200, 100, 50} << QList<int>{3, 3, 3};
        QTest::newRow("4 kHz") << 2 << 3 << 10 << 5 << QList<int>{255, 0, 128} << QList<int>{0, 1, 2};
        QTest::newRow("8 kHz") << 3 << 6 << 7 << 8 << QList<int>{1, 2, 3} << QList<int>{2, 0, 1};
    }

    void eachReceiverKindFillsThePanels()
    {
        QFETCH(int, receiver);
        QFETCH(int, effect);
        QFETCH(int, brightness);
        QFETCH(int, speed);
        QFETCH(QList<int>, colour);
        QFETCH(QList<int>, leds);
        UseReceiver(kReceivers[receiver]);
        SimulatedDeviceControl::clearCalls();
        FillFromDevice();

        QCOMPARE(Effect()->currentIndex(), effect);
        QCOMPARE(lastReceiverBarMode, effect);
        QCOMPARE(Value("horizontalLight_2"), brightness);
        QCOMPARE(Value("LightSpinBox_3"), brightness);
        QCOMPARE(lastReceiverBarBrightness, brightness);
        QCOMPARE(Value("horizontalSpeed_2"), speed);
        QCOMPARE(Value("SpeedSpinBox_3"), speed);
        QCOMPARE(lastReceiverBarSpeed, speed);
        QCOMPARE(Value("RSpinBox_2"), colour[0]);
        QCOMPARE(Value("GSpinBox_2"), colour[1]);
        QCOMPARE(Value("BSpinBox_2"), colour[2]);
        QVERIFY(Bar<QLabel>("labelPreView_2")->styleSheet().contains(
            QStringLiteral("rgb(%1,%2,%3)").arg(colour[0]).arg(colour[1]).arg(colour[2])));
        for (int led = 0; led < 3; ++led) {
            QCOMPARE(Led(led)->currentIndex(), leds[led]);
            QCOMPARE(lastIndicatorLedFunctions[led], leds[led]);
        }
        // The layout follows the filled effect.
        QCOMPARE(Shown("horizontalLight_2"), effect != 0);
        QCOMPARE(Shown("line_3"), effect == 0);
        QCOMPARE(Shown("RSpinBox_2"), effect == 2 || effect == 3);
        // Showing is not changing.
        QCOMPARE(WrittenBars().size(), 0);
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_SetDongleIndicatorLed")).size(), 0);
        QCOMPARE(SendCount(), 0);
    }

    void receiversKeepTheirOwnLights()
    {
        Effect()->setCurrentIndex(5);
        UseReceiver(kReceivers[0]);
        FillFromDevice();
        QCOMPARE(Effect()->currentIndex(), 2);
        UseReceiver(kReceivers[2]);
        FillFromDevice();
        QCOMPARE(Effect()->currentIndex(), 5);
    }

    void texts()
    {
        QCOMPARE(Bar<QLabel>("label_9")->text(), QStringLiteral("Receiver light"));
        QCOMPARE(Bar<QLabel>("label_23")->text(), QStringLiteral("Preview"));
        QCOMPARE(Bar<QLabel>("label_18")->text(), QStringLiteral("Custom colour"));
        QCOMPARE(Bar<QLabel>("label_22")->text(), QStringLiteral("Presets"));
        QCOMPARE(Effect()->itemText(1), QStringLiteral("Colour flow"));
        QCOMPARE(In<QLabel>("FrameOneLed", "label_16")->text(), QStringLiteral("Receiver indicator"));
        QCOMPARE(In<QTextEdit>("FrameOneLed", "textEdit_3")->toPlainText(),
                 QStringLiteral("Report rate: the light shows the report rate in use."));
        QCOMPARE(Led(1)->itemText(1), QStringLiteral("Connection status"));
        QCOMPARE(Led(1)->itemText(3), QStringLiteral("Report rate"));
        QCOMPARE(In<QLabel>("FrameThreeLed", "label_29")->text(), QStringLiteral("Connection status"));
        QCOMPARE(In<QLabel>("FrameThreeLed", "label_35")->text(), QStringLiteral("Connected"));
        QCOMPARE(In<QLabel>("FrameThreeLed", "label_49")->text(), QStringLiteral("(default)"));
        QCOMPARE(In<QLabel>("FrameThreeLed", "label_43")->text(), QStringLiteral("8000HZ"));
        QVERIFY(In("FrameThreeLed", "label_36")->isHidden());
    }

    // ---- light bar ----

    void effectWritesItsByteAndOnFlag_data()
    {
        QTest::addColumn<int>("effect");
        for (int effect : {0, 1, 2, 4, 6})
            QTest::newRow(qPrintable(QString::number(effect))) << effect;
    }

    void effectWritesItsByteAndOnFlag()
    {
        QFETCH(int, effect);
        Effect()->setCurrentIndex(effect);
        QCOMPARE(WrittenBars().size(), 1);
        // Only bytes 0 and 6 change: the rest goes as filled.
        const QByteArray expected = QByteArray::fromHex("03ff0080040901");
        QByteArray bar = expected;
        bar[0] = char(effect);
        bar[6] = char(effect != 0 ? 1 : 0);
        QCOMPARE(WrittenBars().first(), bar);
        QCOMPARE(ReceiverBar(), bar);
        QCOMPARE(lastReceiverBarMode, effect);
        // The mouse's record follows a taken bar.
        QCOMPARE(SendCount(), 1);
        QCOMPARE(Shown("horizontalSpeed_2"), effect == 1 || effect == 2 || effect == 4);
        QCOMPARE(Shown("line_4"), !(effect == 1 || effect == 2 || effect == 4));
        QCOMPARE(Shown("toolButtonColorN_2"), effect == 2);
        // The next fill reads it back.
        m_page->SlotFormResetLight();
        FillFromDevice();
        QCOMPARE(Effect()->currentIndex(), effect);
    }

    void refusedEffectGoesBackAndKeepsTheLayout()
    {
        Refuse(true);
        Effect()->setCurrentIndex(1);
        QCOMPARE(Effect()->currentIndex(), 3);
        QVERIFY(!Shown("horizontalSpeed_2"));
        QVERIFY(Shown("RSpinBox_2"));
        QCOMPARE(lastReceiverBarMode, 3);
        QCOMPARE(SendCount(), 0);
        QCOMPARE(m_offline->count(), 0);
        // The refused byte stays in the bar: the next taken write carries it.
        Refuse(false);
        Bar<QSlider>("horizontalLight_2")->setValue(4);
        QCOMPARE(ReceiverBar(), QByteArray::fromHex("01ff0080040301"));
    }

    void unpluggedReceiverPutsTheControlsBack()
    {
        SimulatedDeviceControl::plug(m_receiver, false);
        Effect()->setCurrentIndex(0);
        QCOMPARE(Effect()->currentIndex(), 3);
        Bar<QSlider>("horizontalSpeed_2")->setValue(2);
        QCOMPARE(Value("horizontalSpeed_2"), 5);
        QCOMPARE(Value("SpeedSpinBox_3"), 5);
        SimulatedDeviceControl::plug(m_receiver, true);
        QCOMPARE(ReceiverBar(), QByteArray::fromHex("03ff0080040901"));
    }

    void brightnessAndSpeedWriteTheirByte_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("byte");
        QTest::newRow("brightness 1") << "horizontalLight_2" << "LightSpinBox_3" << 1 << 5;
        QTest::newRow("brightness 7") << "horizontalLight_2" << "LightSpinBox_3" << 7 << 5;
        QTest::newRow("speed 10") << "horizontalSpeed_2" << "SpeedSpinBox_3" << 10 << 4;
        QTest::newRow("speed 1") << "horizontalSpeed_2" << "SpeedSpinBox_3" << 1 << 4;
    }

    void brightnessAndSpeedWriteTheirByte()
    {
        QFETCH(QString, slider);
        QFETCH(QString, box);
        QFETCH(int, value);
        QFETCH(int, byte);
        m_page->findChild<QSlider*>(slider)->setValue(value);
        QCOMPARE(m_page->findChild<QSpinBox*>(box)->value(), value);
        QCOMPARE(WrittenBars().size(), 1);
        QCOMPARE(int(uchar(ReceiverBar().at(byte))), value - 1);
        QCOMPARE(byte == 5 ? lastReceiverBarBrightness : lastReceiverBarSpeed, value);
        m_page->SlotFormResetLight();
        FillFromDevice();
        QCOMPARE(Value(qPrintable(slider)), value);
    }

    void refusedBrightnessShowsTheLastTakenValue()
    {
        QSlider* light = Bar<QSlider>("horizontalLight_2");
        light->setValue(7);
        Refuse(true);
        light->setValue(9);
        QCOMPARE(light->value(), 7);
        QCOMPARE(Value("LightSpinBox_3"), 7);
        QCOMPARE(int(uchar(ReceiverBar().at(5))), 6);
        // After a fill of 3 the refused drag goes back to 3.
        Refuse(false);
        QVERIFY(UsbFinderC_SetDongleRGBBarMode(CurrentDevice::Path().constData(),
                                               reinterpret_cast<const unsigned char*>("\x03\xff\x00\x80\x04\x02\x01")));
        FillFromDevice();
        Refuse(true);
        light->setValue(7);
        QCOMPARE(light->value(), 3);
        QCOMPARE(Value("LightSpinBox_3"), 3);
    }

    void dragShowsTheValueAndWritesOnRelease()
    {
        QSlider* speed = Bar<QSlider>("horizontalSpeed_2");
        speed->setSliderDown(true);
        speed->setSliderPosition(8);
        QCOMPARE(Value("SpeedSpinBox_3"), 8);
        QCOMPARE(WrittenBars().size(), 0);
        speed->setSliderDown(false);
        QCOMPARE(WrittenBars().size(), 1);
        QCOMPARE(int(uchar(ReceiverBar().at(4))), 7);
    }

    void typingAColourWritesEveryKeystroke()
    {
        QSpinBox* red = Bar<QSpinBox>("RSpinBox_2");
        red->selectAll();
        QTest::keyClicks(red, QStringLiteral("128"));
        const QList<QByteArray> bars = WrittenBars();
        QCOMPARE(bars.size(), 3);
        QCOMPARE(bars.at(0).mid(1, 3), QByteArray::fromHex("010080"));
        QCOMPARE(bars.at(1).mid(1, 3), QByteArray::fromHex("0c0080"));
        QCOMPARE(bars.at(2).mid(1, 3), QByteArray::fromHex("800080"));
        QCOMPARE(ReceiverBar(), QByteArray::fromHex("03800080040901"));
        QVERIFY(Bar<QLabel>("labelPreView_2")->styleSheet().contains(QStringLiteral("rgb(128,0,128)")));
    }

    void refusedColourStaysShown()
    {
        Refuse(true);
        Bar<QSpinBox>("BSpinBox_2")->setValue(7);
        QCOMPARE(Value("BSpinBox_2"), 7);
        QVERIFY(Bar<QLabel>("labelPreView_2")->styleSheet().contains(QStringLiteral("rgb(255,0,7)")));
        QCOMPARE(m_offline->count(), 0);
        QCOMPARE(SendCount(), 0);
    }

    void eachPresetWritesItsColour_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("colour");
        QTest::addColumn<int>("writes");
        const char* colours[14] = {"ff0000", "00ffff", "00ff00", "ff00ff", "ffff00", "ff5000", "0000ff",
                                   "e3007f", "2ea6df", "601985", "ffffff", "8bb224", "ff9b33", "d071ad"};
        for (int i = 0; i < 14; ++i) {
            const QByteArray colour = QByteArray::fromHex(colours[i]);
            // From the filled 255, 0, 128: one write per channel that changes.
            const int writes = (uchar(colour[0]) != 255) + (uchar(colour[1]) != 0) + (uchar(colour[2]) != 128);
            const QString name = QStringLiteral("toolButtonColor%1_2").arg(QLatin1Char(char('A' + i)));
            QTest::newRow(qPrintable(name)) << name << colour << writes;
        }
    }

    void eachPresetWritesItsColour()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, colour);
        QFETCH(int, writes);
        m_page->findChild<QToolButton*>(button)->click();
        QCOMPARE(WrittenBars().size(), writes);
        QCOMPARE(ReceiverBar().mid(1, 3), colour);
        QCOMPARE(Value("RSpinBox_2"), int(uchar(colour[0])));
        QCOMPARE(Value("BSpinBox_2"), int(uchar(colour[2])));
    }

    void presetInOrderRedGreenBlue()
    {
        deviceSendEnabled = false;
        m_page->findChild<QToolButton*>(QStringLiteral("toolButtonColorA_2"))->click();
        deviceSendEnabled = true;
        SimulatedDeviceControl::clearCalls();
        m_page->findChild<QToolButton*>(QStringLiteral("toolButtonColorK_2"))->click();
        const QList<QByteArray> bars = WrittenBars();
        QCOMPARE(bars.size(), 2);
        QCOMPARE(bars.at(0).mid(1, 3), QByteArray::fromHex("ffff00"));
        QCOMPARE(bars.at(1).mid(1, 3), QByteArray::fromHex("ffffff"));
    }

    void plusAndMinusStopAtTheEnds()
    {
        Bar<QToolButton>("AddR_2")->click();
        Bar<QToolButton>("ReduceG_2")->click();
        QCOMPARE(WrittenBars().size(), 0);
        Bar<QToolButton>("ReduceR_2")->click();
        Bar<QToolButton>("AddB_2")->click();
        QCOMPARE(WrittenBars().size(), 2);
        QCOMPARE(ReceiverBar().mid(1, 3), QByteArray::fromHex("fe0081"));
    }

    void buttonsAndBoardWaitForAnOfflineMouse()
    {
        SimulatedDeviceControl::setOnline(m_mouse, false);
        ScreenGrab::SetDesktopForTest(QImage(10, 10, QImage::Format_RGB32), QPoint(1, 1));
        Bar<QToolButton>("AddG_2")->click();
        Bar<QToolButton>("toolButtonColorC_2")->click();
        QTest::mousePress(m_page->findChild<QWidget*>(QStringLiteral("FrameReceiveLight")), Qt::LeftButton,
                          Qt::NoModifier, Bar("label_24")->geometry().center());
        QCOMPARE(m_offline->count(), 3);
        QCOMPARE(Value("GSpinBox_2"), 0);
        QCOMPARE(WrittenBars().size(), 0);
    }

    void nothingIsWrittenBeforeSendingIsOn()
    {
        deviceSendEnabled = false;
        SimulatedDeviceControl::setOnline(m_mouse, false);
        Effect()->setCurrentIndex(2);
        Bar<QSlider>("horizontalLight_2")->setValue(2);
        Bar<QToolButton>("toolButtonColorG_2")->click();
        Led(0)->setCurrentIndex(3);
        Meaning(2)->click();
        QCOMPARE(Value("BSpinBox_2"), 255);
        QVERIFY(Meaning(2)->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
        QCOMPARE(m_offline->count(), 0);
    }

    void colourBoardPicksTheScreenUnderTheCursor()
    {
        QImage desktop(50, 50, QImage::Format_RGB32);
        desktop.fill(Qt::black);
        desktop.setPixelColor(30, 15, QColor(9, 99, 199));
        ScreenGrab::SetDesktopForTest(desktop, QPoint(20, 10), 1.5);
        QTest::mousePress(Bar("label_24"), Qt::RightButton, Qt::NoModifier, QPoint(4, 4));
        QCOMPARE(ReceiverBar().mid(1, 3), QByteArray::fromHex("0963c7"));
        QVERIFY(Bar<QLabel>("labelPreView_2")->styleSheet().contains(QStringLiteral("rgb(9,99,199)")));

        // A screen that cannot be read changes nothing.
        SimulatedDeviceControl::clearCalls();
        ScreenGrab::SetDesktopForTest(QImage(), QPoint(20, 10));
        QTest::mousePress(Bar("label_24"), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        QCOMPARE(WrittenBars().size(), 0);
        QCOMPARE(Value("RSpinBox_2"), 9);
    }

    void resetLeavesTheColourAndWritesNothing()
    {
        m_page->SlotFormResetLight();
        QCOMPARE(Effect()->currentIndex(), 1);
        QCOMPARE(Value("horizontalLight_2"), 10);
        QCOMPARE(Value("SpeedSpinBox_3"), 8);
        QCOMPARE(Value("RSpinBox_2"), 255);
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
    }

    // ---- 4 kHz receiver's LED ----

    void tickingAMeaningWritesItOnce()
    {
        m_page->SlotRGBValue(dongleRgb);
        Meaning(0)->click();
        SimulatedDeviceControl::clearCalls();
        Meaning(2)->click();
        const QList<QByteArray> written = Written(QStringLiteral("UsbFinderC_Set4KDongleRGB"), QStringLiteral("rgb"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(int(uchar(written.first().at(0))), 3);
        QCOMPARE(ReceiverMeaning(), 3);
        // The ticked box again: nothing.
        SimulatedDeviceControl::clearCalls();
        Meaning(2)->click();
        QVERIFY(Meaning(2)->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
    }

    void offlineClickPutsTheTickBack()
    {
        Meaning(1)->click();
        SimulatedDeviceControl::setOnline(m_mouse, false);
        SimulatedDeviceControl::clearCalls();
        Meaning(0)->click();
        QCOMPARE(m_offline->count(), 1);
        QVERIFY(Meaning(1)->isChecked());
        QVERIFY(!Meaning(0)->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
        QCOMPARE(ReceiverMeaning(), 2);
    }

    void offlineClickWithNoneTickedLeavesNoneTicked()
    {
        LampLight fresh;
        SimulatedDeviceControl::setOnline(m_mouse, false);
        auto* box = fresh.findChild<QCheckBox*>(QStringLiteral("ReUntil_3"));
        box->click();
        QCOMPARE(m_offline->count(), 1);
        for (const char* name : {"ReUntil", "ReUntil_2", "ReUntil_3"})
            QVERIFY(!fresh.findChild<QCheckBox*>(QLatin1String(name))->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
    }

    // The receiver's report is shown, never written back: with the mouse
    // silent the write would open the notice inside the link's wait.
    void aReportedMeaningMovesTheTickWithoutWriting_data()
    {
        QTest::addColumn<bool>("online");
        QTest::newRow("mouse answers") << true;
        QTest::newRow("mouse silent") << false;
    }
    void aReportedMeaningMovesTheTickWithoutWriting()
    {
        QFETCH(bool, online);
        Meaning(0)->click();
        SimulatedDeviceControl::setOnline(m_mouse, online);
        SimulatedDeviceControl::clearCalls();
        dongleRgb->bytes[0] = 1;
        m_page->SlotRGBValue(dongleRgb);
        dongleRgb->bytes[0] = 2;
        m_page->SlotRGBValue(dongleRgb);
        QVERIFY(Meaning(1)->isChecked());
        QVERIFY(!Meaning(0)->isChecked());
        QCOMPARE(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
        QVERIFY(SimulatedDeviceControl::calls(QStringLiteral("UsbFinderC_GetDeviceOnLine")).isEmpty());
        QCOMPARE(m_offline->count(), 0);
        SimulatedDeviceControl::setOnline(m_mouse, true);
        QCOMPARE(ReceiverMeaning(), 1);
        // A click after it writes as ever.
        Meaning(2)->click();
        QCOMPARE(ReceiverMeaning(), 3);
        dongleRgb->bytes[0] = 0;
    }

    // ---- indicator LEDs ----

    void ledFunctionWritesAllThree_data()
    {
        QTest::addColumn<int>("led");
        QTest::addColumn<int>("function");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("LED1 report rate") << 0 << 3 << QByteArray::fromHex("030102");
        QTest::newRow("LED2 battery") << 1 << 2 << QByteArray::fromHex("000202");
        QTest::newRow("LED3 off") << 2 << 0 << QByteArray::fromHex("000100");
    }

    void ledFunctionWritesAllThree()
    {
        QFETCH(int, led);
        QFETCH(int, function);
        QFETCH(QByteArray, written);
        Led(led)->setCurrentIndex(function);
        const QList<QByteArray> calls = Written(QStringLiteral("UsbFinderC_SetDongleIndicatorLed"), QStringLiteral("leds"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first(), written);
        QCOMPARE(ReceiverLeds(), written);
        QCOMPARE(SendCount(), 1);
        QCOMPARE(lastIndicatorLedFunctions[led], function);
        m_page->SlotFormResetLight();
        FillFromDevice();
        QCOMPARE(Led(led)->currentIndex(), function);
    }

    void refusedLedFunctionGoesBackToTheReportedOne()
    {
        Refuse(true);
        Led(2)->setCurrentIndex(1);
        QCOMPARE(Led(2)->currentIndex(), 2);
        QCOMPARE(SendCount(), 0);
        // The buffer went back too: the next taken write carries LED3 as 2.
        Refuse(false);
        Led(0)->setCurrentIndex(3);
        QCOMPARE(ReceiverLeds(), QByteArray::fromHex("030102"));
    }

    void refusedLedFunctionAfterTheDefaultsGoesToTheFirstItem()
    {
        m_page->SlotFormResetLight();
        Refuse(true);
        Led(1)->setCurrentIndex(3);
        QCOMPARE(Led(1)->currentIndex(), 0);
    }

    void offlineMouseRaisesTheNoticeButTheReceiverDecides()
    {
        SimulatedDeviceControl::setOnline(m_mouse, false);
        Led(0)->setCurrentIndex(2);
        QCOMPARE(m_offline->count(), 1);
        QCOMPARE(Led(0)->currentIndex(), 2);
        QCOMPARE(ReceiverLeds(), QByteArray::fromHex("020102"));
    }

    void ledFunctionOutOfRangeShowsNoItem()
    {
        m_page->SlotFormResetLight();
        QVERIFY(UsbFinderC_SetDongleIndicatorLed(CurrentDevice::Path().constData(),
                                                 reinterpret_cast<const unsigned char*>("\x00\x07\x00")));
        FillFromDevice();
        QCOMPARE(Led(1)->currentIndex(), -1);
        SimulatedDeviceControl::clearCalls();
        Led(1)->setCurrentIndex(1);
        QCOMPARE(ReceiverLeds(), QByteArray::fromHex("000100"));
    }

    void nothingIsWrittenDuringAFill()
    {
        lightPageFilling = true;
        Led(0)->setCurrentIndex(1);
        Effect()->setCurrentIndex(4);
        Bar<QSlider>("horizontalSpeed_2")->setValue(1);
        lightPageFilling = false;
        QCOMPARE(SimulatedDeviceControl::calls().size(), 0);
        QCOMPARE(lastIndicatorLedFunctions[0], 0);
        QCOMPARE(lastReceiverBarMode, 3);
        QVERIFY(Shown("horizontalSpeed_2"));
    }
};

QTEST_MAIN(TestReceiveLight)
#include "tst_receivelight.moc"
