#pragma once

#include "dialogs/SimpleNotice.h"

#include <QString>

// A notice that tells the user why something the program needs does not
// work (a file it cannot read or write). Its text is a language text in
// which "%1" stands for a path; a long path wraps at its slashes.
class ProblemNotice : public SimpleNotice {
    Q_OBJECT
public:
    explicit ProblemNotice(QWidget* parent = nullptr);

    void SetText(const QString& section, const QString& key, const QString& path = QString());

public slots:
    void SlotAllLanguage(int index);

private:
    QString m_section;
    QString m_key;
    QString m_path;
};
