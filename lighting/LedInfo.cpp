#include "lighting/LedInfo.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/CurrentDevice.h"
#include "dialogs/NoticeFrame.h"
#include "widgets/PanelForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QTextEdit>
#include <QToolButton>

namespace {

const char kMeaningText[] =
    "<p style=\"font-family:'微软雅黑'; font-size:9pt;\">"
    "远距离模式（远距离模式下，距离会更远抗干扰能力更强，相应工作电流会加大，使用时间减少）</p>";

} // namespace

LedInfo::LedInfo(QWidget* parent)
    : QDialog(parent)
    , form(new Form)
{
    BuildForm();
    meaningGroup = new QButtonGroup(this);
    meaningGroup->setExclusive(true);
    pictureFolder = AppPaths::ApplicationFolder() + QStringLiteral("/Picture/FormSetting/");
    setWindowFlags(NoticeFrame::WindowFlags());

    const QString colour = ThemeColor::Rgb(QStringLiteral("LabelColor"));
    form->label_14->setStyleSheet(QStringLiteral("QLabel{color:") + colour + QStringLiteral(";}"));
    form->TitleButton_7->setStyleSheet(QStringLiteral("#TitleButton_7{border-image:url(") + pictureFolder
                                       + QStringLiteral("Title.png);}"));
    for (QCheckBox* box : {form->ReUntil, form->ReUntil_2, form->ReUntil_3})
        box->setStyleSheet(QStringLiteral("QCheckBox{color:") + colour
                           + QStringLiteral(";}QCheckBox::indicator:checked{image:url(") + pictureFolder
                           + QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator:unchecked{image:url(")
                           + pictureFolder + QStringLiteral("CheckBox2.png);}"));
    form->LedInfoFrame->setStyleSheet(QStringLiteral("#LedInfoFrame{border:0px;background-image:url(") + pictureFolder
                                      + QStringLiteral("Back.png);background-position:center;background-repeat:no-repeat;}"));
    for (QTextEdit* pane : {form->textEdit_2, form->textEdit_3, form->textEdit_4})
        pane->setStyleSheet(QLatin1Char('#') + pane->objectName()
                            + QStringLiteral("{border:transparent;background:transparent;color:") + colour
                            + QStringLiteral(";}"));
    form->CloseButton->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-image:url(") + pictureFolder
        + QStringLiteral("Close.png);background-position:center;background-repeat:no-repeat;}"
                         "QToolButton:hover{background-image:url(")
        + pictureFolder + QStringLiteral("CloseHover.png);}QToolButton:pressed{background-image:url(") + pictureFolder
        + QStringLiteral("CloseClick.png);}"));

    meaningGroup->addButton(form->ReUntil);
    meaningGroup->addButton(form->ReUntil_2);
    meaningGroup->addButton(form->ReUntil_3);
    PostMsg::Connect(SIGNAL(SigRGBValue(DongleRGB*)), this, SLOT(SlotRGBValue(DongleRGB*)));
    // Its fonts stay as the form set them: it is not scaled for the screen.
}

LedInfo::~LedInfo()
{
    delete form;
}

void LedInfo::BuildForm()
{
    setObjectName(QStringLiteral("LedInfo"));
    setWindowTitle(QStringLiteral("Dialog"));
    resize(638, 318);

    form->LedInfoFrame = new QFrame(this);
    form->LedInfoFrame->setObjectName(QStringLiteral("LedInfoFrame"));
    form->LedInfoFrame->setGeometry(0, 0, 638, 318);
    form->LedInfoFrame->setFrameShape(QFrame::StyledPanel);
    form->LedInfoFrame->setFrameShadow(QFrame::Raised);

    form->TitleButton_7 = new QToolButton(form->LedInfoFrame);
    form->TitleButton_7->setObjectName(QStringLiteral("TitleButton_7"));
    form->TitleButton_7->setGeometry(40, 40, 16, 10);
    form->TitleButton_7->setFixedSize(16, 10);
    form->TitleButton_7->setEnabled(false);
    form->TitleButton_7->setFocusPolicy(Qt::NoFocus);
    form->TitleButton_7->setAutoRaise(true);

    form->label_14 = new QLabel(form->LedInfoFrame);
    form->label_14->setObjectName(QStringLiteral("label_14"));
    form->label_14->setGeometry(70, 33, 501, 21);
    form->label_14->setFont(PanelForm::YaHei(11));
    form->label_14->setText(QStringLiteral("选择接收器上的LED指示灯所传达的信息"));

    QCheckBox** boxes[] = {&form->ReUntil, &form->ReUntil_2, &form->ReUntil_3};
    QTextEdit** panes[] = {&form->textEdit_2, &form->textEdit_3, &form->textEdit_4};
    const char* boxNames[] = {"ReUntil", "ReUntil_2", "ReUntil_3"};
    const char* paneNames[] = {"textEdit_2", "textEdit_3", "textEdit_4"};
    const int rows[] = {60, 130, 200};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(form->LedInfoFrame);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setGeometry(70, rows[i], 16, 31);
        box->setFont(PanelForm::YaHei(9));
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        box->setPalette(palette);
        box->setFocusPolicy(Qt::NoFocus);
        box->setLayoutDirection(Qt::LeftToRight);
        box->setChecked(false);
        box->setTristate(false);
        *boxes[i] = box;

        auto* pane = new QTextEdit(form->LedInfoFrame);
        pane->setObjectName(QString::fromLatin1(paneNames[i]));
        pane->setGeometry(90, rows[i], 520, 71);
        pane->setEnabled(false);
        pane->setReadOnly(true);
        QFont font = PanelForm::YaHei(9);
        font.setBold(false);
        font.setItalic(false);
        pane->setFont(font);
        pane->setFocusPolicy(Qt::NoFocus);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setHtml(QString::fromUtf8(kMeaningText));
        *panes[i] = pane;
    }

    form->CloseButton = new QToolButton(form->LedInfoFrame);
    form->CloseButton->setObjectName(QStringLiteral("CloseButton"));
    form->CloseButton->setGeometry(610, 10, 20, 20);
    form->CloseButton->setFixedSize(20, 20);
    form->CloseButton->setFocusPolicy(Qt::NoFocus);
    form->CloseButton->setIconSize(QSize(30, 30));
    form->CloseButton->setAutoRaise(true);
    connect(form->CloseButton, &QToolButton::clicked, this, &LedInfo::on_CloseButton_clicked);
}

void LedInfo::SlotRGBValue(DongleRGB* Rgb)
{
    const DeviceAllInfo device = CurrentDevice::Info();
    const QStringList advanced
        = ConfigSettings::Instance()->ListValue(ConfigSettings::ModelGroup(device.modelIndex), QStringLiteral("Adveanced"));
    // A model without a second Adveanced item has no LED setting either.
    if (advanced.size() < 2 || advanced.at(1) == QLatin1String("-1") || device.wired
        || device.connectionKind != ConnectionReceiver4K)
        return;
    for (QWidget* widget : std::initializer_list<QWidget*>{form->TitleButton_7, form->label_14, form->ReUntil,
                                                           form->ReUntil_2, form->ReUntil_3, form->textEdit_2,
                                                           form->textEdit_3, form->textEdit_4})
        widget->setVisible(true);
    if (!Rgb)
        return;
    switch (Rgb->bytes[0]) {
    case 1:
        form->ReUntil->setChecked(true);
        break;
    case 2:
        form->ReUntil_2->setChecked(true);
        break;
    case 3:
        form->ReUntil_3->setChecked(true);
        break;
    default:
        break;
    }
}

void LedInfo::SlotAllLanguage(int)
{
}

void LedInfo::on_CloseButton_clicked()
{
    PostMsg::Instance()->EmitSigButtonCheck();
    close();
}
