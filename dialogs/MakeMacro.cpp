#include "dialogs/MakeMacro.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

MakeMacro::MakeMacro(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("MakeMacro"), QStringLiteral("MakeMacroA")))
{
    form->label->setGeometry(6, 29, 291, 71);
    form->label->setText(QStringLiteral("Please create a macro first"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &MakeMacro::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &MakeMacro::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

MakeMacro::~MakeMacro()
{
    delete form;
}

void MakeMacro::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("MakeMaro")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void MakeMacro::on_CloseButton_clicked()
{
    close();
}

void MakeMacro::on_NewHong_clicked()
{
    close();
}
