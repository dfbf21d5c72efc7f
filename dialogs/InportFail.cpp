#include "dialogs/InportFail.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

int importFailCode = 0;

InportFail::InportFail(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("InportFail"), QStringLiteral("InportFailA")))
{
    form->label->setText(QStringLiteral("Config does not match the device"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &InportFail::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &InportFail::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

InportFail::~InportFail()
{
    delete form;
}

void InportFail::SlotAllLanguage(int index)
{
    if (importFailCode == 1)
        form->label->setText(LanguageTables::Text(index, QStringLiteral("key"), QStringLiteral("DialogConfigError")));
    else if (importFailCode == 2)
        form->label->setText(LanguageTables::Text(index, QStringLiteral("key"), QStringLiteral("DialogEConfigMismatch")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void InportFail::on_CloseButton_clicked()
{
    close();
}

void InportFail::on_NewHong_clicked()
{
    close();
}
