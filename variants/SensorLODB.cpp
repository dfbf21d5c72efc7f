#include "variants/SensorLODB.h"

#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

namespace {

// Record codes of byte 5.
const int kCode1mm = 1;
const int kCode2mm = 2;
const int kCode07mm = 3;

} // namespace

SensorLODB::SensorLODB(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "SensorLODB", 338, 20);
    label = VariantForm::NewCaption(this, QRect(0, 0, 71, 17), QStringLiteral(" LOD"),
                                    Qt::AlignLeft | Qt::AlignVCenter);
    MM0 = VariantForm::NewTickBox(this, "MM0", QRect(80, 0, 81, 20), QStringLiteral("0mm"));
    MM1 = VariantForm::NewTickBox(this, "MM1", QRect(165, 0, 81, 20), QStringLiteral("1mm"));
    MM2 = VariantForm::NewTickBox(this, "MM2", QRect(250, 0, 81, 20), QStringLiteral("2mm"));
    QMetaObject::connectSlotsByName(this);

    group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(MM0);
    group->addButton(MM1);
    group->addButton(MM2);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    label->setStyleSheet(VariantForm::CaptionStyle());
    // The 0.7 mm choice is styled like the others: with the standard
    // indicator its dark text vanished on the dark page.
    MM0->setStyleSheet(VariantForm::TickBoxStyle(pictureFolder));
    MM1->setStyleSheet(VariantForm::TickBoxStyle(pictureFolder));
    MM2->setStyleSheet(VariantForm::TickBoxStyle(pictureFolder));
    MM0->hide();
}

void SensorLODB::Write(int code)
{
    if (!deviceSendEnabled || sensorPageFilling || DeviceSettingSetters::SetLiftOffDistance(code))
        return;
    // The mouse keeps its distance: its box is ticked again.
    const int held = CurrentFlashMapLock::Snapshot().liftOffDistance;
    QCheckBox* box = held == kCode1mm ? MM1 : held == kCode2mm ? MM2 : held == kCode07mm ? MM0 : nullptr;
    const QSignalBlocker blocker(group);
    if (box) {
        box->setChecked(true);
    } else if (QAbstractButton* ticked = group->checkedButton()) {
        group->setExclusive(false);
        ticked->setChecked(false);
        group->setExclusive(true);
    }
}

void SensorLODB::on_MM0_clicked()
{
    Write(kCode07mm);
}

void SensorLODB::on_MM1_clicked()
{
    Write(kCode1mm);
}

void SensorLODB::on_MM2_clicked()
{
    Write(kCode2mm);
}

void SensorLODB::ShowSubMillimetreOption()
{
    MM0->show();
    MM0->move(80, 0);
    MM1->move(165, 0);
    MM2->move(250, 0);
}

void SensorLODB::HideSubMillimetreOption()
{
    MM0->hide();
    MM1->move(80, 0);
    MM2->move(165, 0);
}

void SensorLODB::SetOptionsEnabled(bool on)
{
    MM2->setEnabled(on);
    MM1->setEnabled(on);
}

void SensorLODB::SetLodIndex(int index)
{
    if (index == 0)
        MM1->setChecked(true);
    else if (index == 1)
        MM2->setChecked(true);
    else if (index == 2 && !MM0->isHidden())
        MM0->setChecked(true);
}

void SensorLODB::SetTitleText(const QString& text)
{
    label->setText(text);
}

void SensorLODB::SetTitleToolTip(const QString& text)
{
    label->setToolTip(text);
}
