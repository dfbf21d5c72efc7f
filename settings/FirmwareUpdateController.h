#pragma once

#include <QObject>
#include <QString>
#include <functional>

class FirmwareUpdateMachine;
class QLabel;
class QToolButton;
class QWidget;
class UpDateRepair;
class UpDateWarning;

// The settings page's side of the firmware update: the two version labels,
// the update button's look, the overview's markers, whether an update can
// start (the reason shown in the repair dialog otherwise) and the start of
// the receiver's and then the mouse's update.
class FirmwareUpdateController : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QWidget* page = nullptr;
        QLabel* receiverVersion = nullptr;
        QLabel* mouseVersion = nullptr;
        QToolButton* receiverMark = nullptr;
        QToolButton* mouseMark = nullptr;
        QToolButton* updateButton = nullptr;
        // Says why nothing was written when a chained update finds no device.
        UpDateWarning* warning = nullptr;
    };
    struct Texts {
        QString noDevice, sameDevice, newVersion, upgrade, noReceiver, noUsb, error, multiReceiver, multiMouse;
    };

    FirmwareUpdateController(const Widgets& widgets, UpDateRepair* dialog, QObject* parent = nullptr);

    void SetTexts(const Texts& texts);
    void SetPageDir(const QString& dir, const QString& buttonColour);
    FirmwareUpdateMachine* Machine() const { return machine; }

    // Version display for SetVer's index.
    void SetVer(int index);
    // True when an update can start; otherwise the reason is in the dialog.
    bool ChechIsUpDate();
    // The update button and the version report's prompt.
    void UpdatePrompt();

public slots:
    void SlotLabelText(int index, QString Text);
    void SlotLabelTextB(QString TextA, QString Text);
    void SlotUpdateFrame(bool IsVis);
    void SlotCheckUpdate();
    void on_Start();
    void SlotContinue(int index);

private:
    bool Stopped(const QString& text);
    void PlainLook();
    void AttentionLook();
    void StartReceiver();
    void StartMouse();
    bool MouseUpdateStarted() const;
    void OnMachineFinished(int target, int stage);
    int CurrentKindCode() const;

    Widgets w;
    UpDateRepair* dialog;
    FirmwareUpdateMachine* machine;
    Texts t;
    QString pageDir;
    QString buttonColour;
    bool receiverUpToDate = false;
    bool mouseUpToDate = false;
    int updateStageCount = 1;
    int mouseAfterReceiver = 0;
    int pendingStageCount = 1;
    bool reportInDialog = false;
    // The running update was ended as failed: no later step reports success.
    bool endedAsFailed = false;
    // The receiver class being updated, from the devices found or the record.
    int updateKindCode = 0;
    QString updateModelGroup;
    QString recordReceiverImage;
    QString linkedReceiverImage;
};
