#include "dialogs/MouseOffLine.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

int offlineNoticeMode = 0;

MouseOffLine::MouseOffLine(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("MouseOffLine"), QStringLiteral("MouseOffLineA")))
{
    form->CloseButton->setGeometry(275, 3, 20, 20);
    form->label->setGeometry(0, 20, 301, 71);
    form->label->setText(QStringLiteral("   The mouse is offline. Please move first"));
    form->AddOkButton(QStringLiteral("NewHong"), QRect(100, 100, 90, 24), QStringLiteral("确认"));
    connect(form->CloseButton, &QToolButton::clicked, this, &MouseOffLine::on_CloseButton_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &MouseOffLine::on_NewHong_clicked);
    PostMsg::Connect(SIGNAL(SigCloseOffOnline()), this, SLOT(on_CloseButton_clicked()));

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder, QStringLiteral("ConFirm.png"), QStringLiteral("ConFirmClick.png"));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

MouseOffLine::~MouseOffLine()
{
    delete form;
}

void MouseOffLine::on_NewHong_clicked()
{
    close();
}

void MouseOffLine::on_CloseButton_clicked()
{
    close();
}

void MouseOffLine::SlotAllLanguage(int index)
{
    // The mode is read on every call: a language switch re-texts the notice
    // by the mode in force now.
    if (offlineNoticeMode == 0)
        form->label->setText(LanguageTables::Text(index, QStringLiteral("infoTips"), QStringLiteral("DialogOffline")));
    form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
    if (offlineNoticeMode == 1)
        form->label->setText(LanguageTables::Text(index, QStringLiteral("infoTips"), QStringLiteral("TimeOut")));
}
