#include "dialogs/KeyedNotice.h"

#include "dialogs/NoticeForm.h"

#include <QLabel>

KeyedNotice::KeyedNotice(const QString& section, const QString& key, QWidget* parent)
    : SimpleNotice(parent, QStringLiteral("KeyedNotice"), QStringLiteral("KeyedNoticeA"))
    , m_section(section)
    , m_key(key)
{
    form->label->setGeometry(0, 30, 301, 71);
    AddOkButton(QRect(105, 110, 90, 24));
    Finish();
}

void KeyedNotice::SlotAllLanguage(int index)
{
    ShowTexts(index, m_section, m_key);
}
