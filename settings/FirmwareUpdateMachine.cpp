#include "settings/FirmwareUpdateMachine.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateState.h"
#include "platform/files/FileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QPointer>
#include <atomic>

namespace {

// The machine the library's reports go to; the library's callback has no
// context argument, so there is one running machine at a time.
std::atomic<FirmwareUpdateMachine*> reportTarget{nullptr};

} // namespace

FirmwareUpdateMachine::FirmwareUpdateMachine(QObject* parent) : QObject(parent)
{
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &FirmwareUpdateMachine::Step);
}

FirmwareUpdateMachine::~FirmwareUpdateMachine()
{
    FirmwareUpdateMachine* self = this;
    reportTarget.compare_exchange_strong(self, nullptr);
}

void FirmwareUpdateMachine::SetTiming(int tickMs, int limitMs)
{
    timer.setInterval(qMax(1, tickMs));
    waitLimitMs = qMax(1, limitMs);
}

void FirmwareUpdateMachine::SetReasonTexts(const QString& noMouse, const QString& noReceiver, const QString& several)
{
    noMouseText = noMouse;
    noReceiverText = noReceiver;
    severalText = several;
}

QString FirmwareUpdateMachine::ModelValue(const QString& key) const
{
    return ConfigSettings::Instance()->Value(ConfigSettings::ModelGroup(CurrentDevice::Info().modelIndex), key);
}

bool FirmwareUpdateMachine::Start(int newTarget, const QString& version, int kind, int stages, int mouseViaReceiver)
{
    if (running)
        return false;
    target = newTarget;
    versionText = version;
    kindCode = kind;
    stageCount = stages == 2 ? 2 : 1;
    mouseAfterReceiver = mouseViaReceiver;
    StageOf(target) = Idle;
    noDeviceReason.clear();
    running = true;
    upgradeRunning = true;
    pollAllowed = 0; // no offline poll, no fall-back to the chooser while writing
    ++generation;
    state = 0;
    timer.start();
    return true;
}

void FirmwareUpdateMachine::Step()
{
    switch (state) {
    case 0: StepFindImage(); break;
    case 1: StepCountAndStart(); break;
    case 3: StepWait(); break;
    case kEndState: StepEnd(); break;
    default: break;
    }
}

void FirmwareUpdateMachine::StepFindImage()
{
    cid = ConfigSettings::Instance()->Value(QStringLiteral("Option"), QStringLiteral("CID")).toInt();
    updateCid = cid;
    mid = ModelValue(QStringLiteral("MID")).toInt();
    bool found = false;
    bootDeviceCount = 0;
    if (target == 210) {
        found = FindNewerFirmwareImage(210, versionText, ModelValue(QStringLiteral("MM")), cid, mid);
    } else {
        receiverPaths.clear();
        const QString name = ModelValue(ReceiverImageKey(kindCode));
        if (!ReceiverImageKey(kindCode).isEmpty() && (kindCode == 1 || !name.isEmpty())) {
            found = FindNewerFirmwareImage(211, QString(), name, cid, mid);
            const QByteArray block = updateImageList.First();
            if (found && !block.isEmpty()) {
                const RozFirmwareImage image = FirmwareImageView(block);
                int count = 0;
                UsbUpgradeC_FindBootDevices(&image, &count);
                bootDeviceCount = count;
            }
        }
        const DeviceAllInfo current = CurrentDevice::Info();
        for (const DeviceAllInfo& entry : sessionDeviceList) {
            if (!entry.wired && (current.wired || entry.path == current.path))
                receiverPaths.append(entry.path);
        }
    }
    if (!found && kindCode != 0) {
        StageOf(target) = NothingToWrite;
        FinishStage();
        return;
    }
    state = 1;
}

void FirmwareUpdateMachine::StepCountAndStart()
{
    int count = 0;
    if (target == 210) {
        for (const DeviceAllInfo& entry : sessionDeviceList)
            count += entry.wired ? 1 : 0;
        count += mouseAfterReceiver;
    } else {
        count = receiverPaths.size() + bootDeviceCount;
    }
    if (count != 1) {
        // Nothing is written when there is no device or a choice between two.
        StageOf(target) = Idle;
        noDeviceReason = count == 0 ? (target == 210 ? noMouseText : noReceiverText) : severalText;
        state = kEndState;
        return;
    }
    bool found = false;
    if (target == 210) {
        found = FindNewerFirmwareImage(210, versionText, ModelValue(QStringLiteral("MM")), cid, mid);
    } else {
        const QString name = ModelValue(ReceiverImageKey(kindCode));
        if (bootDeviceCount == 1) {
            // A receiver in boot mode is always written, whatever its version.
            found = FindNewerFirmwareImage(211, QString(), name, cid, mid);
        } else {
            QString current = versionText;
            if (kindCode == 4 || kindCode == 8 || kindCode == 2) {
                int word = 0;
                current.clear();
                if (UsbFinderC_GetSlaveVersion(receiverPaths.first().toUtf8().constData(), &word))
                    current = FirmwareVersionText(static_cast<quint32>(word) >> 8, static_cast<quint8>(word & 0xFF));
            }
            found = FindNewerFirmwareImage(211, current, name, cid, mid);
        }
    }
    const QByteArray block = updateImageList.First();
    if (!found || block.isEmpty()) {
        StageOf(target) = NothingToWrite;
        FinishStage();
        return;
    }
    // The stage is set before the library can answer, so an early end
    // report is taken, not lost.
    StageOf(target) = Writing;
    reportTarget = this;
    writingBlock = block;
    const RozFirmwareImage image = FirmwareImageView(writingBlock);
    const quint64 startedGeneration = generation;
    if (!UsbUpgrade_Start(&image, &FirmwareUpdateMachine::OnUpgradeStatus, 10000)) {
        // The library refused: nothing will report, so the stage ends here.
        if (generation == startedGeneration && StageOf(target) == Writing)
            FailWrite();
        state = 3;
        return;
    }
    waitStarted = QDateTime::currentMSecsSinceEpoch();
    state = 3;
}

