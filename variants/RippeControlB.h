#pragma once

#include "variants/SwitchPanelB.h"

// Ripple control switch, record byte 10.
class RippeControlB : public SwitchPanelB {
    Q_OBJECT
public:
    explicit RippeControlB(QWidget* parent = nullptr);

private slots:
    void on_RippeControl_2_clicked(bool checked);
};
