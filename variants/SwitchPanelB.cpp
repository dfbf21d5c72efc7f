#include "variants/SwitchPanelB.h"

#include "device/DeviceLinkState.h"
#include "variants/VariantForm.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QToolButton>

SwitchPanelB::SwitchPanelB(QWidget* parent, const char* className, const char* switchName, const QString& caption,
                           bool (*writer)(int))
    : QFrame(parent)
    , writer(writer)
{
    VariantForm::SetUpPanel(this, className, 204, 31);

    switchButton = new QToolButton(this);
    switchButton->setObjectName(QLatin1String(switchName));
    switchButton->setGeometry(165, 0, 36, 18);
    switchButton->setMinimumSize(36, 18);
    switchButton->setMaximumSize(36, 18);
    switchButton->setFocusPolicy(Qt::NoFocus);
    switchButton->setCheckable(true);
    switchButton->setAutoRaise(false);

    label = VariantForm::NewCaption(this, QRect(0, 0, 161, 31), caption, Qt::AlignRight | Qt::AlignTop);

    pictureFolder = PanelStyle::PictureFolder(QStringLiteral("Sensor"));
    label->setStyleSheet(VariantForm::CaptionStyle());
    const QString id = QLatin1Char('#') + QLatin1String(switchName);
    switchButton->setStyleSheet(id
                                + QStringLiteral("{color: rgb(255, 255, 255);border:0px;background-position:center;"
                                                 "background-repeat:no-repeat;background-image: url(")
                                + pictureFolder + QStringLiteral("Close.png);}") + id
                                + QStringLiteral(":checked{background-image: url(") + pictureFolder
                                + QStringLiteral("Open.png);}"));
}

void SwitchPanelB::SwitchClicked(bool checked)
{
    if (!deviceSendEnabled)
        return;
    // The mouse keeps its state: so does the switch.
    if (!writer(checked ? 1 : 0)) {
        const QSignalBlocker blocker(switchButton);
        switchButton->setChecked(!checked);
    }
}

void SwitchPanelB::SetSwitchChecked(bool on)
{
    switchButton->setChecked(on);
}

void SwitchPanelB::SetTitleText(const QString& text)
{
    label->setText(text);
}

void SwitchPanelB::SetTitleToolTip(const QString& text)
{
    label->setToolTip(text);
}
