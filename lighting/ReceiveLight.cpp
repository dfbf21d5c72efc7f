#include "lighting/ReceiveLight.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/ColourBoard.h"
#include "lighting/LightBarPanel.h"
#include "lighting/LightColorPresets.h"
#include "lighting/LightingState.h"
#include "platform/rozuri/ROZUri.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using PanelForm::NewLabel;
using PanelForm::NewLine;
using PanelForm::NewSlider;
using PanelForm::NewToolButton;
using PanelForm::NewValueBox;
using PanelForm::YaHei;

namespace {

const int kPresetColumns[7] = {450, 495, 540, 585, 630, 675, 720};
const int kPresetRows[2] = {373, 423};

void EnsureBuffers()
{
    if (!receiverLedBar)
        CreateReceiverLightBuffers();
}

} // namespace

ReceiveLight::ReceiveLight(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Light"));
    line_3->hide();
    line_4->hide();
    ApplyStyles();
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

ReceiveLight::~ReceiveLight() = default;

void ReceiveLight::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ReceiveLight"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(781, 471);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    LightPage_2 = new QFrame(this);
    LightPage_2->setObjectName(QStringLiteral("LightPage_2"));
    LightPage_2->setGeometry(0, 0, 781, 471);
    LightPage_2->setFrameShape(QFrame::StyledPanel);
    LightPage_2->setFrameShadow(QFrame::Raised);
    QWidget* page = LightPage_2;

    label_9 = NewLabel(page, "label_9", QRect(68, 80, 241, 21), QStringLiteral("灯光模式"));
    TitleButton_5 = NewToolButton(page, QStringLiteral("TitleButton_5"), QRect(40, 87, 16, 10));
    TitleButton_5->setEnabled(false);
    TitleButton_5->setAutoRaise(true);
    LightMod_2 = new MyConmboBox(page);
    LightMod_2->setObjectName(QStringLiteral("LightMod_2"));
    LightMod_2->setGeometry(67, 112, 308, 34);
    LightMod_2->setFixedSize(308, 34);
    LightMod_2->setFocusPolicy(Qt::NoFocus);
    LightMod_2->setFont(YaHei(11));
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 7; ++i)
        LightMod_2->addItem(QString());
    label_14 = NewLabel(page, "label_14", QRect(67, 173, 161, 21), QStringLiteral("亮度"));
    horizontalLight_2 = NewSlider(page, "horizontalLight_2", QRect(67, 215, 281, 25), 10);
    LightSpinBox_3 = NewValueBox(page, "LightSpinBox_3", QRect(350, 218, 38, 20));
    line_3 = NewLine(page, "line_3", QRect(68, 225, 281, 3));
    label_15 = NewLabel(page, "label_15", QRect(68, 259, 191, 21), QStringLiteral("速度"));
    horizontalSpeed_2 = NewSlider(page, "horizontalSpeed_2", QRect(68, 300, 281, 25), 10);
    SpeedSpinBox_3 = NewValueBox(page, "SpeedSpinBox_3", QRect(350, 300, 38, 20));
    line_4 = NewLine(page, "line_4", QRect(68, 309, 281, 3));

    label_23 = NewLabel(page, "label_23", QRect(448, 80, 321, 20), QStringLiteral("自定义颜色"));
    label_24 = NewLabel(page, "label_24", QRect(448, 112, 308, 34), QString());
    label_24->setMinimumSize(308, 34);
    label_18 = NewLabel(page, "label_18", QRect(449, 197, 261, 17), QStringLiteral("预览"));
    labelPreView_2 = NewLabel(page, "labelPreView_2", QRect(450, 238, 60, 60), QString());
    labelPreView_2->setFixedSize(60, 60);
    labelPreView_2->setScaledContents(true);
    labelPreView_2->setAlignment(Qt::AlignCenter);
    label_20 = NewLabel(page, "label_20", QRect(572, 220, 16, 17), QStringLiteral("R:"));
    label_19 = NewLabel(page, "label_19", QRect(572, 258, 16, 17), QStringLiteral("G:"));
    label_21 = NewLabel(page, "label_21", QRect(572, 295, 15, 17), QStringLiteral("B:"));
    ReduceR_2 = NewToolButton(page, QStringLiteral("ReduceR_2"), QRect(593, 228, 14, 4));
    ReduceG_2 = NewToolButton(page, QStringLiteral("ReduceG_2"), QRect(593, 266, 14, 4));
    ReduceB_2 = NewToolButton(page, QStringLiteral("ReduceB_2"), QRect(593, 304, 14, 4));
    RSpinBox_2 = LightBarPanel::NewChannelBox(page, "RSpinBox_2", 613, 220, 10);
    GSpinBox_2 = LightBarPanel::NewChannelBox(page, "GSpinBox_2", 613, 258, 11);
    BSpinBox_2 = LightBarPanel::NewChannelBox(page, "BSpinBox_2", 613, 296, 10);
    AddR_2 = NewToolButton(page, QStringLiteral("AddR_2"), QRect(664, 223, 14, 14));
    AddG_2 = NewToolButton(page, QStringLiteral("AddG_2"), QRect(664, 263, 14, 14));
    AddB_2 = NewToolButton(page, QStringLiteral("AddB_2"), QRect(664, 299, 14, 14));
    for (QToolButton* button : {ReduceR_2, ReduceG_2, ReduceB_2, AddR_2, AddG_2, AddB_2})
        button->setAutoRaise(true);
    for (QToolButton* button : {ReduceR_2, ReduceG_2, ReduceB_2})
        button->setText(QStringLiteral("..."));
    label_22 = NewLabel(page, "label_22", QRect(448, 328, 341, 17), QStringLiteral("预设颜色"));
    for (int i = 0; i < kLightColorPresetCount; ++i) {
        const QPoint place(kPresetColumns[i % 7], kPresetRows[i / 7]);
        QToolButton* button = NewToolButton(
            page, QStringLiteral("toolButtonColor") + QLatin1Char(kLightColorPresets[i].letter) + QStringLiteral("_2"),
            QRect(place, QSize(28, 28)));
        button->setCheckable(true);
        presetButtons.append(button);
    }

    colourWidgets = {label_23, label_24, label_18, labelPreView_2, label_20, label_19, label_21, ReduceR_2,
                     ReduceG_2, ReduceB_2, RSpinBox_2, GSpinBox_2, BSpinBox_2, AddR_2, AddG_2, AddB_2, label_22};
    for (QToolButton* button : presetButtons)
        colourWidgets.append(button);

    QMetaObject::connectSlotsByName(this);
}

