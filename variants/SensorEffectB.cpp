#include "variants/SensorEffectB.h"

#include "app/ThemeColor.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/LightLevelSlider.h"
#include "sensor/SensorEffect.h"
#include "variants/VariantForm.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

using PanelForm::NewLine;
using PanelForm::NewSlider;

namespace {

QLabel* NewRowLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text)
{
    QLabel* label = PanelForm::NewLabel(parent, name, geometry, text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

SensorEffectB::SensorEffectB(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "SensorEffectB", 400, 143);
    label = VariantForm::NewCaption(this, QRect(0, 0, 181, 21), QStringLiteral("DPI灯效"),
                                    Qt::AlignLeft | Qt::AlignVCenter);
    MM1 = VariantForm::NewTickBox(this, "MM1", QRect(10, 40, 101, 20), QStringLiteral("常亮"));
    MM2 = VariantForm::NewTickBox(this, "MM2", QRect(120, 40, 101, 20), QStringLiteral("呼吸"));
    MM3 = VariantForm::NewTickBox(this, "MM3", QRect(230, 40, 101, 20), QStringLiteral("关闭"));
    label_14 = NewRowLabel(this, "label_14", QRect(10, 90, 81, 20), QStringLiteral("速度"));
    label_15 = NewRowLabel(this, "label_15", QRect(10, 120, 81, 20), QStringLiteral("亮度"));
    // Lines first, so a shown slider lies above its row's rule.
    line = NewLine(this, "line", QRect(99, 100, 241, 3));
    line_2 = NewLine(this, "line_2", QRect(99, 130, 241, 3));
    SpeedH = NewSlider(this, "SpeedH", QRect(99, 90, 241, 25), 5);
    LightH = NewSlider(this, "LightH", QRect(99, 120, 241, 25), 10);
    SpeedSpinBox = VariantForm::NewNumberBox(this, "SpeedSpinBox", QRect(340, 90, 50, 20), 1, 10, 11);
    SpeedSpinBox->setMinimumSize(50, 0);
    LightSpinBox = VariantForm::NewNumberBox(this, "LightSpinBox", QRect(340, 120, 50, 20), 1, 10, 11);
    QMetaObject::connectSlotsByName(this);

    modeGroup = new QButtonGroup(this);
    modeGroup->setExclusive(true);
    modeGroup->addButton(MM1);
    modeGroup->addButton(MM2);
    modeGroup->addButton(MM3);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    const QString labelColour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    for (QLabel* text : {label, label_15, label_14})
        text->setStyleSheet(VariantForm::CaptionStyle());
    for (QCheckBox* box : {MM1, MM2, MM3})
        box->setStyleSheet(VariantForm::TickBoxStyle(pictureFolder));
    const QString sliderStyle = PanelStyle::SliderStyle(pictureFolder);
    SpeedH->setStyleSheet(sliderStyle);
    LightH->setStyleSheet(sliderStyle);
    const QString numberStyle = QStringLiteral("QSpinBox{color: ") + labelColour
        + QStringLiteral(";background-color: transparent;border: 0px;}");
    SpeedSpinBox->setStyleSheet(numberStyle);
    LightSpinBox->setStyleSheet(numberStyle);
}

bool SensorEffectB::GuardOpen()
{
    return deviceSendEnabled && !sensorPageFilling;
}

void SensorEffectB::ApplyLayout(int effect)
{
    // Each rule shows while its row's slider is hidden.
    LightLevelSlider::ShowRow(SpeedH, SpeedSpinBox, line, effect == 2);
    LightLevelSlider::ShowRow(LightH, LightSpinBox, line_2, effect == 1);
}

void SensorEffectB::WriteEffect(int effect)
{
    // The mouse keeps its effect: its box and layout are shown again.
    if (GuardOpen() && !DeviceSettingSetters::SetDpiLedMode(effect))
        ShowHeldIndicator();
}

void SensorEffectB::ShowHeldIndicator()
{
    const FlashDataMap held = CurrentFlashMapLock::Snapshot();
    SetMode(held.dpiLed.on ? held.dpiLed.effect : 0);
    const QSignalBlocker speedBlock(SpeedH);
    const QSignalBlocker lightBlock(LightH);
    SpeedH->setValue(held.dpiLed.speed);
    SpeedSpinBox->setValue(SpeedH->value());
    LightH->setValue(SensorEffect::BrightnessLevel(held.dpiLed.brightness));
    LightSpinBox->setValue(LightH->value());
}

void SensorEffectB::on_MM1_clicked(bool checked)
{
    if (!checked)
        return;
    ApplyLayout(1);
    WriteEffect(1);
}

void SensorEffectB::on_MM2_clicked(bool checked)
{
    if (!checked)
        return;
    ApplyLayout(2);
    WriteEffect(2);
}

void SensorEffectB::on_MM3_clicked(bool checked)
{
    if (!checked)
        return;
    ApplyLayout(0);
    WriteEffect(0);
}

void SensorEffectB::on_Model_currentIndexChanged(int index)
{
    // Only the three effects exist; any other index would put an unknown
    // effect into the mouse.
    if (index < 0 || index > 2)
        return;
    ApplyLayout(index);
    WriteEffect(index);
}

void SensorEffectB::on_SpeedH_sliderMoved(int position)
{
    SpeedSpinBox->setValue(position);
}

void SensorEffectB::on_SpeedH_valueChanged(int value)
{
    SpeedSpinBox->setValue(value);
    if (GuardOpen() && !DeviceSettingSetters::SetDpiLedSpeed(value))
        ShowHeldIndicator();
}

void SensorEffectB::on_LightH_sliderMoved(int position)
{
    LightSpinBox->setValue(position);
}

void SensorEffectB::on_LightH_valueChanged(int value)
{
    LightSpinBox->setValue(value);
    if (GuardOpen() && !DeviceSettingSetters::SetDpiLedBrightness(SensorEffect::BrightnessCode(value)))
        ShowHeldIndicator();
}

void SensorEffectB::SetSlidersEnabled(bool on)
{
    SpeedH->setEnabled(on);
    LightH->setEnabled(on);
}

void SensorEffectB::SetMode(int mode)
{
    QCheckBox* box = mode == 0 ? MM3 : mode == 1 ? MM1 : mode == 2 ? MM2 : nullptr;
    if (!box)
        return;
    const QSignalBlocker speedBlock(SpeedH);
    const QSignalBlocker lightBlock(LightH);
    box->setChecked(true);
    ApplyLayout(mode);
}

void SensorEffectB::SetModeText(int mode, const QString& text)
{
    QCheckBox* box = mode == 0 ? MM3 : mode == 1 ? MM1 : mode == 2 ? MM2 : nullptr;
    if (box)
        box->setText(text);
}

void SensorEffectB::SetTitleText(const QString& text)
{
    label->setText(text);
}

void SensorEffectB::SetSpeedLabelText(const QString& text)
{
    label_14->setText(text);
}

void SensorEffectB::SetBrightnessLabelText(const QString& text)
{
    label_15->setText(text);
}

// The sliders' signals stay open: a changed value is written as a user's
// is, unless the guard stops it (a host fills with sensorPageFilling set).
void SensorEffectB::SetSpeed(int value)
{
    SpeedH->setValue(value);
}

void SensorEffectB::SetBrightnessLevel(int level)
{
    LightH->setValue(level);
}
