#pragma once

#include "dialogs/SimpleNotice.h"

// A one-message notice whose text is the language text the caller names;
// it follows a language switch while it is open.
class KeyedNotice : public SimpleNotice {
    Q_OBJECT
public:
    KeyedNotice(const QString& section, const QString& key, QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);

private:
    QString m_section;
    QString m_key;
};
