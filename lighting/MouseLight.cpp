#include "lighting/MouseLight.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/ColourBoard.h"
#include "lighting/LightBarPanel.h"
#include "lighting/LightColorPresets.h"
#include "lighting/LightLevelSlider.h"
#include "lighting/LightingState.h"
#include "platform/rozuri/ROZUri.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
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
using PanelForm::NewToolButton;
using PanelForm::NewValueBox;
using PanelForm::YaHei;

namespace {

// Where each preset button sits in the colour group, in the order A to N.
const QPoint kPresetPlaces[kLightColorPresetCount] = {
    {416, 305}, {461, 305}, {506, 305}, {551, 305}, {596, 305}, {641, 305}, {686, 305},
    {416, 355}, {461, 355}, {506, 355}, {551, 355}, {596, 355}, {641, 355}, {686, 355},
};

// The mouse bar's sliders carry a font of their own.
QSlider* NewLevelSlider(QWidget* parent, const char* name, const QRect& geometry)
{
    QSlider* slider = PanelForm::NewSlider(parent, name, geometry, 10);
    slider->setFont(QFont(QStringLiteral("Microsoft YaHei UI Light")));
    return slider;
}

} // namespace

MouseLight::MouseLight(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Light"));
    line->hide();
    line_2->hide();
    TitleButton_4->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_4->objectName(), pictureFolder));
    // Starts in the layout of the first effect; making the page sends
    // nothing (it may be made while a mouse is open).
    ApplyLayout(LightMod->currentIndex());
    ApplyStyles();
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

MouseLight::~MouseLight() = default;

void MouseLight::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MouseLight"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(755, 442);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    TitleButton_4 = NewToolButton(this, QStringLiteral("TitleButton_4"), QRect(5, 10, 16, 10));
    TitleButton_4->setEnabled(false);
    TitleButton_4->setAutoRaise(true);
    label = NewLabel(this, "label", QRect(33, 3, 241, 21), QStringLiteral("灯光模式"));
    LightMod = new MyConmboBox(this);
    LightMod->setObjectName(QStringLiteral("LightMod"));
    LightMod->setGeometry(32, 35, 308, 34);
    LightMod->setFixedSize(308, 34);
    LightMod->setFocusPolicy(Qt::NoFocus);
    LightMod->setFont(YaHei(11));
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 7; ++i)
        LightMod->addItem(QString());
    label_2 = NewLabel(this, "label_2", QRect(32, 96, 161, 21), QStringLiteral("亮度"));
    horizontalLight = NewLevelSlider(this, "horizontalLight", QRect(32, 138, 281, 25));
    horizontalLight->setMaximumSize(316, 22);
    line = NewLine(this, "line", QRect(32, 147, 281, 3));
    LightSpinBox_2 = NewValueBox(this, "LightSpinBox_2", QRect(320, 141, 38, 20));
    label_3 = NewLabel(this, "label_3", QRect(32, 182, 191, 21), QStringLiteral("速度"));
    horizontalSpeed = NewLevelSlider(this, "horizontalSpeed", QRect(32, 223, 281, 25));
    line_2 = NewLine(this, "line_2", QRect(32, 232, 281, 3));
    SpeedSpinBox_2 = NewValueBox(this, "SpeedSpinBox_2", QRect(320, 226, 38, 20));
    RippeControl = NewToolButton(this, QStringLiteral("RippeControl"), QRect(32, 291, 36, 18));
    RippeControl->setCheckable(true);
    label_4 = NewLabel(this, "label_4", QRect(94, 289, 261, 81), QStringLiteral("移动时关灯"));
    label_4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_4->setWordWrap(true);

    label_6 = NewLabel(this, "label_6", QRect(414, 3, 321, 20), QStringLiteral("自定义颜色"));
    label_7 = NewLabel(this, "label_7", QRect(413, 35, 308, 34), QString());
    label_7->setMinimumSize(308, 34);
    label_8 = NewLabel(this, "label_8", QRect(414, 120, 261, 17), QStringLiteral("预览"));
    labelPreView = NewLabel(this, "labelPreView", QRect(414, 161, 60, 60), QString());
    labelPreView->setFixedSize(60, 60);
    labelPreView->setScaledContents(true);
    labelPreView->setAlignment(Qt::AlignCenter);
    label_11 = NewLabel(this, "label_11", QRect(537, 143, 16, 17), QStringLiteral("R:"));
    label_10 = NewLabel(this, "label_10", QRect(537, 181, 16, 17), QStringLiteral("G:"));
    label_12 = NewLabel(this, "label_12", QRect(537, 219, 15, 17), QStringLiteral("B:"));
    RSpinBox = LightBarPanel::NewChannelBox(this, "RSpinBox", 578, 143, 10);
    GSpinBox = LightBarPanel::NewChannelBox(this, "GSpinBox", 578, 181, 11);
    BSpinBox = LightBarPanel::NewChannelBox(this, "BSpinBox", 578, 219, 10);
    ReduceR = NewToolButton(this, QStringLiteral("ReduceR"), QRect(558, 151, 14, 4));
    ReduceG = NewToolButton(this, QStringLiteral("ReduceG"), QRect(558, 189, 14, 4));
    ReduceB = NewToolButton(this, QStringLiteral("ReduceB"), QRect(558, 227, 14, 4));
    AddR = NewToolButton(this, QStringLiteral("AddR"), QRect(629, 146, 14, 14));
    AddG = NewToolButton(this, QStringLiteral("AddG"), QRect(629, 184, 14, 14));
    AddB = NewToolButton(this, QStringLiteral("AddB"), QRect(629, 222, 14, 14));
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB, AddR, AddG, AddB})
        button->setAutoRaise(true);
    for (QToolButton* button : {ReduceR, ReduceG, ReduceB})
        button->setText(QStringLiteral("..."));
    label_13 = NewLabel(this, "label_13", QRect(414, 260, 341, 17), QStringLiteral("预设颜色"));
    for (int i = 0; i < kLightColorPresetCount; ++i) {
        const QString name = QStringLiteral("toolButtonColor") + QLatin1Char(kLightColorPresets[i].letter);
        QToolButton* button = NewToolButton(this, name, QRect(kPresetPlaces[i], QSize(28, 28)));
        button->setCheckable(true);
        presetButtons.append(button);
    }
    // Kept empty: the presets toggle each by itself.
    presetGroup = new QButtonGroup(this);
    presetGroup->setExclusive(true);

    colourGroup = {label_6, label_7, label_8, labelPreView, label_11, label_10, label_12, RSpinBox, GSpinBox,
                   BSpinBox, ReduceR, ReduceG, ReduceB, AddR, AddG, AddB, label_13};
    for (QToolButton* button : presetButtons)
        colourGroup.append(button);

    QMetaObject::connectSlotsByName(this);
}

