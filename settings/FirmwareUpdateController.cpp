#include "settings/FirmwareUpdateController.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "dialogs/NoticeFrame.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateMachine.h"
#include "settings/FirmwareUpdateState.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpDateWarning.h"

#include <QDir>
#include <QLabel>
#include <QToolButton>

namespace {

// The receiver found beside a mouse on its cable, when exactly two devices are.
const DeviceAllInfo* LinkedReceiver()
{
    if (sessionDeviceList.size() != 2)
        return nullptr;
    for (const DeviceAllInfo& entry : sessionDeviceList) {
        if (!entry.addressBytes.isEmpty() && !entry.wired && ReceiverKindCode(entry.connectionKind) != 0)
            return &entry;
    }
    return nullptr;
}

} // namespace

FirmwareUpdateController::FirmwareUpdateController(const Widgets& widgets, UpDateRepair* repair, QObject* parent)
    : QObject(parent), w(widgets), dialog(repair), machine(new FirmwareUpdateMachine(this))
{
    connect(machine, &FirmwareUpdateMachine::Finished, this, &FirmwareUpdateController::OnMachineFinished);
    PostMsg::Connect(SIGNAL(SigLabelText(int,QString)), this, SLOT(SlotLabelText(int,QString)));
    PostMsg::Connect(SIGNAL(SigLabelTextB(QString,QString)), this, SLOT(SlotLabelTextB(QString,QString)));
    PostMsg::Connect(SIGNAL(SigUpdateFrame(bool)), this, SLOT(SlotUpdateFrame(bool)));
    PostMsg::Connect(SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    PostMsg::Connect(SIGNAL(SigUpdateStart()), this, SLOT(on_Start()));
    PostMsg::Connect(SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
}

void FirmwareUpdateController::SetTexts(const Texts& texts)
{
    t = texts;
    machine->SetReasonTexts(wiredModeText, t.noDevice, t.sameDevice);
}

void FirmwareUpdateController::SetPageDir(const QString& dir, const QString& colour)
{
    pageDir = dir;
    buttonColour = colour;
}

void FirmwareUpdateController::PlainLook()
{
    w.updateButton->setStyleSheet(QStringLiteral("QToolButton{color:") + buttonColour
                                  + QStringLiteral(";border:0px;border-image:url(") + pageDir
                                  + QStringLiteral("Confirm.png);background-position:center;background-repeat:no-repeat;}"));
}

void FirmwareUpdateController::AttentionLook()
{
    // The button is how an offered update is started once its prompt was
    // dismissed, so it shows whenever an update is marked.
    w.updateButton->show();
    w.updateButton->setStyleSheet(
        QStringLiteral("QToolButton{color:") + buttonColour + QStringLiteral(";border:0px;background-image:url(") + pageDir
        + QStringLiteral("WaitUpdate.png);background-position:center;background-repeat:no-repeat;}"
                         "QToolButton:hover{background-image:url(")
        + pageDir + QStringLiteral("WaitUpdateHover.png);}"));
}

int FirmwareUpdateController::CurrentKindCode() const
{
    const DeviceAllInfo device = CurrentDevice::Info();
    if (!device.wired)
        return ReceiverKindCode(device.connectionKind);
    const DeviceAllInfo* receiver = LinkedReceiver();
    return receiver ? ReceiverKindCode(receiver->connectionKind) : 0;
}

void FirmwareUpdateController::SetVer(int index)
{
    PostMsg* hub = PostMsg::Instance();
    if (index == 0) {
        const DeviceAllInfo device = CurrentDevice::Info();
        bool present = false;
        for (const DeviceAllInfo& entry : sessionDeviceList)
            present = present || entry.path == device.path;
        QString receiverText;
        QString mouseText;
        // A device no longer found shows no versions.
        if (present) {
            if (!device.online || !device.wired) {
                receiverText = device.deviceVersion;
            } else if (sessionDeviceList.size() == 2) {
                for (const DeviceAllInfo& other : sessionDeviceList) {
                    if (!other.addressBytes.isEmpty() && !other.wired) {
                        receiverText = other.deviceVersion;
                        break;
                    }
                }
            }
            mouseText = device.mouseVersion;
        }
        const int kind = present ? CurrentKindCode() : 0;
        // The prompt's check below reads the labels: they show the versions
        // just reported before it runs, not those of the device before.
        w.receiverVersion->setText(receiverText);
        w.mouseVersion->setText(mouseText);
        if (present && QDir(FirmwareFolder()).exists()) {
            mouseUpdateAvailable = FindModelFirmware(210, mouseText, kind);
            receiverUpdateAvailable = FindModelFirmware(211, receiverText, kind);
            hub->EmitSigAddUpdate(0, mouseUpdateAvailable);
            hub->EmitSigAddUpdate(1, receiverUpdateAvailable);
            if (!mouseUpdateAvailable && !receiverUpdateAvailable) {
                hub->EmitSigUpdateFrame(false);
                PlainLook();
            } else {
                hub->EmitSigUpdateFrame(true);
                AttentionLook();
            }
        } else if (!present) {
            hub->EmitSigAddUpdate(0, false);
            hub->EmitSigAddUpdate(1, false);
            PlainLook();
            w.updateButton->hide();
        }
        hub->EmitSigAddVer(1, receiverText);
        hub->EmitSigAddVer(0, mouseText);
    } else if (index == 1) {
        w.receiverMark->hide();
    } else if (index == 2) {
        w.mouseMark->hide();
    } else if (index == 4) {
        w.updateButton->setText(t.upgrade);
        w.receiverMark->hide();
        w.mouseMark->hide();
        receiverUpToDate = false;
        mouseUpToDate = false;
    } else if (index == 6) {
        w.receiverVersion->clear();
        w.mouseVersion->clear();
        hub->EmitSigAddVer(1, QString());
        hub->EmitSigAddVer(0, QString());
    }
}

void FirmwareUpdateController::SlotLabelText(int index, QString Text)
{
    PostMsg* hub = PostMsg::Instance();
    DeviceAllInfo device = CurrentDevice::Info();
    if (index == 0) {
        w.receiverVersion->setText(Text);
        hub->EmitSigAddVer(1, Text);
        device.deviceVersion = Text;
        CurrentDevice::SetInfo(device);
    } else if (index == 1) {
        w.mouseVersion->setText(Text);
        hub->EmitSigAddVer(0, Text);
        CurrentDevice::SetMouseVersion(Text);
    }
}

void FirmwareUpdateController::SlotLabelTextB(QString TextA, QString Text)
{
    w.receiverVersion->setText(TextA);
    PostMsg::Instance()->EmitSigAddVer(1, TextA);
    PostMsg::Instance()->EmitSigAddUpdate(1, Text == QLatin1String("true"));
    if (Text == QLatin1String("true"))
        AttentionLook();
    else
        PlainLook();
}

void FirmwareUpdateController::SlotUpdateFrame(bool IsVis)
{
    if (!IsVis) {
        if (!machine->Running())
            dialog->close();
        return;
    }
    UpdatePrompt();
}

void FirmwareUpdateController::UpdatePrompt()
{
    if (w.updateButton->text() == t.newVersion && !t.newVersion.isEmpty())
        return;
    if (machine->Running())
        return;
    receiverUpToDate = false;
    const QPoint origin = w.page->mapToGlobal(QPoint(0, 0));
    dialog->move(origin.x() + (w.page->width() - dialog->width()) / 2 - 75,
                 origin.y() + (w.page->height() - dialog->height()) / 2 - 65);
    dialog->setModal(true);
    dialog->ResetToStart();
    if (ChechIsUpDate()) {
        dialog->ShowReadyState();
        dialog->show();
    } else if (receiverUpToDate) {
        w.updateButton->setText(t.newVersion);
    } else {
        dialog->show();
    }
}

void FirmwareUpdateController::SlotCheckUpdate()
{
    if (ChechIsUpDate())
        dialog->ShowReadyState();
}

bool FirmwareUpdateController::Stopped(const QString& text)
{
    dialog->SetStatusText(text);
    dialog->ShowStoppedState(text != t.newVersion); // nothing to update is no failure
    return false;
}

bool FirmwareUpdateController::ChechIsUpDate()
{
    // Each check starts from nothing: an earlier record's receiver image
    // must not be written for a record that names no receiver class.
    updateKindCode = 0;
    mouseAfterReceiver = 0;
    recordReceiverImage.clear();
    linkedReceiverImage.clear();
    FirmwareState::FailRecord record;
    const bool haveRecord = FirmwareState::ReadFailRecord(&record);
    updateModelGroup = ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex);
    ConfigSettings* config = ConfigSettings::Instance();
    const int cid = config->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt();
    const int mid = config->Value(updateModelGroup, QStringLiteral("MID")).toInt();
    const QString mouseImage = config->Value(updateModelGroup, QStringLiteral("MM"));
    const QList<DeviceAllInfo> entries = sessionDeviceList;
    if (entries.isEmpty())
        return Stopped(t.error);
    if (entries.size() >= 3) {
        int wired = 0;
        for (const DeviceAllInfo& e : entries)
            wired += e.wired ? 1 : 0;
        return Stopped(wired > 1 ? t.multiMouse : t.multiReceiver);
    }
    if (entries.size() == 2) {
        // A mouse on its cable beside its receiver.
        if (!entries.at(0).wired && !entries.at(1).wired)
            return Stopped(t.noUsb);
        if (entries.at(0).mid != entries.at(1).mid)
            return Stopped(t.noReceiver);
        const DeviceAllInfo* receiver = LinkedReceiver();
        if (!receiver)
            return Stopped(t.noReceiver);
        updateKindCode = ReceiverKindCode(receiver->connectionKind);
        linkedReceiverImage = config->Value(updateModelGroup, ReceiverImageKey(updateKindCode));
        const bool receiverNewer =
            FindNewerFirmwareImage(211, w.receiverVersion->text(), linkedReceiverImage, cid, mid);
        const bool mouseNewer = FindNewerFirmwareImage(210, w.mouseVersion->text(), mouseImage, cid, mid);
        mouseUpdateAvailable = mouseNewer;
        if (receiverNewer || mouseNewer) {
            pendingStageCount = receiverNewer && mouseNewer ? 2 : 1;
            return true;
        }
        receiverUpToDate = true;
        return Stopped(t.newVersion);
    }
    // One device: only a failed update can be finished from here, with the
    // other device in boot mode.
    const DeviceAllInfo& entry = entries.first();
    if (!haveRecord)
        return Stopped(entry.wired ? t.noReceiver : t.noUsb);
    if (record.target == 211) {
        if (!entry.wired || entry.mid != record.mid)
            return Stopped(t.noUsb);
    } else if (record.target == 210) {
        mouseAfterReceiver = 1;
        if (entry.wired || entry.mid != record.mid)
            return Stopped(t.noReceiver);
    } else {
        return Stopped(t.error);
    }
    if (!ReceiverImageKey(record.kindCode).isEmpty() && record.kindText == QString::number(record.kindCode)) {
        updateKindCode = record.kindCode;
        recordReceiverImage = config->Value(updateModelGroup, ReceiverImageKey(record.kindCode));
    }
    if (entry.cid != record.cid)
        return Stopped(t.error);
    if (record.target == 211)
        FindNewerFirmwareImage(211, QString(), recordReceiverImage, record.cid, mid);
    else
        FindNewerFirmwareImage(210, QString(), mouseImage, record.cid, mid);
    const QByteArray block = updateImageList.First();
    if (block.isEmpty())
        return Stopped(t.noDevice); // no image: nothing can be written, no device is asked
    const RozFirmwareImage image = FirmwareImageView(block);
    int count = 5;
    UsbUpgradeC_FindBootDevices(&image, &count);
    if (count == 1) {
        const bool other = record.target == 211
                               ? FindNewerFirmwareImage(210, w.mouseVersion->text(), mouseImage, cid, mid)
                               : FindNewerFirmwareImage(211, w.receiverVersion->text(), recordReceiverImage, cid, mid);
        pendingStageCount = other ? 2 : 1;
        return true;
    }
    return Stopped(count == 0 ? t.noDevice : t.sameDevice);
}

void FirmwareUpdateController::on_Start()
{
    dialog->ShowRunningState();
    endedAsFailed = false;
    updateStageCount = pendingStageCount;
    const QString group =
        updateModelGroup.isEmpty() ? ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex) : updateModelGroup;
    const int mid = ConfigSettings::Instance()->Value(group, QStringLiteral("MID")).toInt();
    const bool receiverNewer =
        FindNewerFirmwareImage(211, w.receiverVersion->text(), recordReceiverImage, updateCid, mid);
    if (!receiverNewer && mouseAfterReceiver == 1) {
        reportInDialog = true;
        StartMouse();
        return;
    }
    const bool writing = machine->ReceiverStage() == FirmwareUpdateMachine::Writing
                         || machine->MouseStage() == FirmwareUpdateMachine::Writing;
    if (writing || MouseUpdateStarted() || receiverUpToDate) {
        if (receiverUpToDate) {
            PlainLook();
            PostMsg::Instance()->EmitSigAddUpdate(0, false);
            PostMsg::Instance()->EmitSigAddUpdate(1, false);
            SlotContinue(0);
        }
        return;
    }
    StartReceiver();
}

