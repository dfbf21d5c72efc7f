#include "sensor/SensorEffect.h"

#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"

#include <QFont>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

const int kBrightnessCodes[10] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};

QFont PanelFont()
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(11);
    return font;
}

QFrame* NewLine(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    return line;
}

QSlider* NewSlider(QWidget* parent, const char* name, const QRect& geometry, int maximum)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(geometry);
    slider->setRange(1, maximum);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QSpinBox* NewValueBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setMinimumWidth(50);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setWrapping(false);
    box->setRange(1, 10);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(PanelFont());
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(PanelFont());
    return label;
}

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
    Model->setFont(PanelFont());
    Model->setFocusPolicy(Qt::NoFocus);
    Model->addItems({QStringLiteral("关闭"), QStringLiteral("常亮"), QStringLiteral("呼吸")});
    label_14 = NewLabel(this, "label_14", QRect(379, 47, 81, 20), QStringLiteral("速度"));
    label_14->setAlignment(Qt::AlignCenter);
    label_15 = NewLabel(this, "label_15", QRect(379, 75, 81, 20), QStringLiteral("亮度"));
    label_15->setAlignment(Qt::AlignCenter);
    SpeedH = NewSlider(this, "SpeedH", QRect(463, 47, 257, 25), 5);
    LightH = NewSlider(this, "LightH", QRect(463, 75, 257, 25), 10);
    line = NewLine(this, "line", QRect(463, 57, 257, 3));
    line_2 = NewLine(this, "line_2", QRect(463, 85, 257, 3));
    SpeedSpinBox = NewValueBox(this, "SpeedSpinBox", QRect(723, 49, 50, 20));
    LightSpinBox = NewValueBox(this, "LightSpinBox", QRect(723, 73, 50, 20));
    TitleButton_3 = new QToolButton(this);
    TitleButton_3->setObjectName(QStringLiteral("TitleButton_3"));
    TitleButton_3->setGeometry(5, 10, 16, 10);
    TitleButton_3->setFixedSize(16, 10);
    TitleButton_3->setEnabled(false);
    TitleButton_3->setAutoRaise(true);
    TitleButton_3->setFocusPolicy(Qt::NoFocus);

    QMetaObject::connectSlotsByName(this);
}

void SensorEffect::ApplyStyles()
{
    TitleButton_3->setStyleSheet(PanelStyle::TitleMarkerStyle(TitleButton_3->objectName(), pictureFolder));
    for (QLabel* text : {label, label_14, label_15})
        text->setStyleSheet(PanelStyle::LabelStyle());
    Model->setStyleSheet(PanelStyle::ComboBoxStyle(pictureFolder));
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
    SpeedH->setVisible(speed);
    SpeedSpinBox->setVisible(speed);
    LightH->setVisible(brightness);
    LightSpinBox->setVisible(brightness);
    line->setVisible(!speed);
    line_2->setVisible(!brightness);
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

void SensorEffect::DragCheck(QSlider* slider, QSpinBox* box, int position)
{
    if (!slider->isEnabled())
        return;
    slider->setEnabled(false);
    if (!DeviceSettingSetters::IsDeviceOnline()) {
        slider->setValue(box->value());
        return;
    }
    slider->setEnabled(true);
    box->setValue(position);
}

void SensorEffect::ValueChange(QSlider* slider, QSpinBox* box, int value, bool (*writer)(int), int code)
{
    if (!slider->isEnabled()) {
        slider->setValue(box->value());
        return;
    }
    if (!deviceSendEnabled || sensorPageFilling)
        return;
    if (!writer(code)) {
        const QSignalBlocker block(slider);
        slider->setEnabled(false);
        slider->setValue(box->value());
        return;
    }
    box->setValue(value);
}

void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    DragCheck(SpeedH, SpeedSpinBox, position);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    ValueChange(SpeedH, SpeedSpinBox, value, &DeviceSettingSetters::SetDpiLedSpeed, value);
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    DragCheck(LightH, LightSpinBox, position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    ValueChange(LightH, LightSpinBox, value, &DeviceSettingSetters::SetDpiLedBrightness, BrightnessCode(value));
}
