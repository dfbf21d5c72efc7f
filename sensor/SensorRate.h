#pragma once

#include <QFrame>

class QButtonGroup;
class QLabel;
class QToolButton;

// The sensor page's report-rate panel: a title and one checkable button per
// rate from 125 to 8000 Hz. A click writes the rate's code into the device
// record through the report-rate writer and announces it on the hub; when
// the mouse does not answer, the rate shown before comes back. The page
// shows the record's rate with selectRate() and hides the rates the
// connection cannot carry with setRateLimit().
class SensorRate : public QFrame {
    Q_OBJECT
public:
    static constexpr int kRateCount = 7;

    explicit SensorRate(QWidget* parent = nullptr);
    ~SensorRate() override;

    // The rate in Hz and the record code of a panel index 0..6 (125 .. 8000
    // Hz); 0 for any other index.
    static int RateOfIndex(int index);
    static int CodeOfIndex(int index);
    // The rate class of a connection kind: 0 up to 1000 Hz (1 kHz receiver,
    // cable up to 1000 Hz), 1 up to 4000 Hz (4 kHz receiver), 2 up to 2000 Hz
    // (2 kHz receiver), 3 up to 8000 Hz (8 kHz receiver, cable up to 8000
    // Hz); -1 for an unknown kind.
    static int RateClassOfConnection(int connectionKind);
    // Whether rate class 0..3 offers the rate of index 0..6; false for an
    // unknown class or index.
    static bool IsRateOffered(int rateClass, int index);

    // Checks the rate's button and announces the rate; any other index is
    // only remembered. Never writes to the mouse.
    void selectRate(int index);
    // Shows the 2000, 4000 and 8000 Hz buttons the rate class offers; an
    // unknown class changes nothing. The checked button stays as it is.
    void setRateLimit(int rateClass);
    void setTitleText(const QString& text);

    int currentRateIndex() const { return m_currentRateIndex; }

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    void BuildForm();
    void ApplyStyles();
    void RateClicked(int index, bool checked);

    QLabel* label = nullptr;
    QToolButton* rateButtons[kRateCount] = {};
    QString pictureDir;
    QButtonGroup* buttonGroup = nullptr;
    int m_currentRateIndex = -1;
};
