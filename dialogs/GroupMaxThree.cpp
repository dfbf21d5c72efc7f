#include "dialogs/GroupMaxThree.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

GroupMaxThree::GroupMaxThree(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("GroupMaxThree"), QStringLiteral("MaxThree"))
{
    form->label->setText(QStringLiteral("  Key can only have up to three buttons"));
    AddOkButton(QRect(105, 110, 90, 24));
    Finish();
}

void GroupMaxThree::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("home"), QStringLiteral("MaxThree"));
}
