#include "macro/MacroFileNotice.h"

#include "app/LanguageTables.h"
#include "dialogs/NoticeForm.h"

#include <QLabel>

namespace {

QString HeadlineKey(MacroFileNotice::Failure failure)
{
    switch (failure) {
    case MacroFileNotice::Failure::Save:
        return QStringLiteral("DialogSaveFail");
    case MacroFileNotice::Failure::Export:
        return QStringLiteral("DialogExportFail");
    case MacroFileNotice::Failure::Rename:
        return QStringLiteral("DialogRenameFail");
    case MacroFileNotice::Failure::NameRefused:
        return QStringLiteral("DialogNameRefused");
    }
    return QString();
}

} // namespace

MacroFileNotice::MacroFileNotice(Failure failure, QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("MacroFileNotice"), QStringLiteral("MacroFileNoticeA"))
    , failure(failure)
{
    setMinimumSize(300, 140);
    setMaximumSize(300, 140);
    // Room for the headline and the reason under it.
    form->label->setGeometry(10, 25, 281, 81);
    AddOkButton(QRect(100, 110, 90, 24));
    Finish();
}

void MacroFileNotice::SetSystemReason(const QString& reason)
{
    systemReason = reason;
    reasonKey.clear();
    SlotAllLanguage(languageIndex);
}

void MacroFileNotice::SetReasonKey(const QString& key)
{
    reasonKey = key;
    systemReason.clear();
    SlotAllLanguage(languageIndex);
}

void MacroFileNotice::SlotAllLanguage(int index)
{
    const QString macro = QStringLiteral("macro");
    ShowTexts(index, macro, HeadlineKey(failure));
    const QString reason = reasonKey.isEmpty() ? systemReason : LanguageTables::Text(index, macro, reasonKey);
    if (!reason.isEmpty())
        form->label->setText(form->label->text() + QLatin1Char('\n') + reason);
}
