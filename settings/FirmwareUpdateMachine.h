#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Writes one firmware image, the receiver's (211) or the mouse's (210), of
// the current device from the settings page: one step per tick of its check
// timer. Finds the image, counts the devices that can take it, hands it to
// the device library and waits for the end report. The library's status
// reports arrive on its own thread and are queued to this object's thread,
// where every state change happens.
class FirmwareUpdateMachine : public QObject {
    Q_OBJECT
public:
    // Stage of one target's image.
    enum Stage { Idle = 0, Writing = 1, Written = 2, Failed = 3, NothingToWrite = 4 };
    static constexpr int kEndState = 4;
    static constexpr int kDefaultWaitLimitMs = 120000;

    explicit FirmwareUpdateMachine(QObject* parent = nullptr);
    ~FirmwareUpdateMachine() override;

    // Starts the machine for target with the label's version text; the
    // receiver kind code of the receiver being updated; 2 stages split the
    // progress bar in halves. mouseAfterReceiver counts a mouse reached
    // through its receiver as present. False while an update runs.
    bool Start(int target, const QString& versionText, int kindCode, int stageCount, int mouseAfterReceiver = 0);
    // One step (the timer's tick).
    void Step();

    int State() const { return state; }
    int Target() const { return target; }
    int ReceiverStage() const { return receiverStage; }
    int MouseStage() const { return mouseStage; }
    bool Running() const { return running; }
    // Why the last run wrote nothing, when no device or several were found.
    QString NoDeviceReason() const { return noDeviceReason; }

    // Tick interval (1000 ms) and how long the end report is waited for.
    void SetTiming(int tickMs, int waitLimitMs);
    // Texts for no device and several devices.
    void SetReasonTexts(const QString& noMouse, const QString& noReceiver, const QString& several);

    // The status callback handed to the library.
    static void OnUpgradeStatus(const unsigned char* status);

signals:
    // The machine reached its end; stage is the target's stage then.
    void Finished(int target, int stage);

private:
    void HandleStatus(int kind, int value);
    void StepFindImage();
    void StepCountAndStart();
    void StepWait();
    void StepEnd();
    void FinishStage();
    // The write failed or never began: log file, flags, record, dialog.
    void FailWrite();
    int& StageOf(int t) { return t == 211 ? receiverStage : mouseStage; }
    QString ModelValue(const QString& key) const;

    QTimer timer;
    int state = kEndState;
    int target = 0;
    QString versionText;
    int kindCode = 0;
    int stageCount = 1;
    int mouseAfterReceiver = 0;
    int cid = 0;
    int mid = 0;
    int receiverStage = Idle;
    int mouseStage = Idle;
    bool running = false;
    int bootDeviceCount = 0;
    QStringList receiverPaths;
    // The image being written: held until the write ends.
    QByteArray writingBlock;
    QString noDeviceReason;
    QString noMouseText;
    QString noReceiverText;
    QString severalText;
    int waitLimitMs = kDefaultWaitLimitMs;
    qint64 waitStarted = 0;
    // Bumped at each start, so a late report of an earlier write is dropped.
    quint64 generation = 0;
};
