#include "dialogs/GroupMaxThree.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

GroupMaxThree::GroupMaxThree(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("GroupMaxThree"), QStringLiteral("MaxThree")))
{
    form->label->setText(QStringLiteral("  Key can only have up to three buttons"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(105, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &GroupMaxThree::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &GroupMaxThree::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

GroupMaxThree::~GroupMaxThree()
{
    delete form;
}

void GroupMaxThree::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("MaxThree")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void GroupMaxThree::on_CloseButton_clicked()
{
    close();
}

void GroupMaxThree::on_NewHong_clicked()
{
    close();
}
