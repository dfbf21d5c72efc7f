#pragma once

#include "variants/SwitchPanelB.h"

// Straight-line correction switch, record byte 9.
class StraightLineB : public SwitchPanelB {
    Q_OBJECT
public:
    explicit StraightLineB(QWidget* parent = nullptr);

private slots:
    void on_StraightLine_2_clicked(bool checked);
};
