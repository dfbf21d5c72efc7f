#include "variants/StopCloseTimeB.h"

#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/SleepTimeTable.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

StopCloseTimeB::StopCloseTimeB(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "StopCloseTimeB", 277, 28);
    StopClose = new QSlider(Qt::Horizontal, this);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(0, 5, 201, 20);
    StopClose->setRange(1, SleepTimeTable::kCount);
    StopClose->setPageStep(1);
    StopClose->setTracking(false);
    StopClose->setFocusPolicy(Qt::NoFocus);
    spinBoxA = VariantForm::NewNumberBox(this, "spinBoxA", QRect(205, 5, 66, 20), 1, 100, 10);
    QMetaObject::connectSlotsByName(this);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    spinBoxA->setStyleSheet(VariantForm::BorderedNumberStyle());
    StopClose->setStyleSheet(VariantForm::ThinSliderStyle(pictureFolder));
}

void StopCloseTimeB::ShowPosition(int position)
{
    const int code = SleepTimeTable::CodeOfIndex(position - 1);
    if (code < 0)
        return;
    const int seconds = SleepTimeTable::Seconds(code);
    const bool inSeconds = seconds < 60;
    spinBoxA->setValue(inSeconds ? seconds : seconds / 60);
    spinBoxA->setSuffix(inSeconds ? secondsSuffix : minutesSuffix);
}

void StopCloseTimeB::on_StopClose_sliderMoved(int position)
{
    ShowPosition(position);
}

void StopCloseTimeB::on_StopClose_valueChanged(int value)
{
    ShowPosition(value);
    const int code = SleepTimeTable::CodeOfIndex(value - 1);
    if (code < 0 || !deviceSendEnabled || lightPageFilling || DeviceSettingSetters::SetSleepTime(code))
        return;
    // The mouse keeps its time: the slider and the number show it again.
    const int held = CurrentFlashMapLock::Snapshot().sleepTime;
    for (int index = 0; index < SleepTimeTable::kCount; ++index) {
        if (SleepTimeTable::CodeOfIndex(index) == held)
            SetSleepIndex(index);
    }
}

void StopCloseTimeB::SetSleepIndex(int index)
{
    const QSignalBlocker block(StopClose);
    StopClose->setValue(index + 1);
    // An index outside the table shows the position the slider kept.
    ShowPosition(StopClose->value());
}

void StopCloseTimeB::SetItemText(int index, const QString& text)
{
    if (index == 0)
        secondsSuffix = QString(text).remove(QStringLiteral("10"));
    else if (index == 5)
        minutesSuffix = QString(text).remove(QStringLiteral("15"));
    else
        return;
    ShowPosition(StopClose->value());
}
