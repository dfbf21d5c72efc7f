#include "sensor/SensorEffect.h"

#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "lighting/LightLevelSlider.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelForm.h"
#include "widgets/PanelStyle.h"

#include <QFont>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using PanelForm::NewLabel;
using PanelForm::NewLine;
using PanelForm::NewSlider;
using PanelForm::NewToolButton;
using PanelForm::NewValueBox;

namespace {

const int kBrightnessCodes[10] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};

} // namespace

SensorEffect::SensorEffect(QWidget* parent)
    : QFrame(parent)
{
    BuildForm();
    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    ApplyStyles();
}

SensorEffect::~SensorEffect() = default;

void SensorEffect::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("SensorEffect"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(778, 144);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    label = NewLabel(this, "label", QRect(33, 3, 131, 21), QStringLiteral("DPI灯效"));
    Model = new MyConmboBox(this);
    Model->setObjectName(QStringLiteral("Model"));
    Model->setGeometry(33, 47, 308, 30);
    Model->setFixedSize(308, 30);
    Model->setFont(PanelForm::YaHei(11));
    Model->setFocusPolicy(Qt::NoFocus);
    // The language table names the items; Chinese placeholders would be laid
    // out, and a CJK font looked up, each time the popup list is restyled.
    for (int i = 0; i < 3; ++i)
        Model->addItem(QString());
    label_14 = NewLabel(this, "label_14", QRect(379, 47, 81, 20), QStringLiteral("速度"));
    label_14->setAlignment(Qt::AlignCenter);
    label_15 = NewLabel(this, "label_15", QRect(379, 75, 81, 20), QStringLiteral("亮度"));
    label_15->setAlignment(Qt::AlignCenter);
    SpeedH = NewSlider(this, "SpeedH", QRect(463, 47, 257, 25), 5);
    LightH = NewSlider(this, "LightH", QRect(463, 75, 257, 25), 10);
    line = NewLine(this, "line", QRect(463, 57, 257, 3));
    line_2 = NewLine(this, "line_2", QRect(463, 85, 257, 3));
    SpeedSpinBox = NewValueBox(this, "SpeedSpinBox", QRect(723, 49, 50, 20));
    SpeedSpinBox->setMinimumWidth(50);
    LightSpinBox = NewValueBox(this, "LightSpinBox", QRect(723, 73, 50, 20));
    LightSpinBox->setMinimumWidth(50);
    TitleButton_3 = NewToolButton(this, QStringLiteral("TitleButton_3"), QRect(5, 10, 16, 10));
    TitleButton_3->setEnabled(false);
    TitleButton_3->setAutoRaise(true);

    QMetaObject::connectSlotsByName(this);
}

void SensorEffect::ApplyStyles()
{
    TitleButton_3->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_3->objectName(), pictureFolder));
    for (QLabel* text : {label, label_14, label_15})
        text->setStyleSheet(PanelStyle::LabelStyle());
    PanelStyle::SetPanelComboFace(Model, pictureFolder);
    PanelStyle::InstallComboList(Model, Model->maxVisibleItems());
    SpeedH->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    LightH->setStyleSheet(PanelStyle::SliderStyle(pictureFolder));
    SpeedSpinBox->setStyleSheet(PanelStyle::ValueBoxStyle());
    LightSpinBox->setStyleSheet(PanelStyle::ValueBoxStyle());
}

int SensorEffect::BrightnessCode(int level)
{
    if (level < 1 || level > 10)
        return level;
    return kBrightnessCodes[level - 1];
}

int SensorEffect::BrightnessLevel(int code)
{
    for (int i = 0; i < 10; ++i) {
        if (kBrightnessCodes[i] == code)
            return i + 1;
    }
    return code;
}

void SensorEffect::ApplyLayout(int effect)
{
    bool speed = false;
    bool brightness = false;
    switch (effect) {
    case 0: break;
    case 1: brightness = true; break;
    case 2: speed = true; break;
    default: return;
    }
    LightLevelSlider::ShowRow(SpeedH, SpeedSpinBox, line, speed);
    LightLevelSlider::ShowRow(LightH, LightSpinBox, line_2, brightness);
}

void SensorEffect::SetMode(int effect)
{
    {
        const QSignalBlocker block(Model);
        Model->setCurrentIndex(effect);
    }
    rememberedEffect = effect;
    const QSignalBlocker blockSpeed(SpeedH);
    const QSignalBlocker blockLight(LightH);
    ApplyLayout(effect);
}

void SensorEffect::SetSpeed(int speed)
{
    {
        const QSignalBlocker block(SpeedH);
        SpeedH->setValue(speed);
    }
    SpeedSpinBox->setValue(speed);
}

void SensorEffect::SetBrightnessLevel(int level)
{
    {
        const QSignalBlocker block(LightH);
        LightH->setValue(level);
    }
    LightSpinBox->setValue(level);
}

void SensorEffect::SetSlidersEnabled(bool enabled)
{
    SpeedH->setEnabled(enabled);
    LightH->setEnabled(enabled);
}

void SensorEffect::UnblockSliders()
{
    SpeedH->setEnabled(true);
    LightH->setEnabled(true);
    SpeedH->blockSignals(false);
    LightH->blockSignals(false);
}

void SensorEffect::SetModeText(int item, const QString& text)
{
    Model->setItemText(item, text);
}

void SensorEffect::SetTitleText(const QString& text)
{
    label->setText(text);
}

void SensorEffect::SetSpeedLabelText(const QString& text)
{
    label_14->setText(text);
}

void SensorEffect::SetBrightnessLabelText(const QString& text)
{
    label_15->setText(text);
}

void SensorEffect::SetModeEnabled(bool enabled)
{
    Model->setEnabled(enabled);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    if (deviceSendEnabled && !sensorPageFilling) {
        if (!DeviceSettingSetters::SetDpiLedMode(index)) {
            SetMode(rememberedEffect);
            return;
        }
        rememberedEffect = index;
    }
    ApplyLayout(index);
}

void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    LightLevelSlider::DragCheck(SpeedH, SpeedSpinBox, position);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    LightLevelSlider::Release(SpeedH, SpeedSpinBox, value, sensorPageFilling, &DeviceSettingSetters::SetDpiLedSpeed,
                              value);
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    LightLevelSlider::DragCheck(LightH, LightSpinBox, position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    LightLevelSlider::Release(LightH, LightSpinBox, value, sensorPageFilling,
                              &DeviceSettingSetters::SetDpiLedBrightness, BrightnessCode(value));
}
