#pragma once

#include "dialogs/SimpleNotice.h"

// Asks the user to create a macro before binding one to a button.
class MakeMacro : public SimpleNotice {
    Q_OBJECT
public:
    explicit MakeMacro(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
