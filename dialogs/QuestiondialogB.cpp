#include "dialogs/QuestiondialogB.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"

#include <QLabel>
#include <QToolButton>

QuestiondialogB::QuestiondialogB(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("QuestiondialogB"), QStringLiteral("QuestionB")))
{
    form->frame->setMinimumSize(300, 130);
    form->frame->setMaximumSize(300, 130);
    form->label->setGeometry(0, 30, 301, 60);
    form->label->setText(QStringLiteral("  Do not insert multiple identical devices"));
    connect(form->CloseButton, &QToolButton::clicked, this, &QuestiondialogB::on_CloseButton_clicked);

    pictureFolder = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureFolder);
    setFixedSize(size());
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

QuestiondialogB::~QuestiondialogB()
{
    delete form;
}

void QuestiondialogB::SlotAllLanguage(int index)
{
    form->label->setText(LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("ErrorDevice")));
}

void QuestiondialogB::on_CloseButton_clicked()
{
    close();
}
