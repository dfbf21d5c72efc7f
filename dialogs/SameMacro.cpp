#include "dialogs/SameMacro.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

SameMacro::SameMacro(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("SameMacro"), QStringLiteral("SameMacroA"))
{
    form->label->setGeometry(0, 10, 301, 91);
    form->label->setText(QStringLiteral("Already have a same name macro"));
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void SameMacro::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("macro"), QStringLiteral("DialogSameMacroName"));
}
