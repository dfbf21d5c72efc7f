#include "variants/SensorRateB.h"

#include "app/PostMsg.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/SensorRate.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

static_assert(SensorRate::kRateCount == 7, "one tick box per rate");

namespace {

const char* const kBoxNames[7] = {"Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
                                  "Button2000HZ", "Button4000HZ", "Button8000HZ"};

} // namespace

SensorRateB::SensorRateB(QWidget* parent)
    : QFrame(parent)
{
    VariantForm::SetUpPanel(this, "SensorRateB", 820, 38);
    label = VariantForm::NewCaption(this, QRect(0, 0, 100, 31), QStringLiteral("回报率"),
                                    Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < kRateCount; ++i)
        rateBoxes[i] = VariantForm::NewTickBox(this, kBoxNames[i], QRect(100 * (i + 1), 7, 101, 20),
                                               QStringLiteral("%1HZ").arg(SensorRate::RateOfIndex(i)));
    QMetaObject::connectSlotsByName(this);

    rateGroup = new QButtonGroup(this);
    rateGroup->setExclusive(true);
    for (QCheckBox* box : rateBoxes)
        rateGroup->addButton(box);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    label->setStyleSheet(VariantForm::CaptionStyle());
    for (QCheckBox* box : rateBoxes)
        box->setStyleSheet(VariantForm::TickBoxStyle(pictureFolder));
}

void SensorRateB::RateClicked(int index, bool checked)
{
    if (!checked || !deviceSendEnabled)
        return;
    if (DeviceSettingSetters::SetReportRate(SensorRate::CodeOfIndex(index))) {
        PostMsg::Instance()->EmitSigHideModel(SensorRate::RateOfIndex(index) > 1000 ? 1 : 0);
        return;
    }
    // The mouse keeps its rate: its box is ticked again.
    const int held = CurrentFlashMapLock::Snapshot().reportRate;
    for (int i = 0; i < kRateCount; ++i) {
        if (SensorRate::CodeOfIndex(i) == held)
            SetRateIndex(i);
    }
}

void SensorRateB::on_Button125HZ_clicked(bool checked)
{
    RateClicked(0, checked);
}

void SensorRateB::on_Button250HZ_clicked(bool checked)
{
    RateClicked(1, checked);
}

void SensorRateB::on_Button500HZ_clicked(bool checked)
{
    RateClicked(2, checked);
}

void SensorRateB::on_Button1000HZ_clicked(bool checked)
{
    RateClicked(3, checked);
}

void SensorRateB::on_Button2000HZ_clicked(bool checked)
{
    RateClicked(4, checked);
}

void SensorRateB::on_Button4000HZ_clicked(bool checked)
{
    RateClicked(5, checked);
}

void SensorRateB::on_Button8000HZ_clicked(bool checked)
{
    RateClicked(6, checked);
}

void SensorRateB::SetRateIndex(int index)
{
    if (index >= 0 && index < kRateCount)
        rateBoxes[index]->setChecked(true);
}

void SensorRateB::SetRateLimit(int limitClass)
{
    if (limitClass < 0 || limitClass > 3)
        return;
    for (int i = 4; i < kRateCount; ++i)
        rateBoxes[i]->setVisible(SensorRate::IsRateOffered(limitClass, i));
}

void SensorRateB::SetTitleText(const QString& text)
{
    label->setText(text);
}
