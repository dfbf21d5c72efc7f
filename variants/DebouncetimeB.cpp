#include "variants/DebouncetimeB.h"

#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

DebouncetimeB::DebouncetimeB(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "DebouncetimeB", 280, 27, false);
    Debunce = new QSlider(Qt::Horizontal, this);
    Debunce->setObjectName(QStringLiteral("Debunce"));
    Debunce->setGeometry(0, 5, 201, 20);
    Debunce->setRange(1, 20);
    Debunce->setPageStep(1);
    Debunce->setTracking(false);
    Debunce->setFocusPolicy(Qt::NoFocus);
    spinBoxA = VariantForm::NewNumberBox(this, "spinBoxA", QRect(210, 5, 66, 20), 1, 20, 10);
    QMetaObject::connectSlotsByName(this);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    spinBoxA->setStyleSheet(VariantForm::BorderedNumberStyle());
    Debunce->setStyleSheet(VariantForm::ThinSliderStyle(pictureFolder));
}

void DebouncetimeB::on_Debunce_sliderMoved(int position)
{
    spinBoxA->setValue(position);
}

void DebouncetimeB::on_Debunce_valueChanged(int value)
{
    spinBoxA->setValue(value);
    // The mouse keeps its time: the slider and the number show it again.
    if (deviceSendEnabled && !DeviceSettingSetters::SetDebounceTime(value))
        SetDebounceValue(CurrentFlashMapLock::Snapshot().debounceTime);
}

void DebouncetimeB::SetDebounceValue(int value)
{
    const QSignalBlocker block(Debunce);
    Debunce->setValue(value);
    spinBoxA->setValue(Debunce->value());
}

void DebouncetimeB::SetItemUnit(int index, const QString& unit)
{
    Q_UNUSED(index)
    spinBoxA->setSuffix(unit);
}
