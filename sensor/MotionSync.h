#pragma once

#include "sensor/SensorSwitchPanel.h"

// The sensor page's motion sync switch.
class MotionSync : public SensorSwitchPanel {
    Q_OBJECT
public:
    explicit MotionSync(QWidget* parent = nullptr);
    ~MotionSync() override;

private slots:
    void on_MotionSync_2_clicked(bool checked);
};
