#include "dialogs/KeyNumberLimit.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

KeyNumberLimit::KeyNumberLimit(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("KeyNumberLimit"), QStringLiteral("LimitA"))
{
    form->label->setText(QStringLiteral("Macro Key reached the Max limit"));
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void KeyNumberLimit::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("macro"), QStringLiteral("DialogMaxMacroKey"));
}