void ReceiveLight::ApplyStyles()
{
    TitleButton_5->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_5->objectName(), pictureFolder));
    PanelStyle::SetPanelComboFace(LightMod_2, pictureFolder);
    PanelStyle::InstallComboList(LightMod_2, 5);
    for (QLabel* text : {label_9, label_14, label_15, label_23, label_20, label_21, label_22, label_18, label_19})
        text->setStyleSheet(PanelStyle::LabelStyle());
    SpeedSpinBox_3->setStyleSheet(PanelStyle::ValueBoxStyle());
    LightSpinBox_3->setStyleSheet(PanelStyle::ValueBoxStyle());
    for (QSpinBox* box : {RSpinBox_2, GSpinBox_2, BSpinBox_2})
        box->setStyleSheet(PanelStyle::ChannelBoxStyle());
    horizontalLight_2->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    horizontalSpeed_2->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    LightBarPanel::StyleColourPictures(pictureFolder, label_24, {ReduceR_2, ReduceG_2, ReduceB_2},
                                       {AddR_2, AddG_2, AddB_2}, labelPreView_2, presetButtons);
}

void ReceiveLight::SlotAllLanguage(int index)
{
    for (int item = 0; item < LightMod_2->count(); ++item)
        LightMod_2->setItemText(item, LanguageTables::Option(index, QStringLiteral("LightModeOptions"),
                                                             QString::number(item)));
    const QString light = QStringLiteral("light");
    label_9->setText(LanguageTables::Text(index, light, QStringLiteral("receiverLight")));
    label_14->setText(LanguageTables::Text(index, light, QStringLiteral("Brightness")));
    label_15->setText(LanguageTables::Text(index, light, QStringLiteral("Speed")));
    label_23->setText(LanguageTables::Text(index, light, QStringLiteral("Preview")));
    label_18->setText(LanguageTables::Text(index, light, QStringLiteral("CustomColor")));
    label_22->setText(LanguageTables::Text(index, light, QStringLiteral("Preset")));
}

