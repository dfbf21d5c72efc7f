#include "dialogs/KeyNumberLimit.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

KeyNumberLimit::KeyNumberLimit(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("KeyNumberLimit"), QStringLiteral("LimitA")))
{
    form->label->setText(QStringLiteral("Macro Key reached the Max limit"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 110, 90, 24), QStringLiteral("确定"));
    connect(form->CloseButton, &QToolButton::clicked, this, &KeyNumberLimit::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &KeyNumberLimit::on_NewHong_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

KeyNumberLimit::~KeyNumberLimit()
{
    delete form;
}

void KeyNumberLimit::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("macro"), QStringLiteral("DialogMaxMacroKey")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}

void KeyNumberLimit::on_CloseButton_clicked()
{
    close();
}

void KeyNumberLimit::on_NewHong_clicked()
{
    close();
}