bool FirmwareUpdateController::MouseUpdateStarted() const
{
    return machine->Running() && machine->Target() == 210;
}

void FirmwareUpdateController::StartReceiver()
{
    // The receiver's class as the version display finds it; with no receiver
    // beside the current device, the one the failed update named.
    const int kind = CurrentKindCode();
    if (kind != 0)
        updateKindCode = kind;
    if (receiverUpToDate || MouseUpdateStarted())
        return;
    w.receiverMark->hide();
    w.mouseMark->hide();
    machine->Start(211, w.receiverVersion->text(), updateKindCode, updateStageCount, 0);
}

void FirmwareUpdateController::StartMouse()
{
    const DeviceAllInfo device = CurrentDevice::Info();
    if (device.wired && (sessionDeviceList.isEmpty() || !sessionDeviceList.first().wired
                         || sessionDeviceList.first().mid != device.mid)) {
        // Only the first device found can be written on its cable.
        endedAsFailed = true;
        PostMsg::Instance()->EmitSigProgress(0, 5);
        return;
    }
    if (mouseUpToDate) {
        w.updateButton->setText(t.newVersion);
        return;
    }
    if (machine->Running() && machine->Target() == 211)
        return;
    w.receiverMark->hide();
    w.mouseMark->hide();
    machine->Start(210, w.mouseVersion->text(), updateKindCode, updateStageCount, mouseAfterReceiver);
}

