#include "settings/RePair.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

RePair::RePair(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("RePair"), QStringLiteral("RePairA")))
{
    form->label->setGeometry(0, 30, 301, 71);
    form->label->setText(QStringLiteral("        Do you need to pair again"));
    form->AddOkButton(QStringLiteral("OK"), QRect(40, 110, 90, 24), QStringLiteral("确定"));
    form->AddCancelButton(QStringLiteral("Cancel"), QRect(180, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &RePair::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &RePair::on_OK_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &RePair::on_Cancel_clicked);

    pictureDir = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureDir);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

RePair::~RePair()
{
    delete form;
}

void RePair::on_CloseButton_clicked()
{
    confirmed = false;
    close();
}

void RePair::on_OK_clicked()
{
    confirmed = true;
    close();
}

void RePair::on_Cancel_clicked()
{
    confirmed = false;
    close();
}

void RePair::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("Repair")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
}