void FirmwareUpdateMachine::StepWait()
{
    if (StageOf(target) != Writing) {
        state = kEndState;
        return;
    }
    if (QDateTime::currentMSecsSinceEpoch() - waitStarted >= waitLimitMs) {
        ++generation; // a report still coming belongs to a write given up
        FailWrite();
        state = kEndState;
    }
}

void FirmwareUpdateMachine::StepEnd()
{
    timer.stop();
    FinishStage();
    running = false;
    upgradeRunning = false;
    emit Finished(target, StageOf(target));
}

void FirmwareUpdateMachine::FinishStage()
{
    pollAllowed = 1;
    PostMsg* hub = PostMsg::Instance();
    const int stage = StageOf(target);
    if (stage == Written || stage == NothingToWrite) {
        if (stage == Written) {
            FirmwareState::RemoveFailRecord();
            (target == 211 ? receiverUpdateAvailable : mouseUpdateAvailable) = false;
        }
        hub->EmitSigAddUpdate(0, false);
        hub->EmitSigAddUpdate(1, false);
    }
    state = kEndState;
}

void FirmwareUpdateMachine::FailWrite()
{
    const QString folder = AppPaths::UserDataFolder() + QStringLiteral("/Exception");
    QDir().mkpath(folder);
    // The log is created, or emptied, and nothing more is ever written to it.
    FileWriter::Replace(folder + QStringLiteral("/UpDateLog.txt"), QByteArray());
    mouseUpdateAvailable = false;
    receiverUpdateAvailable = false;
    if (receiverStage == Writing)
        receiverStage = Failed;
    if (mouseStage == Writing)
        mouseStage = Failed;
    PostMsg::Instance()->EmitSigProgress(0, 1);
    FirmwareState::WriteFailRecord(target, kindCode, cid, mid);
}

void FirmwareUpdateMachine::OnUpgradeStatus(const unsigned char* status)
{
    // On the library's thread: copy the bytes and queue them; no lock is
    // held here, so the library may be called again from the queued handler.
    if (!status || status[0] != 7)
        return;
    const int kind = status[1];
    const int value = status[2];
    FirmwareUpdateMachine* machine = reportTarget.load();
    if (!machine || (kind != 1 && kind != 2))
        return;
    QPointer<FirmwareUpdateMachine> guard(machine);
    const quint64 startedGeneration = machine->generation;
    QMetaObject::invokeMethod(machine, [guard, kind, value, startedGeneration] {
        if (guard && guard->generation == startedGeneration)
            guard->HandleStatus(kind, value);
    }, Qt::QueuedConnection);
}

void FirmwareUpdateMachine::HandleStatus(int kind, int value)
{
    PostMsg* hub = PostMsg::Instance();
    if (kind == 1) {
        if (receiverStage == Writing)
            hub->EmitSigProgress(stageCount == 1 ? value : value / 2, 0);
        else if (mouseStage == Writing)
            hub->EmitSigProgress(stageCount == 1 ? value : value / 2 + 50, 0);
        return;
    }
    if (value != 1) {
        if (StageOf(target) == Writing)
            FailWrite();
        return;
    }
    FirmwareImageHeader header;
    const QString version = ReadFirmwareImageHeader(writingBlock, &header) ? FirmwareVersionText(header) : QString();
    if (receiverStage == Writing) {
        receiverStage = Written;
        if (stageCount == 1)
            hub->EmitSigProgress(0, 2);
        hub->EmitSigLabelText(0, version);
    } else if (mouseStage == Writing) {
        mouseStage = Written;
        FirmwareState::StoreMouseVersion(version);
        hub->EmitSigProgress(0, 2);
        hub->EmitSigLabelText(1, version);
    } else {
        return;
    }
    FirmwareState::RemoveFailRecord();
}
