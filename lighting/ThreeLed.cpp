#include "lighting/ThreeLed.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/LightingState.h"
#include "platform/rozuri/ROZUri.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QFont>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

using PanelForm::YaHei;

namespace {

// The receiverList entry each function code is named after.
const char* const kFunctionNames[4] = {"0", "3", "2", "1"};

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, int points, const QString& text = {})
{
    return PanelForm::NewLabel(parent, name, geometry, text, points);
}

// A legend entry: its own text colour, left and vertically centred.
QLabel* NewEntry(QWidget* parent, const char* name, const QRect& geometry, const char* style, const QString& text)
{
    QLabel* label = NewLabel(parent, name, geometry, 10, text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setStyleSheet(QLatin1String(style));
    return label;
}

MyConmboBox* NewFunctionBox(QWidget* parent, const char* name, int y)
{
    auto* box = new MyConmboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(270, y, 200, 34);
    box->setFixedSize(200, 34);
    box->setFont(YaHei(11));
    box->setFocusPolicy(Qt::NoFocus);
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 4; ++i)
        box->addItem(QString());
    return box;
}

} // namespace

ThreeLed::ThreeLed(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    label_36->hide();
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Light"));
    ApplyStyles();
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

ThreeLed::~ThreeLed() = default;

void ThreeLed::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ThreeLed"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(860, 484);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    TitleButton_6 = new QToolButton(this);
    TitleButton_6->setObjectName(QStringLiteral("TitleButton_6"));
    TitleButton_6->setGeometry(40, 84, 16, 10);
    TitleButton_6->setFixedSize(16, 10);
    TitleButton_6->setEnabled(false);
    TitleButton_6->setFocusPolicy(Qt::NoFocus);
    TitleButton_6->setAutoRaise(true);
    label_17 = NewLabel(this, "label_17", QRect(68, 77, 241, 21), 11, QStringLiteral("接收器指示灯"));
    label_5 = NewLabel(this, "label_5", QRect(70, 160, 166, 127), 11);
    label_25 = NewLabel(this, "label_25", QRect(270, 150, 151, 21), 11, QStringLiteral("LED1"));
    label_26 = NewLabel(this, "label_26", QRect(270, 240, 151, 21), 11, QStringLiteral("LED2"));
    label_27 = NewLabel(this, "label_27", QRect(270, 330, 151, 21), 11, QStringLiteral("LED3"));
    LightMod_3 = NewFunctionBox(this, "LightMod_3", 180);
    LightMod_4 = NewFunctionBox(this, "LightMod_4", 270);
    LightMod_5 = NewFunctionBox(this, "LightMod_5", 360);
    label_28 = NewLabel(this, "label_28", QRect(510, 150, 251, 21), 11, QStringLiteral("指示灯说明"));
    label_29 = NewLabel(this, "label_29", QRect(510, 200, 111, 41), 10, QStringLiteral("连接状态"));
    label_31 = NewLabel(this, "label_31", QRect(615, 200, 111, 41), 10, QStringLiteral("电量"));
    label_33 = NewLabel(this, "label_33", QRect(725, 200, 111, 41), 10, QStringLiteral("回报率"));
    for (QLabel* caption : {label_29, label_31, label_33}) {
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        caption->setWordWrap(true);
    }
    label_30 = NewLabel(this, "label_30", QRect(510, 240, 12, 148), 10);
    label_32 = NewLabel(this, "label_32", QRect(615, 240, 12, 148), 10);
    label_34 = NewLabel(this, "label_34", QRect(725, 240, 17, 245), 10);

    label_35 = NewEntry(this, "label_35", QRect(540, 240, 91, 21), "color: rgb(0, 255, 0);", QStringLiteral("已连接"));
    label_36 = NewEntry(this, "label_36", QRect(540, 283, 91, 21), "color: rgb(255, 255, 0);", QString());
    label_37 = NewEntry(this, "label_37", QRect(540, 303, 91, 21), "color: rgb(255, 128, 0);", QStringLiteral("配对中"));
    label_38 = NewEntry(this, "label_38", QRect(540, 367, 91, 21), "color: rgb(255, 0, 0);", QStringLiteral("未连接"));
    NewEntry(this, "label_39", QRect(645, 240, 91, 21), "color: rgb(0, 255, 0);", QStringLiteral("100%"));
    NewEntry(this, "label_40", QRect(645, 283, 91, 21), "color: rgb(255, 255, 0);", QStringLiteral("75%"));
    NewEntry(this, "label_41", QRect(645, 326, 91, 21), "color: rgb(255, 128, 0);", QStringLiteral("50%"));
    NewEntry(this, "label_42", QRect(645, 367, 91, 21), "color: rgb(255, 0, 0);", QStringLiteral("25%"));
    NewEntry(this, "label_43", QRect(755, 250, 91, 21), "color: rgb(115, 251, 253);", QStringLiteral("8000HZ"));
    NewEntry(this, "label_44", QRect(755, 285, 91, 21), "color: rgb(96, 252, 46);", QStringLiteral("4000HZ"));
    NewEntry(this, "label_45", QRect(755, 315, 91, 21), "color: rgb(240, 46, 250);", QStringLiteral("2000HZ"));
    NewEntry(this, "label_46", QRect(755, 350, 61, 21), "color: rgb(247, 168, 31);", QStringLiteral("1000HZ"));
    label_49 = NewEntry(this, "label_49", QRect(807, 350, 251, 21), "color: rgb(247, 168, 31);", QString());
    NewEntry(this, "label_48", QRect(755, 385, 91, 21), "color: rgb(252, 255, 41)", QStringLiteral("500HZ"));
    NewEntry(this, "label_50", QRect(755, 420, 91, 21), "color: rgb(49, 0, 253);", QStringLiteral("250HZ"));
    NewEntry(this, "label_47", QRect(755, 455, 91, 21), "color: rgb(244, 39, 23);", QStringLiteral("125HZ"));

    // The boxes hold their items before the slots are bound: setting up runs
    // no slot.
    QMetaObject::connectSlotsByName(this);
}

