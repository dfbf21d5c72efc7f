#include "sensor/LongMode.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/ROZUri.h"
#include "sensor/AdvancedPanelForm.h"
#include "widgets/PanelStyle.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

LongMode::LongMode(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("LongMode"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(809, 97);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Advanced"));

    QToolButton* marker = AdvancedPanelForm::NewTitleMarker(this, "TitleButton_3", QRect(40, 10, 16, 10));
    marker->setStyleSheet(PanelStyle::TitleMarkerStyle(marker->objectName(), pictureDir));
    label_5 = AdvancedPanelForm::NewLabel(this, "label_5", QRect(68, 3, 351, 21));
    checkBox = new QCheckBox(this);
    checkBox->setObjectName(QStringLiteral("checkBox"));
    checkBox->setGeometry(68, 38, 16, 16);
    checkBox->setStyleSheet(QStringLiteral("QCheckBox{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor"))
                            + QStringLiteral(";}QCheckBox::indicator:checked{image: ")
                            + PanelStyle::Url(pictureDir, "CheckBoxChecked.png")
                            + QStringLiteral(";}QCheckBox::indicator:unchecked{image: ")
                            + PanelStyle::Url(pictureDir, "CheckBox.png") + QStringLiteral(";}"));
    label_6 = AdvancedPanelForm::NewLabel(this, "label_6", QRect(90, 35, 691, 51));
    label_6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_6->setWordWrap(true);

    QMetaObject::connectSlotsByName(this);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

LongMode::~LongMode() = default;

void LongMode::setModeChecked(bool on)
{
    // The state the receiver reported: shown, not sent back.
    const QSignalBlocker blocker(checkBox);
    checkBox->setChecked(on);
}

void LongMode::SlotAllLanguage(int index)
{
    const QString section = QStringLiteral("AdvancedSettings");
    label_5->setText(LanguageTables::Text(index, section, QStringLiteral("LongDistance")));
    label_6->setText(LanguageTables::Text(index, section, QStringLiteral("LongDistanceTips")));
}

void LongMode::on_checkBox_toggled(bool checked)
{
    if (!deviceSendEnabled)
        return;
    const QByteArray path = CurrentDevice::Path();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) != 0) {
        UsbFinderC_SetLongRangeMode(path.constData(), checked ? 1 : 0);
        return;
    }
    PostMsg::Instance()->EmitSigMouseOffLineo(0);
    const QSignalBlocker blocker(checkBox);
    checkBox->setChecked(!checked);
}
