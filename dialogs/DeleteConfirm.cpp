#include "dialogs/DeleteConfirm.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

DeleteConfirm::DeleteConfirm(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("DeleteConfirm"), QStringLiteral("DeleteConfirmA")))
{
    // This frame has no size limits of its own.
    form->frame->setMinimumSize(0, 0);
    form->frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form->label->setGeometry(5, 30, 291, 71);
    form->label->setText(QStringLiteral("Confirm Delete"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &DeleteConfirm::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &DeleteConfirm::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

DeleteConfirm::~DeleteConfirm()
{
    delete form;
}

void DeleteConfirm::on_NewHong_clicked()
{
    confirmed = true;
    close();
}

void DeleteConfirm::on_CloseButton_clicked()
{
    confirmed = false;
    close();
}

void DeleteConfirm::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogDeleteMacro")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}
