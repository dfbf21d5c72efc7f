#include "lighting/LampLight.h"

#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/LightingState.h"
#include "lighting/MouseLight.h"
#include "lighting/OneLed.h"
#include "lighting/ReceiveLight.h"
#include "lighting/ThreeLed.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/SensorEffect.h"
#include "widgets/SlotsByName.h"

#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

namespace {

const char kPageStyleA[] =
    "QScrollBar:vertical{width:13px;background: rgb(30,30,30);margin:2px 0px 2px 0px;border:0px;}"
    "QScrollBar::handle:vertical{background: rgb(117,117,117);border-radius:3px;min-height:30px;"
    "margin:0px 2px 0px 2px;}"
    "QScrollBar::sub-line:vertical{height:25px;background: rgb(30,30,30);subcontrol-position:top;"
    "subcontrol-origin:margin;}"
    "QScrollBar::add-line:vertical{height:25px;background: rgb(30,30,30);subcontrol-position:bottom;"
    "subcontrol-origin:margin;}"
    "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background: transparent;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background: transparent;}";

const char kScrollBarStyleB[] =
    "QScrollBar:vertical{width:12px;background: #3f3f3f;border-radius:6px;margin:0px;border:0px;}"
    "QScrollBar::handle:vertical{background: #5B5B5B;border-radius:5px;min-height:20px;}"
    "QScrollBar::handle:vertical:hover{background: #666666;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background: transparent;}";

void MakePanelFrame(QFrame* frame, const char* name, const QRect& geometry)
{
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
}

bool OnlyFourKReceiverKeepsPanel(int kind)
{
    return kind == ConnectionReceiver4K;
}

bool NoReceiverKeepsPanel(int)
{
    return false;
}

} // namespace

LampLight::LampLight(QWidget* parent)
    : QWidget(parent)
{
    BuildForm();
    CreateReceiverLightBuffers();
    FrameMouseLight->hide();
    verticalScrollBar->hide();
    tabWidget->setStyleSheet(
        QStringLiteral("QTabWidget::pane {    border: 0px solid #AAAAAA;    background-color: transparent;}"));
    verticalScrollBar->setStyleSheet(QLatin1String(kScrollBarStyleB));
    tabWidget->tabBar()->hide();
    FrameOneLed->hide();

    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    PostMsg::Connect(SIGNAL(SigUpDataLightLight(FlashDataMap)), this, SLOT(SlotUpDataLightUILight(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigUpDataLightUIA(FlashDataMap)), this, SLOT(SlotUpDataLightUIA(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetLight()));
    PostMsg::Connect(SIGNAL(SigUpDataDPILed(FlashDataMap)), this, SLOT(SlotUpDataDPILed(FlashDataMap)));
    PostMsg::Connect(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    PostMsg::Connect(SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    PostMsg::Connect(SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)));

    tabWidget->setCurrentIndex(0);
}

LampLight::~LampLight() = default;

void LampLight::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("LampLight"));
    setWindowTitle(QStringLiteral("Form"));
    resize(883, 630);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMaximumSize(883, 630);

    const QString pageStyleA = QLatin1String(kPageStyleA);
    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setGeometry(0, 0, 860, 630);

    tab = new QWidget;
    tab->setObjectName(QStringLiteral("tab"));
    tab->setStyleSheet(pageStyleA);
    LightPage = new QFrame(tab);
    LightPage->setObjectName(QStringLiteral("LightPage"));
    LightPage->setGeometry(0, 0, 860, 630);
    LightPage->setStyleSheet(QStringLiteral("#LightPage") + pageStyleA);
    frameEffect = new SensorEffect(LightPage);
    MakePanelFrame(frameEffect, "frameEffect", QRect(40, 50, 778, 144));
    FrameMouseLight = new MouseLight(LightPage);
    MakePanelFrame(FrameMouseLight, "FrameMouseLight", QRect(40, 200, 755, 442));
    tabWidget->addTab(tab, QStringLiteral("Tab 1"));

    tab_2 = new QWidget;
    tab_2->setObjectName(QStringLiteral("tab_2"));
    tab_2->setStyleSheet(pageStyleA);
    LightPage_2 = new QFrame(tab_2);
    LightPage_2->setObjectName(QStringLiteral("LightPage_2"));
    LightPage_2->setGeometry(0, 0, 860, 630);
    FrameReceiveLight = new ReceiveLight(LightPage_2);
    MakePanelFrame(FrameReceiveLight, "FrameReceiveLight", QRect(0, 0, 781, 451));
    FrameOneLed = new OneLed(LightPage_2);
    MakePanelFrame(FrameOneLed, "FrameOneLed", QRect(0, 451, 834, 157));
    tabWidget->addTab(tab_2, QStringLiteral("Tab 2"));

    tab_3 = new QWidget;
    tab_3->setObjectName(QStringLiteral("tab_3"));
    tab_3->setStyleSheet(pageStyleA);
    FrameThreeLed = new ThreeLed(tab_3);
    MakePanelFrame(FrameThreeLed, "FrameThreeLed", QRect(0, 0, 860, 484));
    tabWidget->addTab(tab_3, QStringLiteral("Tab 3"));

    verticalScrollBar = new QScrollBar(Qt::Vertical, this);
    verticalScrollBar->setObjectName(QStringLiteral("verticalScrollBar"));
    verticalScrollBar->setGeometry(860, 179, 14, 281);
    verticalScrollBar->setRange(1, 3);
    verticalScrollBar->setPageStep(1);

    tabWidget->setCurrentIndex(0);
    SlotsByName::Connect(this, {"on_StopCloseTime_activated(int)", "on_pushButton_clicked()"});
}

