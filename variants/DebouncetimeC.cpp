#include "variants/DebouncetimeC.h"

#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QSpinBox>
#include <QToolButton>

namespace {

const int kHighest = 20;
const int kLowest = 1;

} // namespace

DebouncetimeC::DebouncetimeC(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "DebouncetimeC", 165, 37);
    AddLevelA = new QToolButton(this);
    AddLevelA->setObjectName(QStringLiteral("AddLevelA"));
    AddLevelA->setGeometry(140, 15, 14, 14);
    AddLevelA->setMinimumSize(14, 14);
    AddLevelA->setMaximumSize(14, 14);
    AddLevelA->setFocusPolicy(Qt::NoFocus);
    AddLevelA->setAutoRaise(true);
    ReduceLevelA = new QToolButton(this);
    ReduceLevelA->setObjectName(QStringLiteral("ReduceLevelA"));
    ReduceLevelA->setGeometry(20, 22, 14, 4);
    ReduceLevelA->setMinimumSize(14, 4);
    ReduceLevelA->setMaximumSize(14, 4);
    ReduceLevelA->setFocusPolicy(Qt::NoFocus);
    ReduceLevelA->setText(QStringLiteral("..."));
    ReduceLevelA->setAutoRaise(true);
    spinBoxA = VariantForm::NewNumberBox(this, "spinBoxA", QRect(40, 5, 91, 31), 0, kHighest, 10);
    QMetaObject::connectSlotsByName(this);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    spinBoxA->setStyleSheet(VariantForm::BorderedNumberStyle());
    ReduceLevelA->setStyleSheet(QStringLiteral("#ReduceLevelA{background-image: url(") + pictureFolder
                                + QStringLiteral("Reduce.png);border:0px;background-position:center;"
                                                 "background-repeat:no-repeat;}"));
    AddLevelA->setStyleSheet(QStringLiteral("#AddLevelA{background-image: url(") + pictureFolder
                             + QStringLiteral("Add.png);border:0px;background-position:center;"
                                              "background-repeat:no-repeat;}"));
}

void DebouncetimeC::Write()
{
    // The mouse keeps its time: the number shows it again.
    if (deviceSendEnabled && !DeviceSettingSetters::SetDebounceTime(spinBoxA->value()))
        spinBoxA->setValue(CurrentFlashMapLock::Snapshot().debounceTime);
}

void DebouncetimeC::on_AddLevelA_clicked()
{
    if (spinBoxA->value() == kHighest)
        return;
    spinBoxA->setValue(spinBoxA->value() + 1);
    Write();
}

void DebouncetimeC::on_ReduceLevelA_clicked()
{
    if (spinBoxA->value() == kLowest)
        return;
    // Before any fill the number is 0; the box does not go below it.
    spinBoxA->setValue(spinBoxA->value() - 1);
    Write();
}

void DebouncetimeC::SetDebounceValue(int value)
{
    spinBoxA->setValue(value);
}

void DebouncetimeC::SetItemUnit(int index, const QString& unit)
{
    Q_UNUSED(index)
    spinBoxA->setSuffix(unit);
}