void ThreeLed::ApplyStyles()
{
    TitleButton_6->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_6->objectName(), pictureFolder));
    for (MyConmboBox* box : {LightMod_3, LightMod_4, LightMod_5}) {
        PanelStyle::SetPanelComboFace(box, pictureFolder);
        PanelStyle::InstallComboList(box, 5);
    }
    label_5->setStyleSheet(QStringLiteral("QLabel{background-image: ") + PanelStyle::Url(pictureFolder, "Mode1.png")
                           + QStringLiteral(";}"));
    for (QLabel* bar : {label_30, label_32})
        bar->setStyleSheet(QStringLiteral("QLabel{background-image: ") + PanelStyle::Url(pictureFolder, "Mode2.png")
                           + QStringLiteral(";}"));
    label_34->setStyleSheet(QStringLiteral("QLabel{background-image: ") + PanelStyle::Url(pictureFolder, "Mode3.png")
                            + QStringLiteral(";}"));
    for (QLabel* text : {label_17, label_25, label_26, label_27, label_28, label_29, label_31, label_33})
        text->setStyleSheet(PanelStyle::LabelStyle());
}

void ThreeLed::SlotAllLanguage(int index)
{
    const QString status = QStringLiteral("StatusDescriptionList");
    label_35->setText(LanguageTables::Option(index, status, QStringLiteral("#42e81b")));
    label_37->setText(LanguageTables::Option(index, status, QStringLiteral("#f5b020")));
    label_38->setText(LanguageTables::Option(index, status, QStringLiteral("#f52c17")));
    const QString functions = QStringLiteral("receiverList");
    // Renaming items keeps each box's current item: no slot runs.
    for (MyConmboBox* box : {LightMod_3, LightMod_4, LightMod_5}) {
        for (int code = 0; code < 4; ++code)
            box->setItemText(code, LanguageTables::Option(index, functions, QLatin1String(kFunctionNames[code])));
    }
    const QString light = QStringLiteral("light");
    label_17->setText(LanguageTables::Text(index, light, QStringLiteral("receiver")));
    label_28->setText(LanguageTables::Text(index, light, QStringLiteral("PreviewLightsTips")));
    label_29->setText(LanguageTables::Option(index, functions, QLatin1String(kFunctionNames[1])));
    label_31->setText(LanguageTables::Option(index, functions, QLatin1String(kFunctionNames[2])));
    label_33->setText(LanguageTables::Option(index, functions, QLatin1String(kFunctionNames[3])));
    label_49->setText(LanguageTables::Text(index, light, QStringLiteral("default")));
}

void ThreeLed::SetSilently(MyConmboBox* box, int code)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(code >= 0 && code < box->count() ? code : -1);
}

void ThreeLed::SetLed1Function(int code)
{
    SetSilently(LightMod_3, code);
}

void ThreeLed::SetLed2Function(int code)
{
    SetSilently(LightMod_4, code);
}

void ThreeLed::SetLed3Function(int code)
{
    SetSilently(LightMod_5, code);
}

void ThreeLed::FunctionChosen(int led, MyConmboBox* box, int index)
{
    if (!deviceSendEnabled || lightPageFilling)
        return;
    if (!receiverIndicatorLeds)
        CreateReceiverLightBuffers();
    receiverIndicatorLeds[led] = static_cast<unsigned char>(index);
    const QByteArray path = CurrentDevice::Path();
    const unsigned char result = UsbFinderC_SetDongleIndicatorLed(path.constData(), receiverIndicatorLeds);
    // Whether the change stays rests on the receiver's answer; the mouse's
    // answer only decides the notice and whether its record goes out.
    const bool mouseAnswers = DeviceSettingSetters::IsDeviceOnline();
    if (result == 0) {
        const QSignalBlocker block(box);
        receiverIndicatorLeds[led] = static_cast<unsigned char>(lastIndicatorLedFunctions[led]);
        box->setCurrentIndex(lastIndicatorLedFunctions[led]);
        return;
    }
    // A silent mouse has had its notice; its record would only fail again.
    if (mouseAnswers)
        DeviceSettingSetters::SendProtocolRecord();
    lastIndicatorLedFunctions[led] = index;
}

void ThreeLed::on_LightMod_3_currentIndexChanged(int index)
{
    FunctionChosen(0, LightMod_3, index);
}

void ThreeLed::on_LightMod_4_currentIndexChanged(int index)
{
    FunctionChosen(1, LightMod_4, index);
}

void ThreeLed::on_LightMod_5_currentIndexChanged(int index)
{
    FunctionChosen(2, LightMod_5, index);
}
