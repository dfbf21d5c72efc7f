#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that two devices of one model sit on one connection class.
class QuestiondialogB : public SimpleNotice {
    Q_OBJECT
public:
    explicit QuestiondialogB(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
