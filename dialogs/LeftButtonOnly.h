#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that the only button with the left click must keep it.
class LeftButtonOnly : public SimpleNotice {
    Q_OBJECT
public:
    explicit LeftButtonOnly(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
