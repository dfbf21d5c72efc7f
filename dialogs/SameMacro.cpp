#include "dialogs/SameMacro.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

SameMacro::SameMacro(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("SameMacro"), QStringLiteral("SameMacroA")))
{
    form->label->setGeometry(0, 10, 301, 91);
    form->label->setText(QStringLiteral("Already have a same name macro"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &SameMacro::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &SameMacro::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

SameMacro::~SameMacro()
{
    delete form;
}

void SameMacro::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogSameMacroName")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void SameMacro::on_CloseButton_clicked()
{
    close();
}

void SameMacro::on_NewHong_clicked()
{
    close();
}
