#pragma once

#include "sensor/SensorSwitchPanel.h"

// The sensor page's ripple control switch.
class RippeControl : public SensorSwitchPanel {
    Q_OBJECT
public:
    explicit RippeControl(QWidget* parent = nullptr);
    ~RippeControl() override;

private slots:
    void on_RippeControl_2_clicked(bool checked);
};