// ---- accessors for the lighting page ----

void ReceiveLight::BlockControlSignals(bool block)
{
    for (QObject* control : std::initializer_list<QObject*>{horizontalLight_2, horizontalSpeed_2, RSpinBox_2,
                                                            GSpinBox_2, BSpinBox_2})
        control->blockSignals(block);
}

void ReceiveLight::SetEffectIndex(int index)
{
    LightMod_2->setCurrentIndex(index);
}

void ReceiveLight::SetBrightnessSlider(int value)
{
    horizontalLight_2->setValue(value);
}

void ReceiveLight::SetSpeedSlider(int value)
{
    horizontalSpeed_2->setValue(value);
}

void ReceiveLight::SetBrightnessBox(int value)
{
    LightSpinBox_3->setValue(value);
}

void ReceiveLight::SetSpeedBox(int value)
{
    SpeedSpinBox_3->setValue(value);
}

void ReceiveLight::SetBarColor(int red, int green, int blue)
{
    RSpinBox_2->setValue(red);
    GSpinBox_2->setValue(green);
    BSpinBox_2->setValue(blue);
    ShowPreview(red, green, blue);
}

// ---- writing ----

bool ReceiveLight::WriteBar()
{
    const QByteArray path = CurrentDevice::Path();
    const bool taken = (UsbFinderC_SetDongleRGBBarMode(path.constData(), receiverLedBar) & 0xFF) != 0;
    if (taken)
        DeviceSettingSetters::SendProtocolRecord();
    return taken;
}

// ---- effect ----

void ReceiveLight::ApplyLayout(int index)
{
    LightBarPanel::ShowEffectControls(index, horizontalLight_2, LightSpinBox_3, line_3, horizontalSpeed_2,
                                      SpeedSpinBox_3, line_4, colourWidgets);
}

void ReceiveLight::on_LightMod_2_currentIndexChanged(int index)
{
    if (deviceSendEnabled && !lightPageFilling) {
        EnsureBuffers();
        receiverLedBar[0] = static_cast<unsigned char>(index);
        receiverLedBar[6] = index != 0 ? 1 : 0;
        if (!WriteBar()) {
            const QSignalBlocker block(LightMod_2);
            LightMod_2->setCurrentIndex(lastReceiverBarMode);
            return;
        }
        lastReceiverBarMode = index;
    }
    ApplyLayout(index);
}

// ---- brightness and speed ----

void ReceiveLight::LevelChange(QSlider* slider, QSpinBox* box, int byte, int* last, int value)
{
    box->setValue(value);
    if (!deviceSendEnabled || lightPageFilling)
        return;
    EnsureBuffers();
    receiverLedBar[byte] = static_cast<unsigned char>(value - 1);
    if (!WriteBar()) {
        const QSignalBlocker block(slider);
        slider->setValue(*last);
        box->setValue(*last);
        return;
    }
    *last = value;
}

void ReceiveLight::on_horizontalLight_2_sliderMoved(int position)
{
    LightSpinBox_3->setValue(position);
}

void ReceiveLight::on_horizontalLight_2_valueChanged(int value)
{
    LevelChange(horizontalLight_2, LightSpinBox_3, 5, &lastReceiverBarBrightness, value);
}

void ReceiveLight::on_horizontalSpeed_2_sliderMoved(int position)
{
    SpeedSpinBox_3->setValue(position);
}

void ReceiveLight::on_horizontalSpeed_2_valueChanged(int value)
{
    LevelChange(horizontalSpeed_2, SpeedSpinBox_3, 4, &lastReceiverBarSpeed, value);
}

