#include "sensor/KFPS20.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "device/DeviceSettingSetters.h"
#include "sensor/AdvancedPanelForm.h"
#include "widgets/PanelStyle.h"

#include <QLabel>
#include <QToolButton>

KFPS20::KFPS20(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("KFPS20"));
    setWindowTitle(QStringLiteral("Frame"));
    resize(460, 59);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    pictureDir = PanelStyle::PictureFolder(QStringLiteral("Advanced"));

    QToolButton* marker = AdvancedPanelForm::NewTitleMarker(this, "TitleButton_2", QRect(40, 10, 16, 10));
    marker->setStyleSheet(PanelStyle::TitleMarkerStyle(marker->objectName(), pictureDir));
    label_3 = AdvancedPanelForm::NewLabel(this, "label_3", QRect(68, 3, 231, 21));
    KFPS = new QToolButton(this);
    KFPS->setObjectName(QStringLiteral("KFPS"));
    KFPS->setGeometry(68, 38, 36, 18);
    KFPS->setCheckable(true);
    KFPS->setFocusPolicy(Qt::NoFocus);
    KFPS->setMinimumSize(36, 18);
    KFPS->setMaximumSize(36, 18);
    KFPS->setStyleSheet(QStringLiteral("QToolButton{color: white; border: 0px; background-position: center; "
                                       "background-repeat: no-repeat; background-image: ")
                        + PanelStyle::Url(pictureDir, "Close.png")
                        + QStringLiteral(";}QToolButton:checked{background-image: ")
                        + PanelStyle::Url(pictureDir, "Open.png") + QStringLiteral(";}"));
    Error_2 = AdvancedPanelForm::NewTipIcon(this, "Error_2", QRect(200, 6, 16, 16), pictureDir);

    QMetaObject::connectSlotsByName(this);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

KFPS20::~KFPS20() = default;

void KFPS20::setSwitchChecked(bool on)
{
    KFPS->setChecked(on);
}

void KFPS20::moveTipIcon(int x, int y)
{
    Error_2->move(x, y);
}

void KFPS20::SlotAllLanguage(int index)
{
    const QString section = QStringLiteral("AdvancedSettings");
    label_3->setText(LanguageTables::Text(index, section, QStringLiteral("scanningTitle")));
    Error_2->setToolTip(LanguageTables::Text(index, section, QStringLiteral("scanningTips")));
}

void KFPS20::on_KFPS_clicked(bool checked)
{
    if (!DeviceSettingSetters::SetKfps20(checked ? 1 : 0))
        KFPS->setChecked(!checked);
}
