#include "settings/UpDateRepair.h"

#include "app/ConfigSettings.h"
#include "app/LanguageTables.h"
#include "app/PostMsg.h"
#include "app/ThemeColor.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "dialogs/DismissGuard.h"
#include "dialogs/NoticeForm.h"
#include "dialogs/NoticeFrame.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareState.h"
#include "settings/FirmwareUpdateState.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QToolButton>
#include <atomic>

UpDateRepair* repairDialog = nullptr;

namespace {

const QString kOption = QStringLiteral("Option");

// Shared by every instance and by the status reports.
struct RepairState {
    bool running = false;
    bool upgradeActive = false;
    int stage = 0;
    int finalStage = 0;
    int stageCount = 1;
    int kindCode = 0;
    int cid = 0;
    int mid = 0;
    QString mouseImageName;
    QString receiverImageName;
    QString modelGroup;
    // The image being written, held until its stage ends.
    QByteArray writingBlock;
    // The last receiver id copy: whether its receiver answered, and the
    // five bytes sent to the mice.
    bool idReceiverOnline = false;
    QByteArray idRecord;
};
RepairState repair;

void RepairEnded(bool success)
{
    PostMsg* hub = PostMsg::Instance();
    if (success) {
        hub->EmitSigAutoRepair(0);
        hub->EmitSigUpDateButton(true);
        hub->EmitSigProgress(0, 2);
    } else {
        hub->EmitSigAutoRepair(1);
        hub->EmitSigUpDateButton(false);
        hub->EmitSigProgress(0, 6);
    }
    repair.running = false;
}

// Starts writing the block; false when the library refused.
bool WriteStage(const QByteArray& block)
{
    if (block.isEmpty())
        return false;
    repair.writingBlock = block;
    const RozFirmwareImage image = FirmwareImageView(repair.writingBlock);
    return UsbUpgrade_Start(&image, &UpDateRepair::UpgradeStatusCallback, 10000) != 0;
}

void StageFailed()
{
    FirmwareState::WriteFailRecord(repair.stage == 0 ? 211 : 210, repair.kindCode, repair.cid, repair.mid);
    RepairEnded(false);
    pollAllowed = 1;
    repair.upgradeActive = false;
}

void HandleStatus(int kind, int value)
{
    if (!repair.running)
        return;
    PostMsg* hub = PostMsg::Instance();
    if (kind == 1) {
        repair.upgradeActive = true;
        int shown = value;
        if (repair.stageCount == 2)
            shown = value / 2 + (repair.stage == 1 ? 50 : 0);
        hub->EmitSigAutoRepairProgress(shown);
        return;
    }
    if (value != 1) {
        StageFailed();
        return;
    }
    if (repair.stage == repair.finalStage)
        FirmwareState::RemoveFailRecord();
    if (repair.stage == 1) {
        RepairEnded(true);
    } else {
        repair.stage = 1;
        bool mousePresent = repair.finalStage == 1;
        for (const DeviceAllInfo& entry : DeviceDiscovery::foundDeviceList)
            mousePresent = mousePresent || (entry.wired && entry.mid == repair.mid);
        const bool found = FindFirmwareImage(210, QString(), repair.mouseImageName, repair.cid, repair.mid);
        if (found && mousePresent) {
            if (!WriteStage(firmwareImageList.First())) {
                StageFailed(); // refused: no report will come
                return;
            }
        } else if (repair.finalStage == 1) {
            // The mouse the record names still waits for its image: the
            // repair failed, whatever the receiver's stage did.
            StageFailed();
            return;
        } else {
            RepairEnded(true);
        }
    }
    pollAllowed = repair.running ? 0 : 1;
    repair.upgradeActive = false;
}

// Byte 4 of a receiver id record: the receiver class as the mouse knows it
// (-1: none).
int IdKindByte(int kindCode)
{
    switch (kindCode) {
    case 1: return 0;
    case 2:
    case 4: return 1;
    case 8: return 4;
    default: return -1;
    }
}

// True when there was a mouse on its cable and every one took the id.
bool SendIdToWiredMice(const QList<DeviceAllInfo>& devices, const QByteArray& record)
{
    bool sent = false;
    bool allTaken = true;
    for (const DeviceAllInfo& entry : devices) {
        if (!entry.wired)
            continue;
        sent = true;
        const QByteArray path = entry.path.toUtf8();
        allTaken = UsbFinderC_SetDongleIDToMouse(path.constData(), reinterpret_cast<const unsigned char*>(record.constData()))
                       != 0
                   && allTaken;
    }
    return sent && allTaken;
}

const QString kAlarmStyle = QStringLiteral("#ToolText_2{color: rgb(255,0,0);background-color:rgba(0,0,0,0);}");

} // namespace