// ---- colour ----

void ReceiveLight::ShowPreview(int red, int green, int blue)
{
    labelPreView_2->setStyleSheet(PanelStyle::SwatchStyle(red, green, blue));
}

void ReceiveLight::ColourChange(int red, int green, int blue)
{
    ShowPreview(red, green, blue);
    // A refused colour stays on screen; the next write that is taken carries it.
    if (!deviceSendEnabled)
        return;
    EnsureBuffers();
    receiverLedBar[1] = static_cast<unsigned char>(red);
    receiverLedBar[2] = static_cast<unsigned char>(green);
    receiverLedBar[3] = static_cast<unsigned char>(blue);
    WriteBar();
}

void ReceiveLight::on_RSpinBox_2_valueChanged(int value)
{
    ColourChange(value, GSpinBox_2->value(), BSpinBox_2->value());
}

void ReceiveLight::on_GSpinBox_2_valueChanged(int value)
{
    ColourChange(RSpinBox_2->value(), value, BSpinBox_2->value());
}

void ReceiveLight::on_BSpinBox_2_valueChanged(int value)
{
    ColourChange(RSpinBox_2->value(), GSpinBox_2->value(), value);
}

void ReceiveLight::StepChannel(QSpinBox* box, int step)
{
    ColourBoard::StepChannel(box, step);
}

void ReceiveLight::on_AddR_2_clicked() { StepChannel(RSpinBox_2, 1); }
void ReceiveLight::on_AddG_2_clicked() { StepChannel(GSpinBox_2, 1); }
void ReceiveLight::on_AddB_2_clicked() { StepChannel(BSpinBox_2, 1); }
void ReceiveLight::on_ReduceR_2_clicked() { StepChannel(RSpinBox_2, -1); }
void ReceiveLight::on_ReduceG_2_clicked() { StepChannel(GSpinBox_2, -1); }
void ReceiveLight::on_ReduceB_2_clicked() { StepChannel(BSpinBox_2, -1); }

void ReceiveLight::ApplyPreset(int preset)
{
    ColourBoard::ApplyPreset(RSpinBox_2, GSpinBox_2, BSpinBox_2, preset);
}

void ReceiveLight::on_toolButtonColorA_2_clicked() { ApplyPreset(0); }
void ReceiveLight::on_toolButtonColorB_2_clicked() { ApplyPreset(1); }
void ReceiveLight::on_toolButtonColorC_2_clicked() { ApplyPreset(2); }
void ReceiveLight::on_toolButtonColorD_2_clicked() { ApplyPreset(3); }
void ReceiveLight::on_toolButtonColorE_2_clicked() { ApplyPreset(4); }
void ReceiveLight::on_toolButtonColorF_2_clicked() { ApplyPreset(5); }
void ReceiveLight::on_toolButtonColorG_2_clicked() { ApplyPreset(6); }
void ReceiveLight::on_toolButtonColorH_2_clicked() { ApplyPreset(7); }
void ReceiveLight::on_toolButtonColorI_2_clicked() { ApplyPreset(8); }
void ReceiveLight::on_toolButtonColorJ_2_clicked() { ApplyPreset(9); }
void ReceiveLight::on_toolButtonColorK_2_clicked() { ApplyPreset(10); }
void ReceiveLight::on_toolButtonColorL_2_clicked() { ApplyPreset(11); }
void ReceiveLight::on_toolButtonColorM_2_clicked() { ApplyPreset(12); }
void ReceiveLight::on_toolButtonColorN_2_clicked() { ApplyPreset(13); }

// ---- colour board ----

void ReceiveLight::mousePressEvent(QMouseEvent* event)
{
    const ColourBoard::Controls controls{this, label_24, {RSpinBox_2, GSpinBox_2, BSpinBox_2}, {LightSpinBox_3, SpeedSpinBox_3}};
    QColor picked;
    if (ColourBoard::HandlePress(controls, event, &picked))
        ShowPreview(picked.red(), picked.green(), picked.blue());
}
