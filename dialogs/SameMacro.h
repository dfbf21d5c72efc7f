#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that a macro of that name already exists.
class SameMacro : public SimpleNotice {
    Q_OBJECT
public:
    explicit SameMacro(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
