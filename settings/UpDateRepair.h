#pragma once

#include <QDialog>
#include <QString>

class NoticeForm;
class QLabel;
class QProgressBar;

// The firmware repair dialog: after a failed update it writes the receiver
// image first and the mouse image second, with one progress bar for both.
// It is also the progress and result window of the settings page's update,
// which sets its states and reports through the hub's SigProgress.
class UpDateRepair : public QDialog {
    Q_OBJECT
public:
    explicit UpDateRepair(QWidget* parent = nullptr);
    ~UpDateRepair() override;

    void ResetToStart();
    void ShowReadyState();
    // A stopped check's reason shows in the alarm colour unless alarm is
    // false (nothing to do, which is no failure).
    void ShowStoppedState(bool alarm = true);
    void ShowRunningState();
    void SetStatusText(const QString& text);

    // True when a repair can start; otherwise the reason is shown.
    bool CheckRepairReady();
    void StartRepair();
    // Starts a repair without the device checks (the top-level window's
    // Space key, which made its own).
    void StartDirectUpdate(int unused);
    // Copies the id of each receiver found into the mice found on their
    // cables, so that they pair with it. True when the last receiver asked
    // answered and every mouse took its id.
    bool CopyDongleIdToMouse();
    // Sends the id of the last copy once more; false when that receiver did
    // not answer or a mouse refused the id.
    bool ResendDongleIdToMouse();

    // Texts and values a test reads as the user sees them.
    QString StatusText() const;
    QString StartButtonText() const;
    int ProgressValue() const;
    bool ProgressShown() const;

    // The status callback handed to the library.
    static void UpgradeStatusCallback(const unsigned char* status);
    static bool RepairRunning();

public slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);
    void SlotAllLanguage(int index);
    void SlotProgress(int schedue, int Discrib);
    void on_NewHong_2_clicked();
    void SlotRepairCheckUpdate();

private:
    bool Refuse(const QString& text);
    // The status line's text, in the alarm colour for a failure only.
    void ShowStatus(const QString& text, bool alarm);
    void GiveShortcuts();
    void FinishOrClose();

    NoticeForm* form;
    QLabel* statusLine;
    QProgressBar* progressBar;
    QString pictureDir;
    QString warnUpdateText, startText, cancelText, okText, readyText, successText, failText;
    QString notDeviceText, sameDeviceText, noReceiveText, noUsbText, multiMouseText, multiDongleText, errorFileText;
    bool directStart = false;
    bool repairReady = false;
};

// The one instance the settings page builds and the chooser opens.
extern UpDateRepair* repairDialog;
