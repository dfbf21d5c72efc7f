#include "dialogs/ContainReset.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QKeySequence>
#include <QLabel>
#include <QToolButton>

ContainReset::ContainReset(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("ContainReset"), QStringLiteral("ContainResetA")))
{
    form->label->setGeometry(10, 30, 281, 71);
    form->label->setText(QStringLiteral(" Is need to restore the default settings"));
    form->AddOkButton(QStringLiteral("OK"), QRect(40, 110, 90, 24), QStringLiteral("确定"));
    form->AddCancelButton(QStringLiteral("Cancel"), QRect(170, 110, 90, 24), QStringLiteral("取消"));
    connect(form->CloseButton, &QToolButton::clicked, this, &ContainReset::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &ContainReset::on_OK_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &ContainReset::on_Cancel_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

ContainReset::~ContainReset()
{
    delete form;
}

void ContainReset::SetQuestionText(const QString& text)
{
    form->label->setText(text);
}

void ContainReset::on_CloseButton_clicked()
{
    confirmed = false;
    close();
}

void ContainReset::on_OK_clicked()
{
    confirmed = true;
    close();
}

void ContainReset::on_Cancel_clicked()
{
    confirmed = false;
    close();
}

void ContainReset::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("Settings"), QStringLiteral("DialogRestore")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    form->cancelButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("Cancel")));
    // A new button text replaces the shortcut with the text's mnemonic, so
    // Return is given back after every text change.
    form->okButton->setShortcut(QKeySequence(Qt::Key_Return));
}
