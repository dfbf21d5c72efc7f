#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that a key combination holds at most three keys.
class GroupMaxThree : public SimpleNotice {
    Q_OBJECT
public:
    explicit GroupMaxThree(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
