#include "settings/FormSetting.h"

#include "app/LanguageTables.h"
#include "app/PostMsg.h"

QString wiredModeText;

FormSetting::FormSetting(QWidget* parent)
    : QWidget(parent)
{
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
}

void FormSetting::SlotAllLanguage(int index)
{
    wiredModeText = LanguageTables::Text(index, QStringLiteral("home"), QStringLiteral("WiredMode"));
}
