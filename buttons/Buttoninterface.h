#pragma once

#include "device/FlashDataMap.h"

#include <QWidget>

class DebounceTime;

// The button page. It creates the one device worker and stops it again.
class Buttoninterface : public QWidget {
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget* parent = nullptr);
    ~Buttoninterface() override;

    // How long the destructor keeps the event loop going for a pass that is
    // still running before it gives up on it.
    static constexpr int kWorkerStopBoundMs = 10000;

public slots:
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);

private:
    // For now the page shows only the debounce time of a record.
    DebounceTime* DebunceButton;
};
