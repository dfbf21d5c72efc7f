#include "settings/FindNewVer.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

FindNewVer::FindNewVer(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("FindNewVer"), QStringLiteral("SameMacroA")))
{
    form->label->setGeometry(0, 30, 301, 51);
    form->label->setText(QStringLiteral("发现新固件,请更新!"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 90, 90, 24), QStringLiteral("确定"));
    NoApear = new QCheckBox(form->frame);
    NoApear->setObjectName(QStringLiteral("NoApear"));
    NoApear->setGeometry(0, 120, 291, 18);
    NoApear->setFocusPolicy(Qt::NoFocus);
    NoApear->setChecked(false);
    NoApear->setText(QStringLiteral("下次不再显示"));
    connect(form->CloseButton, &QToolButton::clicked, this, &FindNewVer::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &FindNewVer::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

FindNewVer::~FindNewVer()
{
    delete form;
}

bool FindNewVer::DoNotShowAgain() const
{
    return NoApear->isChecked();
}

void FindNewVer::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("update"), QStringLiteral("UpgradeTips")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    NoApear->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("NoApear")));
}

void FindNewVer::on_NewHong_clicked()
{
    close();
}

void FindNewVer::on_CloseButton_clicked()
{
    close();
}