void MouseLight::ApplyStyles()
{
    PanelStyle::SetPanelComboFace(LightMod, pictureFolder);
    PanelStyle::InstallComboList(LightMod, 5);
    for (QLabel* text : {label, label_2, label_3, label_4, label_6, label_8, label_13})
        text->setStyleSheet(PanelStyle::LabelStyle());
    for (QLabel* letter : {label_11, label_10, label_12})
        letter->setStyleSheet(QStringLiteral("QLabel{color: rgb(255,255,255);}"));
    LightSpinBox_2->setStyleSheet(PanelStyle::ValueBoxStyle());
    SpeedSpinBox_2->setStyleSheet(PanelStyle::ValueBoxStyle());
    for (QSpinBox* box : {RSpinBox, GSpinBox, BSpinBox})
        box->setStyleSheet(PanelStyle::ChannelBoxStyle());
    horizontalLight->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    horizontalSpeed->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    RippeControl->setStyleSheet(QStringLiteral("QToolButton{color: rgb(255,255,255); border: 0px; "
                                               "background-position: center; background-repeat: no-repeat; "
                                               "background-image: ")
                                + PanelStyle::Url(pictureFolder, "Close.png")
                                + QStringLiteral(";}QToolButton:checked{background-image: ")
                                + PanelStyle::Url(pictureFolder, "Open.png") + QStringLiteral(";}"));
    LightBarPanel::StyleColourPictures(pictureFolder, label_7, {ReduceR, ReduceG, ReduceB}, {AddR, AddG, AddB},
                                       labelPreView, presetButtons);
}

