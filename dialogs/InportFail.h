#pragma once

#include "dialogs/SimpleNotice.h"

// Result of reading a profile file, set before this notice is built:
// 0 read and fitting, 1 not a readable profile file, 2 does not fit the device.
extern int importFailCode;

// Tells the user why a profile file could not be applied, by importFailCode.
class InportFail : public SimpleNotice {
    Q_OBJECT
public:
    explicit InportFail(QWidget* parent = nullptr);

public slots:
    void SlotAllLanguage(int index);
};
