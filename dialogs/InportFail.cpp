#include "dialogs/InportFail.h"

#include "app/LanguageTables.h"
#include "dialogs/NoticeForm.h"

#include <QLabel>
#include <QToolButton>

int importFailCode = 0;

InportFail::InportFail(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("InportFail"), QStringLiteral("InportFailA"))
{
    form->label->setText(QStringLiteral("Config does not match the device"));
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void InportFail::SlotAllLanguage(int index)
{
    if (importFailCode == 1)
        ShowTexts(index, QStringLiteral("key"), QStringLiteral("DialogConfigError"));
    else if (importFailCode == 2)
        ShowTexts(index, QStringLiteral("key"), QStringLiteral("DialogEConfigMismatch"));
    else
        form->okButton->setText(LanguageTables::Text(index, QStringLiteral("common"), QStringLiteral("OK")));
}
