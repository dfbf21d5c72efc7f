#include "dialogs/LeftButtonOnly.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

LeftButtonOnly::LeftButtonOnly(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("LeftButtonOnly"), QStringLiteral("ButtonOnly"))
{
    setMinimumSize(300, 140);
    setMaximumSize(300, 140);
    form->label->setGeometry(0, 19, 301, 91);
    form->label->setText(QStringLiteral("Left button must be retained"));
    Finish();
}

void LeftButtonOnly::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("key"), QStringLiteral("DialogKeepLeftKey"));
}
