#pragma once

#include "variants/SwitchPanelB.h"

// Motion sync switch, record byte 7.
class MotionSyncB : public SwitchPanelB {
    Q_OBJECT
public:
    explicit MotionSyncB(QWidget* parent = nullptr);

private slots:
    void on_MotionSync_2_clicked(bool checked);
};
