#include "dialogs/MakeMacro.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

MakeMacro::MakeMacro(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("MakeMacro"), QStringLiteral("MakeMacroA"))
{
    form->label->setGeometry(6, 29, 291, 71);
    form->label->setText(QStringLiteral("Please create a macro first"));
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void MakeMacro::SlotAllLanguage(int index)
{
    ShowTexts(index, QStringLiteral("home"), QStringLiteral("MakeMaro"));
}
