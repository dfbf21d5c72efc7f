#include "macro/MacroImportFail.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

MacroImportFail::MacroImportFail(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("MacroImportFail"), QStringLiteral("MacroImportFailA")))
{
    form->label->setText(QStringLiteral("This file is not a macro file"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &MacroImportFail::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &MacroImportFail::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

MacroImportFail::~MacroImportFail()
{
    delete form;
}

void MacroImportFail::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogImportFail")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void MacroImportFail::on_CloseButton_clicked()
{
    close();
}

void MacroImportFail::on_NewHong_clicked()
{
    close();
}