void MouseLight::SlotAllLanguage(int index)
{
    label->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("LightMode")));
    for (int item = 0; item < LightMod->count(); ++item)
        LightMod->setItemText(item, LanguageTables::Option(index, QStringLiteral("LightModeOptions"),
                                                           QString::number(item)));
    label_2->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Brightness")));
    label_3->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Speed")));
    label_4->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("MovingOffLight")));
    label_6->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Preview")));
    label_8->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("CustomColor")));
    label_13->setText(LanguageTables::Text(index, QStringLiteral("light"), QStringLiteral("Preset")));
    label_11->setText(QStringLiteral("R:"));
    label_10->setText(QStringLiteral("G:"));
    label_12->setText(QStringLiteral("B:"));
}

// ---- accessors for the lighting page ----

void MouseLight::BlockValueSignals(bool block)
{
    for (QObject* control : std::initializer_list<QObject*>{horizontalLight, horizontalSpeed, RSpinBox, GSpinBox,
                                                            BSpinBox})
        control->blockSignals(block);
}

void MouseLight::EnableSliders(bool enabled)
{
    horizontalLight->setEnabled(enabled);
    horizontalSpeed->setEnabled(enabled);
}

void MouseLight::SetComboIndex(int effect)
{
    LightMod->setCurrentIndex(effect);
}

void MouseLight::SetLightValue(int value)
{
    horizontalLight->setValue(value);
}

void MouseLight::SetLightSpinBox(int value)
{
    LightSpinBox_2->setValue(value);
}

void MouseLight::SetSpeedValue(int value)
{
    horizontalSpeed->setValue(value);
}

void MouseLight::SetSpeedSpinBox(int value)
{
    SpeedSpinBox_2->setValue(value);
}

void MouseLight::SetRGB(int red, int green, int blue)
{
    RSpinBox->setValue(red);
    GSpinBox->setValue(green);
    BSpinBox->setValue(blue);
    ShowSwatch(red, green, blue);
}

void MouseLight::SetRippeControl(bool checked)
{
    RippeControl->setChecked(checked);
}

// ---- effect ----

void MouseLight::ApplyLayout(int effect)
{
    LightBarPanel::ShowEffectControls(effect, horizontalLight, LightSpinBox_2, line, horizontalSpeed, SpeedSpinBox_2,
                                      line_2, colourGroup);
}

void MouseLight::on_LightMod_currentIndexChanged(int index)
{
    if (deviceSendEnabled && !lightPageFilling) {
        if (!DeviceSettingSetters::SetLedBarMode(index)) {
            const QSignalBlocker block(LightMod);
            LightMod->setCurrentIndex(lastMouseLightMode);
            return;
        }
        lastMouseLightMode = index;
        if (index == 0) {
            // The light is off: moving has nothing left to switch off.
            const bool wasChecked = RippeControl->isChecked();
            RippeControl->setChecked(false);
            if (!DeviceSettingSetters::SetMovingOffLight(0)) {
                const QSignalBlocker block(RippeControl);
                RippeControl->setChecked(wasChecked);
            }
        }
    }
    ApplyLayout(index);
}

void MouseLight::on_RippeControl_clicked(bool checked)
{
    if (!deviceSendEnabled || lightPageFilling)
        return;
    if (!DeviceSettingSetters::SetMovingOffLight(checked ? 1 : 0)) {
        const QSignalBlocker block(RippeControl);
        RippeControl->setChecked(!checked);
    }
}

// ---- brightness and speed ----

// The levels 1..10 are written as 0..9.

void MouseLight::on_horizontalLight_sliderMoved(int position)
{
    LightLevelSlider::DragCheck(horizontalLight, LightSpinBox_2, position);
}

void MouseLight::on_horizontalLight_valueChanged(int value)
{
    LightLevelSlider::Release(horizontalLight, LightSpinBox_2, value, lightPageFilling,
                              &DeviceSettingSetters::SetLedBarBrightness, value - 1);
}

void MouseLight::on_horizontalSpeed_sliderMoved(int position)
{
    LightLevelSlider::DragCheck(horizontalSpeed, SpeedSpinBox_2, position);
}

void MouseLight::on_horizontalSpeed_valueChanged(int value)
{
    LightLevelSlider::Release(horizontalSpeed, SpeedSpinBox_2, value, lightPageFilling,
                              &DeviceSettingSetters::SetLedBarSpeed, value - 1);
}

