#pragma once

#include "sensor/SensorSwitchPanel.h"

// The sensor page's straight-line correction switch.
class StraightLine : public SensorSwitchPanel {
    Q_OBJECT
public:
    explicit StraightLine(QWidget* parent = nullptr);
    ~StraightLine() override;

private slots:
    void on_StraightLine_2_clicked(bool checked);
};