char LampLight::ByteToQString(uchar value)
{
    return static_cast<char>(value);
}

void LampLight::on_LightSpinBox_2_valueChanged(int) {}
void LampLight::on_SpeedSpinBox_2_valueChanged(int) {}
void LampLight::on_LightMod_editTextChanged(const QString&) {}
void LampLight::on_LightMod_activated(int) {}
void LampLight::on_verticalScrollBar_valueChanged(int) {}
void LampLight::on_StopCloseTime_activated(int) {}
void LampLight::on_pushButton_clicked() {}

void LampLight::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

int LampLight::DpiIndicatorEffect(const FlashDataMap& record)
{
    if (record.dpiLed.on == 0)
        return 0;
    if (record.dpiLed.effect == 1 || record.dpiLed.effect == 2)
        return record.dpiLed.effect;
    return -1;
}

void LampLight::ReadReceiver()
{
    const QByteArray path = CurrentDevice::Path();
    // Whatever the reads leave in the buffers is shown.
    UsbFinderC_GetDongleRGBBarMode(path.constData(), receiverLedBar);
    UsbFinderC_GetDongleIndicatorLed(path.constData(), receiverIndicatorLeds);
    for (int led = 0; led < 3; ++led)
        lastIndicatorLedFunctions[led] = receiverIndicatorLeds[led];
    FrameThreeLed->SetLed1Function(receiverIndicatorLeds[0]);
    FrameThreeLed->SetLed2Function(receiverIndicatorLeds[1]);
    FrameThreeLed->SetLed3Function(receiverIndicatorLeds[2]);
}

void LampLight::FillReceiverBar()
{
    const unsigned char* bar = receiverLedBar;
    FrameReceiveLight->BlockControlSignals(true);
    FrameReceiveLight->SetBrightnessSlider(bar[5] + 1);
    lastReceiverBarBrightness = bar[5] + 1;
    FrameReceiveLight->SetSpeedSlider(bar[4] + 1);
    lastReceiverBarSpeed = bar[4] + 1;
    FrameReceiveLight->SetBrightnessBox(bar[5] + 1);
    FrameReceiveLight->SetSpeedBox(bar[4] + 1);
    FrameReceiveLight->SetBarColor(bar[1], bar[2], bar[3]);
    FrameReceiveLight->BlockControlSignals(false);
    const int effect = bar[6] != 0 ? bar[0] : 0;
    FrameReceiveLight->SetEffectIndex(effect);
    lastReceiverBarMode = effect;
}

void LampLight::FillDpiIndicator(const FlashDataMap& record)
{
    frameEffect->SetSlidersEnabled(true);
    frameEffect->UnblockSliders();
    const int effect = DpiIndicatorEffect(record);
    if (effect >= 0)
        frameEffect->SetMode(effect);
    frameEffect->SetSpeed(record.dpiLed.speed);
    frameEffect->SetBrightnessLevel(SensorEffect::BrightnessLevel(record.dpiLed.brightness));
}

void LampLight::FillMouseLight(const FlashDataMap& record)
{
    const LedBarSettings& bar = record.ledBar;
    FrameMouseLight->BlockValueSignals(true);
    FrameMouseLight->SetLightValue(bar.brightness + 1);
    FrameMouseLight->SetSpeedValue(bar.speed + 1);
    FrameMouseLight->SetSpeedSpinBox(bar.speed + 1);
    FrameMouseLight->SetLightSpinBox(bar.brightness + 1);
    FrameMouseLight->SetRGB(bar.red, bar.green, bar.blue);
    FrameMouseLight->BlockValueSignals(false);
    const int effect = bar.on != 0 ? bar.effect : 0;
    FrameMouseLight->SetComboIndex(effect);
    lastMouseLightMode = effect;
    FrameMouseLight->SetRippeControl(record.movingOffLight != 0);
}

