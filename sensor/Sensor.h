#pragma once

#include "device/FlashDataMap.h"

#include <QWidget>

// The sensor page.
class Sensor : public QWidget {
    Q_OBJECT
public:
    explicit Sensor(QWidget* parent = nullptr);

public slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
};
