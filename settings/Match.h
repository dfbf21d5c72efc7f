#pragma once

#include <QDialog>
#include <QString>

#include <atomic>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
class QToolButton;

// The pairing dialog: binds a mouse to a USB receiver. The receiver is put
// into a pairing mode for the configured CID, its status is polled once a
// second while the dialog checks that it is still plugged in, and the result
// shows on the pairing button. A device on its cable gets a note instead.
//
// Callers build it on the stack without a parent, call PreparePairing, place
// it, run exec and restore the device link themselves afterwards.
class Match : public QDialog {
    Q_OBJECT
public:
    enum PairState { Ready = 0, Pairing = 1, Paired = 2, Failed = 3 };
    // A receiver that never reports a result must not keep the dialog in
    // its attempt for ever: after this long the attempt counts as failed.
    static constexpr int kPairTimeoutMs = 30000;

    explicit Match(QWidget* parent = nullptr);
    ~Match() override;

    // Resets the dialog and chooses the device that pairs: the current
    // device while the device pages are shown, else the chooser's pick when
    // it set one, else the first found device.
    void PreparePairing();

    void StartPairing();
    void RestartPairing();

    // How long an attempt waits for the receiver's result; tests shorten it.
    void SetPairTimeout(int ms);

    // The report callback handed to the device library while pairing.
    static void OnPairStatus(const unsigned char* header, int headerLength, const unsigned char* payload,
                             int payloadLength);

    static int CurrentPairState();
    static bool PairingOutstanding();

public slots:
    void WindowClosedSet();
    void on_MatchButton_clicked();
    void onPairTimeupDestroy();
    void onUSBTimeupDestroy();
    void onTextTimeupDestroy();
    void onPairTimeout();
    void SlotStopTimer();
    void SlotButtonenable(int index);
    void SlotAllLanguage(int index);
    void SlotChangeMainDialog(int index);

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    struct Form {
        QFrame* MatchA = nullptr;
        QToolButton* toolButton_2 = nullptr;
        QToolButton* CloseButton = nullptr;
        QPushButton* MatchButton = nullptr;
        QTextEdit* textEdit = nullptr;
        QLabel* label = nullptr;
        QToolButton* toolButton_3 = nullptr;
    };

    void BuildForm();
    void RetranslateForm();
    void StyleMatchButton(const QString& colour, const QString& picture);
    void SetButtonText(const QString& text);
    void StopTimers();
    // Ends the running attempt as failed when the dialog itself sees it fail.
    void FailAttempt();

    Form* form;
    bool canPair = false;
    QString currentPathCopy;
    quint8 pairCid = 0;
    QString pairDevicePath;
    QString pairVid;
    QString pairPid;
    bool pairWired = false;
    QString startPairText;
    QString pairingText;
    QString pairFailText;
    QString pairSuccessText;

    // The dialog's own timers: 100 ms refresh, 1 s poll, 500 ms animation,
    // and the limit of one attempt.
    QTimer* usbTimer = nullptr;
    QTimer* pairTimer = nullptr;
    QTimer* textTimer = nullptr;
    QTimer* timeoutTimer = nullptr;
    QString matchButtonStyle;
    bool spaceShortcut = false;
};