void UpDateRepair::UpgradeStatusCallback(const unsigned char* status)
{
    // The library's thread: the bytes are copied and the handling queued to
    // the GUI thread, with no lock held, so the next stage's start there may
    // call the library again.
    if (!status || status[0] != 7 || (status[1] != 1 && status[1] != 2))
        return;
    const int kind = status[1];
    const int value = status[2];
    QMetaObject::invokeMethod(QCoreApplication::instance(), [kind, value] { HandleStatus(kind, value); }, Qt::QueuedConnection);
}

bool UpDateRepair::RepairRunning()
{
    return repair.running;
}

UpDateRepair::UpDateRepair(QWidget* parent)
    : QDialog(parent)
    , form(new NoticeForm(this, QStringLiteral("UpDateRepair"), QStringLiteral("AutoRepair")))
{
    setFixedSize(460, 289);
    form->frame->setMaximumSize(460, 289);
    form->frame->setMinimumSize(460, 289);
    form->frame->setGeometry(0, 0, 460, 289);
    form->CloseButton->setGeometry(430, 5, 20, 20);
    form->label->setObjectName(QStringLiteral("ToolText"));
    form->label->setGeometry(80, 20, 300, 91);
    form->label->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    form->label->setWordWrap(true);
    statusLine = new QLabel(form->frame);
    statusLine->setObjectName(QStringLiteral("ToolText_2"));
    statusLine->setGeometry(80, 130, 300, 51);
    statusLine->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    statusLine->setWordWrap(true);
    statusLine->setFont(form->label->font());
    progressBar = new QProgressBar(form->frame);
    progressBar->setObjectName(QStringLiteral("progressBar_2"));
    progressBar->setGeometry(85, 200, 290, 26);
    progressBar->setValue(0);
    progressBar->setFormat(QStringLiteral("%p%"));
    progressBar->setFont(form->label->font());
    form->AddOkButton(QStringLiteral("NewHong_2"), QRect(90, 240, 120, 24), QString());
    form->AddCancelButton(QStringLiteral("NewHong"), QRect(250, 240, 120, 24), QString());
    connect(form->CloseButton, &QToolButton::clicked, this, &UpDateRepair::on_CloseButton_clicked);
    connect(form->cancelButton, &QToolButton::clicked, this, &UpDateRepair::on_NewHong_clicked);
    connect(form->okButton, &QToolButton::clicked, this, &UpDateRepair::on_NewHong_2_clicked);
    form->cancelButton->hide();
    progressBar->hide();
    form->okButton->hide();
    statusLine->hide();

    pictureDir = NoticeFrame::PictureFolder();
    form->ApplyStyle(pictureDir);
    // The notices' background is smaller than this dialog: it is stretched
    // over the whole frame, its header and rounded edges kept at their size.
    form->frame->setStyleSheet(QStringLiteral("#AutoRepair{border-width:30px 8px 8px 8px;border-image: url(") + pictureDir
                               + QStringLiteral("BackGround.png) 30 8 8 8 stretch stretch;}"));
    for (QToolButton* button : {form->okButton, form->cancelButton}) {
        button->setStyleSheet(QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: ")
                              + ThemeColor::Rgb(QStringLiteral("ButtonColor")) + QStringLiteral(";border-image: url(")
                              + pictureDir + QStringLiteral("ok_nr.png);}QToolButton:hover{border-image: url(") + pictureDir
                              + QStringLiteral("ok_enter.png);}"));
    }
    statusLine->setStyleSheet(kAlarmStyle);
    progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar {\n   border: 2px solid grey;\n   border-radius: 5px;\n   background-color: TRANSPARENT;\n"
        "\tcolor: rgb(255, 255, 255);\n}\nQProgressBar::chunk {\n   background-color: rgb(80, 240, 0);\n"
        "   width: 20px;\n}\nQProgressBar {\n   border: 2px solid grey;\n   border-radius: 5px;\n"
        "   text-align: center;\n}"));

    // Like the close button, Escape leaves the dialog alone while an image is
    // written: hidden, it would leave the user no sign of the write.
    new DismissGuard(this, [] { return repair.running || upgradeRunning; });

    PostMsg::Connect(SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    PostMsg::Connect(SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    PostMsg::Connect(SIGNAL(SigProgress(int,int)), this, SLOT(SlotProgress(int,int)));
    PostMsg::Connect(SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    PostMsg::Connect(SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(languageIndex);
    form->ScaleFonts();
}

UpDateRepair::~UpDateRepair()
{
    if (repairDialog == this)
        repairDialog = nullptr;
    delete form;
}

void UpDateRepair::SlotAllLanguage(int index)
{
    auto text = [index](const char* section, const char* key) {
        return LanguageTables::Text(index, QLatin1String(section), QLatin1String(key));
    };
    warnUpdateText = text("home", "WarnUpdate");
    startText = text("update", "DialogUpgradeStart");
    cancelText = text("common", "Cancel");
    okText = text("common", "OK");
    readyText = text("home", "ReadyUpdate");
    successText = text("update", "DialogUpgradeSuccess");
    failText = text("update", "DialogUpgradeFail");
    notDeviceText = text("home", "NotDevice");
    sameDeviceText = text("home", "SameDevice");
    noReceiveText = text("home", "NoRecieve");
    noUsbText = text("home", "NoUSB");
    multiMouseText = text("home", "MultiMouse");
    multiDongleText = text("home", "MultiDongle");
    errorFileText = text("home", "ErrorFile");
    form->label->setText(warnUpdateText);
}

void UpDateRepair::GiveShortcuts()
{
    form->okButton->setShortcut(QKeySequence(Qt::Key_Return));
    form->cancelButton->setShortcut(QKeySequence(Qt::Key_Escape));
}

void UpDateRepair::ResetToStart()
{
    form->okButton->setText(startText);
    form->okButton->show();
    form->cancelButton->setText(cancelText);
    form->cancelButton->show();
    form->CloseButton->show();
    ShowStatus(QString(), false);
    statusLine->show();
    progressBar->setValue(0);
    progressBar->hide();
    GiveShortcuts();
}

void UpDateRepair::ShowReadyState()
{
    form->okButton->setText(startText);
    form->okButton->show();
    form->cancelButton->setText(cancelText);
    form->cancelButton->show();
    form->cancelButton->setEnabled(true);
    form->CloseButton->show();
    form->CloseButton->setEnabled(true);
    ShowStatus(readyText, false);
    statusLine->show();
    progressBar->hide();
    GiveShortcuts();
}

void UpDateRepair::ShowStoppedState(bool alarm)
{
    ShowStatus(statusLine->text(), alarm);
    form->okButton->setText(okText);
    form->okButton->show();
    form->cancelButton->show();
    form->cancelButton->setEnabled(true);
    form->CloseButton->show();
    form->CloseButton->setEnabled(true);
    statusLine->show();
    progressBar->hide();
    GiveShortcuts();
}

void UpDateRepair::ShowRunningState()
{
    form->okButton->hide();
    form->cancelButton->hide();
    form->cancelButton->setEnabled(false);
    form->CloseButton->show();
    form->CloseButton->setEnabled(false);
    ShowStatus(warnUpdateText, false);
    statusLine->show();
    progressBar->show();
    GiveShortcuts();
}

void UpDateRepair::SetStatusText(const QString& text)
{
    statusLine->setText(text);
}

void UpDateRepair::ShowStatus(const QString& text, bool alarm)
{
    statusLine->setText(text);
    statusLine->setStyleSheet(alarm ? kAlarmStyle
                                    : QStringLiteral("#ToolText_2{color: ") + ThemeColor::Rgb(QStringLiteral("LabelColor"))
                                          + QStringLiteral(";background-color:rgba(0,0,0,0);}"));
}

QString UpDateRepair::StatusText() const { return statusLine->text(); }
QString UpDateRepair::StartButtonText() const { return form->okButton->isVisible() ? form->okButton->text() : QString(); }
int UpDateRepair::ProgressValue() const { return progressBar->value(); }
bool UpDateRepair::ProgressShown() const { return !progressBar->isHidden(); }

bool UpDateRepair::Refuse(const QString& text)
{
    statusLine->setText(text);
    ShowStoppedState(true);
    return false;
}

bool UpDateRepair::CheckRepairReady()
{
    FirmwareState::FailRecord record;
    if (!FirmwareState::ReadFailRecord(&record))
        return false;
    repair.kindCode = 0;
    const int failTarget = record.target;
    const QList<DeviceAllInfo> found = DeviceDiscovery::foundDeviceList;
    if (found.isEmpty())
        return Refuse(failTarget == 210 ? noReceiveText : failTarget == 211 ? noUsbText : notDeviceText);
    if (found.size() > 1) {
        int wired = 0, receivers = 0;
        DeviceAllInfo lastWired, lastReceiver;
        for (const DeviceAllInfo& entry : found) {
            if (entry.wired) {
                ++wired;
                lastWired = entry;
            } else {
                ++receivers;
                lastReceiver = entry;
            }
        }
        if (wired >= 2)
            return Refuse(multiMouseText);
        if (receivers >= 2)
            return Refuse(multiDongleText);
        if (failTarget == 210 && lastWired.mid != record.mid)
            return Refuse(multiMouseText);
        if (failTarget == 211 && lastReceiver.mid != record.mid)
            return Refuse(multiDongleText);
    }
    int receiverCount = 0;
    if (failTarget == 211) {
        ConfigSettings* config = ConfigSettings::Instance();
        const QStringList keys{QStringLiteral("Wireless_PID"), QStringLiteral("Wireless2_PID"),
                               QStringLiteral("Wireless4_PID"), QStringLiteral("Wireless8_PID")};
        auto countIn = [&](const QStringList& pids) {
            int n = 0;
            for (const DeviceAllInfo& entry : DeviceDiscovery::foundDeviceListCopy)
                n += pids.contains(entry.pidText) ? 1 : 0;
            return n;
        };
        QStringList all;
        for (const QString& key : keys)
            all += config->ListValue(kOption, key);
        receiverCount = countIn(all);
        if (receiverCount == 1) {
            const int k = record.kindText == QLatin1String("1") ? 0 : record.kindText == QLatin1String("2") ? 1
                        : record.kindText == QLatin1String("4") ? 2 : record.kindText == QLatin1String("8") ? 3 : -1;
            receiverCount = k < 0 ? 0 : countIn(config->ListValue(kOption, keys.at(k)));
        }
    }
    repair.stage = 0;
    if (!directStart) {
        const DeviceAllInfo& first = found.first();
        if (failTarget == 211 && !(first.wired && first.mid == record.mid))
            return Refuse(noUsbText);
        if (failTarget == 210 && !(!first.wired && first.mid == record.mid))
            return Refuse(noReceiveText);
    }
    // Model, names and images, also on a direct start so that there is an
    // image to count boot devices for and to write; from this record alone,
    // never from an earlier check.
    ConfigSettings* config = ConfigSettings::Instance();
    const int total = config->Value(kOption, QStringLiteral("DeviceTotal")).toInt();
    repair.modelGroup.clear();
    repair.receiverImageName.clear();
    for (int n = 1; n <= total; ++n) {
        const QString group = QStringLiteral("Drive") + QString::number(n);
        if (config->Value(group, QStringLiteral("MID")).toInt() == record.mid) {
            repair.modelGroup = group;
            break;
        }
    }
    if (repair.modelGroup.isEmpty()) {
        // A model the configuration does not know has no images to write.
        repairReady = false;
        repair.running = false;
        return Refuse(errorFileText);
    }
    repair.mouseImageName = config->Value(repair.modelGroup, QStringLiteral("MM"));
    if (!ReceiverImageKey(record.kindCode).isEmpty() && (record.kindText == QString::number(record.kindCode))) {
        repair.kindCode = record.kindCode;
        repair.receiverImageName = config->Value(repair.modelGroup, ReceiverImageKey(record.kindCode));
    }
    repair.cid = record.cid;
    repair.mid = config->Value(repair.modelGroup, QStringLiteral("MID")).toInt();
    const bool mouseImage = FindFirmwareImage(210, QString(), repair.mouseImageName, repair.cid, repair.mid);
    const bool receiverImage = FindFirmwareImage(211, QString(), repair.receiverImageName, repair.cid, repair.mid);
    repair.stageCount = mouseImage && receiverImage ? 2 : 1;
    if (failTarget == 211) {
        repair.finalStage = 0;
        repairReady = FindFirmwareImage(211, QString(), repair.receiverImageName, repair.cid, repair.mid);
    } else {
        repair.finalStage = 1;
        repairReady = FindFirmwareImage(210, QString(), repair.mouseImageName, repair.cid, repair.mid);
    }
    const QByteArray block = firmwareImageList.First();
    if (!repairReady || block.isEmpty()) {
        // No image for the failed target: nothing can be written.
        repairReady = false;
        repair.running = false;
        return Refuse(errorFileText);
    }
    const RozFirmwareImage image = FirmwareImageView(block);
    int boot = 5;
    UsbUpgradeC_FindBootDevices(&image, &boot);
    const int all = boot + receiverCount;
    if (all == 1)
        return true;
    repair.running = false;
    return Refuse(all == 0 ? notDeviceText : sameDeviceText);
}

void UpDateRepair::StartRepair()
{
    if (!repairReady)
        return;
    repair.running = true;
    ShowRunningState();
    pollAllowed = 0;
    repair.stage = 0;
    if (!FindFirmwareImage(211, QString(), repair.receiverImageName, repair.cid, repair.mid)) {
        repair.stage = 1;
        if (!FindFirmwareImage(210, QString(), repair.mouseImageName, repair.cid, repair.mid)) {
            // Nothing to write: say so, never success.
            repair.running = false;
            pollAllowed = 1;
            repairReady = false;
            statusLine->setText(errorFileText);
            ShowStoppedState(true);
            return;
        }
    }
    repairReady = WriteStage(firmwareImageList.First());
    if (!repairReady)
        StageFailed(); // the library refused: no report will come
}

void UpDateRepair::StartDirectUpdate(int)
{
    // The top-level window's direct start comes without the check: the caller
    // found exactly one receiver and a receiver image for it. The repair takes
    // that receiver's model and class and is ready, as the check's own
    // direct-start step would make it, so the image is written.
    directStart = true;
    ResetToStart(); // the buttons' texts, for when the result shows them
    const QList<DeviceAllInfo> found = DeviceDiscovery::foundDeviceList;
    if (found.size() == 1 && !found.first().wired) {
        const DeviceAllInfo& device = found.first();
        ConfigSettings* config = ConfigSettings::Instance();
        repair.modelGroup = ConfigSettings::ModelGroup(device.modelIndex);
        repair.kindCode = ReceiverKindCode(device.connectionKind);
        repair.receiverImageName = repair.kindCode == 0
                                       ? QString()
                                       : config->Value(repair.modelGroup, ReceiverImageKey(repair.kindCode));
        repair.mouseImageName = config->Value(repair.modelGroup, QStringLiteral("MM"));
        repair.cid = config->Value(kOption, QStringLiteral("CID")).toInt();
        repair.mid = config->Value(repair.modelGroup, QStringLiteral("MID")).toInt();
        // Only the receiver is written: no mouse is on a cable beside it.
        repair.finalStage = 0;
        repair.stageCount = 1;
        repair.stage = 0;
        repairReady = true;
    } else {
        repairReady = false;
        Refuse(notDeviceText); // no single receiver to write
    }
    StartRepair();
    directStart = false;
}

bool UpDateRepair::CopyDongleIdToMouse()
{
    const QList<DeviceAllInfo> devices = DeviceDiscovery::foundDeviceListCopy;
    bool copied = false;
    repair.idReceiverOnline = false;
    repair.idRecord.clear();
    for (const DeviceAllInfo& entry : devices) {
        if (entry.wired)
            continue;
        unsigned char status[10] = {};
        const QByteArray path = entry.path.toUtf8();
        repair.idReceiverOnline = UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), status) != 0;
        repair.idRecord.clear();
        copied = false;
        if (!repair.idReceiverOnline)
            continue;
        // The class the failed update named; else the receiver's own.
        int kind = IdKindByte(repair.kindCode);
        if (kind < 0)
            kind = IdKindByte(ReceiverKindCode(static_cast<ConnectionKind>(status[1])));
        if (kind < 0)
            continue; // no class the mouse would know: nothing is sent
        repair.idRecord = QByteArray() + static_cast<char>(status[9]) + static_cast<char>(status[8])
                          + static_cast<char>(status[7]) + '\0' + static_cast<char>(kind);
        copied = SendIdToWiredMice(devices, repair.idRecord);
    }
    return copied;
}

bool UpDateRepair::ResendDongleIdToMouse()
{
    if (!repair.idReceiverOnline || repair.idRecord.isEmpty())
        return false;
    return SendIdToWiredMice(DeviceDiscovery::foundDeviceListCopy, repair.idRecord);
}

void UpDateRepair::SlotAutoRepair(int index)
{
    ShowStatus(index == 0 ? successText : failText, index != 0);
    form->okButton->setText(okText);
    GiveShortcuts();
    form->cancelButton->show();
}

void UpDateRepair::SlotAutoRepairProgress(int index)
{
    progressBar->setValue(index);
}

void UpDateRepair::SlotProgress(int schedue, int Discrib)
{
    auto finished = [this] {
        statusLine->show();
        form->cancelButton->show();
        form->CloseButton->setEnabled(true);
        form->cancelButton->setEnabled(true);
    };
    switch (Discrib) {
    case 0: progressBar->setValue(schedue); break;
    case 1:
        form->okButton->setText(okText);
        form->cancelButton->show();
        form->okButton->show();
        ShowStatus(failText, true);
        finished();
        break;
    case 2:
        form->okButton->setText(okText);
        ShowStatus(successText, false);
        progressBar->setValue(100);
        form->okButton->show();
        finished();
        break;
    case 3: form->cancelButton->hide(); break;
    case 4:
        form->cancelButton->hide();
        progressBar->setValue(0);
        break;
    case 5:
        form->okButton->setText(okText);
        form->okButton->show();
        ShowStatus(failText, true);
        finished();
        progressBar->setValue(50);
        break;
    case 6:
        ShowStatus(failText, true);
        finished();
        break;
    default: break;
    }
    GiveShortcuts();
}

void UpDateRepair::FinishOrClose()
{
    if (repair.upgradeActive)
        return;
    if (!progressBar->isHidden()) {
        if (progressBar->value() == 100) {
            PostMsg::Instance()->EmitSigSetNewVer();
        } else if (devicePageShown != 0) {
            PostMsg::Instance()->EmitSigChangeMainDialog(0);
        }
    }
    close();
}

void UpDateRepair::on_CloseButton_clicked() { FinishOrClose(); }
void UpDateRepair::on_NewHong_clicked() { FinishOrClose(); }

void UpDateRepair::on_NewHong_2_clicked()
{
    if (!repair.upgradeActive && !progressBar->isHidden()) {
        FinishOrClose();
        return;
    }
    if (form->okButton->text() == okText) {
        close();
    } else if (devicePageShown == 0) {
        StartRepair();
    } else {
        PostMsg::Instance()->EmitSigUpdateStart();
    }
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    if (CheckRepairReady())
        ShowReadyState();
}
