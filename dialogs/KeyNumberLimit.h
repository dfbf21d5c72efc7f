#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that a recording reached the macro's event limit.
class KeyNumberLimit : public SimpleNotice {
    Q_OBJECT
public:
    explicit KeyNumberLimit(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
