#pragma once

#include <QFrame>

// The sensor page's report-rate panel. For now it keeps the rate it shows
// and tells the overview; the rate buttons come with the page's form.
class SensorRate : public QFrame {
    Q_OBJECT
public:
    explicit SensorRate(QWidget* parent = nullptr);
    ~SensorRate() override;

    // The rate in Hz of a panel index 0..6 (125 .. 8000 Hz); 0 for any other.
    static int RateOfIndex(int index);

    // Shows the rate of index and announces it; any other index is only
    // remembered. Never writes to the mouse.
    void selectRate(int index);

    int currentRateIndex() const { return m_currentRateIndex; }

private:
    int m_currentRateIndex = -1;
};
