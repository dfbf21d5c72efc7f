#pragma once

#include "device/FlashDataMap.h"

#include <QWidget>

// The lighting page.
class LampLight : public QWidget {
    Q_OBJECT
public:
    explicit LampLight(QWidget* parent = nullptr);

public slots:
    void SlotUpDataLightUILight(FlashDataMap DataMap);
};
