#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QTimer;

// The please-wait dialog that stands over the window while device data is on
// its way to the pages, and that applies an exported profile file. Callers
// start its timer, set a mode, place it and run it modally; when the timer
// fires it does its job and closes itself:
// - resetWaitMode: waits for the three device pages after a factory reset;
// - importMode: reads profilePath and applies it, or tells why it cannot;
// - otherwise, link up: waits for the pages, creates the device cache once;
// - otherwise, link down: fills the pages from the device cache.
class UpDataParam : public QDialog {
    Q_OBJECT
public:
    explicit UpDataParam(QWidget* parent = nullptr);
    ~UpDataParam() override;

    // Starts (or restarts) the 2500 ms single-shot timer.
    void StartTimer();

    // Reads and checks a profile file into record (10448 bytes):
    // 0 accepted, 1 not a readable profile file, 2 does not fit the device.
    // On 1, and on 2 for another sensor, record is left as it was.
    int ReadProfileFile(const QString& path, uchar* record);

    QString profilePath;
    bool importMode = false;
    bool resetWaitMode = false;

public slots:
    void onTimeupDestroy();
    void SlotAllLanguage(int index);

private:
    struct Form {
        QFrame* UpDataParamA = nullptr;
        QLabel* label = nullptr;
    };

    void RunResetWait();
    void RunProfileApply();
    void RunDeviceWait();
    void RunOfflineFill();

    Form* form = nullptr;
    QTimer* waitTimer = nullptr;
    QString pictureDir;
};
