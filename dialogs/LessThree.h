#pragma once

#include "dialogs/SimpleNotice.h"

// Tells the user that a short debounce time may let accidental double clicks
// through.
class LessThree : public SimpleNotice {
    Q_OBJECT
public:
    explicit LessThree(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
