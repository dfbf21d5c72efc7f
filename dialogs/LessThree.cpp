#include "dialogs/LessThree.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

LessThree::LessThree(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("LessThree"), QStringLiteral("LessThreeframe"))
{
    resize(300, 140);
    form->label->setGeometry(2, 30, 300, 61);
    form->label->setText(QStringLiteral("Please wait, we are updating the setting"));
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void LessThree::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("key"), QStringLiteral("DialogDebounceTips"));
}