// ---- colour ----

void MouseLight::ShowSwatch(int red, int green, int blue)
{
    labelPreView->setStyleSheet(PanelStyle::SwatchStyle(red, green, blue));
}

void MouseLight::WriteColour(int red, int green, int blue)
{
    ShowSwatch(red, green, blue);
    if (!deviceSendEnabled || DeviceSettingSetters::SetLedBarColor(red, green, blue))
        return;
    // The mouse keeps its colour: the boxes and the swatch show it again. The
    // record is read after the notice, so a fill meanwhile is what stays.
    const FlashDataMap held = CurrentFlashMapLock::Snapshot();
    const QSignalBlocker blockRed(RSpinBox);
    const QSignalBlocker blockGreen(GSpinBox);
    const QSignalBlocker blockBlue(BSpinBox);
    RSpinBox->setValue(held.ledBar.red);
    GSpinBox->setValue(held.ledBar.green);
    BSpinBox->setValue(held.ledBar.blue);
    ShowSwatch(held.ledBar.red, held.ledBar.green, held.ledBar.blue);
}

void MouseLight::on_RSpinBox_valueChanged(int value)
{
    WriteColour(value, GSpinBox->value(), BSpinBox->value());
}

void MouseLight::on_GSpinBox_valueChanged(int value)
{
    WriteColour(RSpinBox->value(), value, BSpinBox->value());
}

void MouseLight::on_BSpinBox_valueChanged(int value)
{
    WriteColour(RSpinBox->value(), GSpinBox->value(), value);
}

void MouseLight::StepChannel(QSpinBox* box, int step)
{
    ColourBoard::StepChannel(box, step);
}

void MouseLight::on_AddR_clicked() { StepChannel(RSpinBox, 1); }
void MouseLight::on_AddG_clicked() { StepChannel(GSpinBox, 1); }
void MouseLight::on_AddB_clicked() { StepChannel(BSpinBox, 1); }
void MouseLight::on_ReduceR_clicked() { StepChannel(RSpinBox, -1); }
void MouseLight::on_ReduceG_clicked() { StepChannel(GSpinBox, -1); }
void MouseLight::on_ReduceB_clicked() { StepChannel(BSpinBox, -1); }

void MouseLight::ApplyPreset(int preset)
{
    ColourBoard::ApplyPreset(RSpinBox, GSpinBox, BSpinBox, preset);
}

void MouseLight::on_toolButtonColorA_clicked() { ApplyPreset(0); }
void MouseLight::on_toolButtonColorB_clicked() { ApplyPreset(1); }
void MouseLight::on_toolButtonColorC_clicked() { ApplyPreset(2); }
void MouseLight::on_toolButtonColorD_clicked() { ApplyPreset(3); }
void MouseLight::on_toolButtonColorE_clicked() { ApplyPreset(4); }
void MouseLight::on_toolButtonColorF_clicked() { ApplyPreset(5); }
void MouseLight::on_toolButtonColorG_clicked() { ApplyPreset(6); }
void MouseLight::on_toolButtonColorH_clicked() { ApplyPreset(7); }
void MouseLight::on_toolButtonColorI_clicked() { ApplyPreset(8); }
void MouseLight::on_toolButtonColorJ_clicked() { ApplyPreset(9); }
void MouseLight::on_toolButtonColorK_clicked() { ApplyPreset(10); }
void MouseLight::on_toolButtonColorL_clicked() { ApplyPreset(11); }
void MouseLight::on_toolButtonColorM_clicked() { ApplyPreset(12); }
void MouseLight::on_toolButtonColorN_clicked() { ApplyPreset(13); }

void MouseLight::AddPresetButtons()
{
    for (QToolButton* button : presetButtons)
        presetGroup->addButton(button);
}

// ---- colour board ----

void MouseLight::mousePressEvent(QMouseEvent* event)
{
    const ColourBoard::Controls controls{this, label_7, {RSpinBox, GSpinBox, BSpinBox}, {LightSpinBox_2, SpeedSpinBox_2}};
    QColor picked;
    if (ColourBoard::HandlePress(controls, event, &picked))
        ShowSwatch(picked.red(), picked.green(), picked.blue());
}
