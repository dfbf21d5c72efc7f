#include "dialogs/QuestiondialogB.h"

#include "dialogs/NoticeForm.h"

#include <QFrame>
#include <QLabel>

QuestiondialogB::QuestiondialogB(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("QuestiondialogB"), QStringLiteral("QuestionB"))
{
    form->frame->setMinimumSize(300, 130);
    form->frame->setMaximumSize(300, 130);
    form->label->setGeometry(0, 30, 301, 60);
    form->label->setText(QStringLiteral("  Do not insert multiple identical devices"));
    Finish();
    setFixedSize(size());
}

void QuestiondialogB::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("home"), QStringLiteral("ErrorDevice"));
}
