#include "dialogs/ProblemNotice.h"

#include "app/LanguageTables.h"
#include "dialogs/NoticeForm.h"

#include <QLabel>
#include <QToolButton>

namespace {

// A zero-width space after each slash lets the label wrap a path there.
QString Wrappable(const QString& path)
{
    QString text = path;
    text.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
    return text;
}

} // namespace

ProblemNotice::ProblemNotice(QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("ProblemNotice"), QStringLiteral("ProblemNoticeA"))
{
    form->label->setGeometry(0, 26, 301, 82);
    AddOkButton(QRect(105, 110, 90, 24));
    Finish();
}

void ProblemNotice::SetText(const QString& section, const QString& key, const QString& path)
{
    m_section = section;
    m_key = key;
    m_path = path;
    SlotAllLanguage(languageIndex);
}

void ProblemNotice::SlotAllLanguage(int index)
{
    if (m_key.isEmpty())
        return;
    ShowTexts(index, m_section, m_key);
    QString text = LanguageTables::Text(index, m_section, m_key);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(Wrappable(m_path));
    form->label->setText(text);
}
