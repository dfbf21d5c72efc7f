#include "lighting/ReceiveLight.h"

#include "widgets/MyConmboBox.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {

QSlider* NewSlider(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(geometry);
    slider->setRange(1, 10);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QSpinBox* NewBox(QWidget* parent, const char* name, const QRect& geometry, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setRange(minimum, maximum);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

} // namespace

ReceiveLight::ReceiveLight(QWidget* parent)
    : QFrame(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("ReceiveLight"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(781, 471);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    LightMod_2 = new MyConmboBox(this);
    LightMod_2->setObjectName(QStringLiteral("LightMod_2"));
    LightMod_2->setGeometry(67, 112, 308, 34);
    LightMod_2->setFocusPolicy(Qt::NoFocus);
    LightMod_2->addItems({QStringLiteral("关闭"), QStringLiteral("彩色流动"), QStringLiteral("单色呼吸"),
                          QStringLiteral("混色常亮"), QStringLiteral("霓虹"), QStringLiteral("混彩呼吸"),
                          QStringLiteral("新建项目")});
    horizontalLight_2 = NewSlider(this, "horizontalLight_2", QRect(67, 215, 281, 25));
    LightSpinBox_3 = NewBox(this, "LightSpinBox_3", QRect(350, 218, 38, 20), 1, 10);
    LightSpinBox_3->setReadOnly(true);
    horizontalSpeed_2 = NewSlider(this, "horizontalSpeed_2", QRect(68, 300, 281, 25));
    SpeedSpinBox_3 = NewBox(this, "SpeedSpinBox_3", QRect(350, 300, 38, 20), 1, 10);
    SpeedSpinBox_3->setReadOnly(true);
    RSpinBox_2 = NewBox(this, "RSpinBox_2", QRect(613, 220, 45, 20), 0, 255);
    GSpinBox_2 = NewBox(this, "GSpinBox_2", QRect(613, 258, 45, 20), 0, 255);
    BSpinBox_2 = NewBox(this, "BSpinBox_2", QRect(613, 296, 45, 20), 0, 255);
    labelPreView_2 = new QLabel(this);
    labelPreView_2->setObjectName(QStringLiteral("labelPreView_2"));
    labelPreView_2->setGeometry(450, 238, 60, 60);
}

ReceiveLight::~ReceiveLight() = default;

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
    labelPreView_2->setStyleSheet(PanelStyle::SwatchStyle(red, green, blue));
}