void LampLight::Fill(const FlashDataMap& record, bool fromDevice)
{
    FrameMouseLight->EnableSliders(fromDevice);
    if (fromDevice) {
        ReadReceiver();
        lightPageReady = false;
        lightPageFilling = true;
    } else {
        lightPageReady = false;
        lightPageFilling = true;
        ReadReceiver();
    }
    FillReceiverBar();
    FillDpiIndicator(record);
    FillMouseLight(record);
    if (!fromDevice || !CurrentDevice::Info().online)
        FrameOneLed->SetMeaning(1);
    if (fromDevice)
        lightPageReady = true;
    lightPageFilling = false;
}

void LampLight::SlotUpDataLightUILight(FlashDataMap DataMap)
{
    Fill(DataMap, true);
}

void LampLight::SlotUpDataLightUIA(FlashDataMap DataMap)
{
    Fill(DataMap, false);
}

void LampLight::SlotUpDataDPILed(FlashDataMap DataMap)
{
    const int effect = DpiIndicatorEffect(DataMap);
    if (effect >= 0)
        frameEffect->SetMode(effect);
    frameEffect->SetSpeed(DataMap.dpiLed.speed);
    frameEffect->SetBrightnessLevel(SensorEffect::BrightnessLevel(DataMap.dpiLed.brightness));
}

void LampLight::SlotFormResetLight()
{
    lightPageFilling = true;
    FrameMouseLight->SetComboIndex(1);
    FrameReceiveLight->SetEffectIndex(1);
    lastMouseLightMode = 1;
    FrameMouseLight->SetLightValue(10);
    FrameMouseLight->SetSpeedValue(8);
    lastReceiverBarMode = 1;
    FrameReceiveLight->SetBrightnessSlider(10);
    lastReceiverBarBrightness = 10;
    FrameReceiveLight->SetSpeedSlider(8);
    lastReceiverBarSpeed = 8;
    FrameReceiveLight->SetSpeedBox(8);
    FrameReceiveLight->SetBrightnessBox(10);
    FrameMouseLight->SetLightSpinBox(10);
    FrameMouseLight->SetSpeedSpinBox(8);
    FrameMouseLight->SetRippeControl(false);
    FrameOneLed->hide();
    frameEffect->SetMode(0);
    frameEffect->SetSpeed(3);
    frameEffect->SetBrightnessLevel(5);
    FrameThreeLed->SetLed1Function(0);
    FrameThreeLed->SetLed2Function(0);
    FrameThreeLed->SetLed3Function(0);
    for (int& function : lastIndicatorLedFunctions)
        function = 0;
    lightPageFilling = false;
}

bool LampLight::ModelHasReceiverLed()
{
    const DeviceAllInfo device = CurrentDevice::Info();
    const QStringList advanced =
        ConfigSettings::Instance()->ListValue(ConfigSettings::ModelGroup(device.modelIndex), QStringLiteral("Adveanced"));
    return advanced.size() > 1 && advanced.at(1).trimmed() != QLatin1String("-1");
}

void LampLight::HideOneLedUnless(bool (*receiverKeepsPanel)(int kind))
{
    const DeviceAllInfo device = CurrentDevice::Info();
    const int kind = device.connectionKind;
    const bool receiver = (kind & 0xFA) == 0;
    if (!ModelHasReceiverLed() || device.wired || (receiver && !receiverKeepsPanel(kind)))
        FrameOneLed->hide();
}

void LampLight::SlotForm()
{
    HideOneLedUnless(&OnlyFourKReceiverKeepsPanel);
}

void LampLight::SlotFormB()
{
    HideOneLedUnless(&NoReceiverKeepsPanel);
}

void LampLight::SlotRGBValue(DongleRGB* Rgb)
{
    const DeviceAllInfo device = CurrentDevice::Info();
    if (!Rgb || !ModelHasReceiverLed() || device.wired || device.connectionKind != ConnectionReceiver4K)
        return;
    FrameOneLed->show();
    // The receiver told us its meaning: shown, not written back to it.
    const int meaning = Rgb->bytes[0];
    if (meaning >= 1 && meaning <= 3)
        FrameOneLed->SetMeaning(meaning - 1);
}

void LampLight::SlotAllLanguage(int index)
{
    for (int item = 0; item < 3; ++item)
        frameEffect->SetModeText(item, LanguageTables::Option(index, QStringLiteral("DPIEffectOptions"),
                                                              QString::number(item)));
    frameEffect->SetTitleText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("DPIEffect")));
    frameEffect->SetSpeedLabelText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Speed")));
    frameEffect->SetBrightnessLabelText(
        LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Brightness")));
}