void FirmwareUpdateController::SlotContinue(int)
{
    const int receiverStage = machine->ReceiverStage();
    const int mouseStage = machine->MouseStage();
    if (mouseUpdateAvailable
        && (receiverStage == FirmwareUpdateMachine::Written || receiverStage == FirmwareUpdateMachine::NothingToWrite)) {
        reportInDialog = true;
        StartMouse();
    }
    if (receiverUpdateAvailable
        && (mouseStage == FirmwareUpdateMachine::Written || mouseStage == FirmwareUpdateMachine::NothingToWrite)) {
        reportInDialog = true;
        StartReceiver();
    }
}

void FirmwareUpdateController::OnMachineFinished(int target, int stage)
{
    const bool noDevice = stage == FirmwareUpdateMachine::Idle && !machine->NoDeviceReason().isEmpty();
    if (noDevice) {
        // No device, or several: nothing was written.
        if (reportInDialog && w.warning) {
            NoticeFrame::PlaceOnCaller(w.warning, w.page, -75, -65);
            w.warning->setModal(true);
            w.warning->SetText(machine->NoDeviceReason());
            w.warning->show();
        } else {
            (target == 211 ? w.receiverMark : w.mouseMark)->show();
        }
    }
    reportInDialog = false;
    if (target == 211) {
        if (stage == FirmwareUpdateMachine::NothingToWrite)
            receiverUpToDate = true;
        if (stage == FirmwareUpdateMachine::Failed) {
            // The update ends as failed: a mouse written now would remove the
            // receiver's failure record and report the update complete.
        } else if (mouseAfterReceiver == 1) {
            reportInDialog = true;
            StartMouse();
        } else {
            SlotContinue(0);
        }
        // Nothing follows: the dialog must not wait on at half a bar.
        if (stage == FirmwareUpdateMachine::NothingToWrite && !machine->Running())
            PostMsg::Instance()->EmitSigProgress(0, 1);
        if (stage == FirmwareUpdateMachine::Written && updateStageCount == 2 && !machine->Running() && !endedAsFailed)
            PostMsg::Instance()->EmitSigProgress(0, 2);
    } else if (stage == FirmwareUpdateMachine::NothingToWrite) {
        mouseUpToDate = true;
        w.updateButton->setText(t.newVersion);
        PostMsg::Instance()->EmitSigProgress(0, 1);
    }
    if (noDevice && !machine->Running()) {
        // Nothing was written and nothing follows: the update ends as failed,
        // so the dialog gets its buttons back and can be closed.
        endedAsFailed = true;
        PostMsg::Instance()->EmitSigProgress(0, 1);
    }
    if (stage == FirmwareUpdateMachine::Written || stage == FirmwareUpdateMachine::NothingToWrite)
        PlainLook();
}
