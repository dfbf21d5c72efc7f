#include "device/Worker.h"
#include "app/TraceLog.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkState.h"
#include "device/DeviceReportHandler.h"
#include "device/DeviceServer.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareImages.h"
#include "settings/FirmwareUpdateState.h"

#include <QDir>
#include <QTimer>
#include <QtDebug>

#include <algorithm>

Worker* deviceWorker = nullptr;

namespace {

constexpr int kCheckOnlineMs = 1300;
// The device link's own status buffer: byte 6 online, bytes 7..9 address.
unsigned char sessionStatus[10] = {};

std::mutex passPointHookMutex;
std::function<void(Worker::PassPoint)> passPointHook;

void ReachPassPoint(Worker::PassPoint point)
{
    std::function<void(Worker::PassPoint)> hook;
    {
        std::lock_guard<std::mutex> lock(passPointHookMutex);
        hook = passPointHook;
    }
    if (hook)
        hook(point);
}

} // namespace

Worker::Worker(QObject* parent)
    : QThread(nullptr)
{
    Q_UNUSED(parent);
    workerRunFlag = 1;
    DeviceReportHandler::StartStatusStopwatch();
    CurrentDevice::SetPath(m_placeholderPath);
    lastOnline = 0;

    m_checkOnlineTimer = new QTimer(this);
    connect(m_checkOnlineTimer, &QTimer::timeout, this, &Worker::SlotCheckOnline);
    m_checkOnlineTimer->setInterval(kCheckOnlineMs);
    m_checkOnlineTimer->start();

    // Before the lock below, which must be the thread's last touch of this
    // object: posting the queued call reads it.
    connect(this, &QThread::finished, this, &Worker::SlotPassFinished, Qt::QueuedConnection);
    connect(this, &QThread::finished, this, [this] { std::lock_guard<std::mutex> lock(m_finishedMutex); },
            Qt::DirectConnection);

    PostMsg::Connect(SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this, SLOT(SlotSelectMouseInfo(DeviceAllInfo)));
    PostMsg::Connect(SIGNAL(SigMainPageChange()), this, SLOT(SlotMainPageChange()));

    showBatteryValue = ConfigSettings::Instance()->Value(QStringLiteral("Option"), QStringLiteral("ShowBatteryValue")).toInt();
}

Worker::~Worker()
{
    { std::lock_guard<std::mutex> lock(m_finishedMutex); }
    if (deviceWorker == this)
        deviceWorker = nullptr;
}

void Worker::Stop()
{
    workerRunFlag = 0;
    std::lock_guard<std::mutex> lock(m_passMutex);
    m_passesAnswered = m_passesAsked;
}

void Worker::StartPass()
{
    workerRunFlag = 1;
    {
        std::lock_guard<std::mutex> lock(m_passMutex);
        ++m_passesAsked;
    }
    // Does nothing while a pass runs; its end starts the next.
    start();
}

void Worker::SlotPassFinished()
{
    bool again = false;
    {
        std::lock_guard<std::mutex> lock(m_passMutex);
        again = m_passesAsked != m_passesAnswered;
    }
    if (again)
        start();
}

void Worker::StopCheckTimer()
{
    m_checkOnlineTimer->stop();
}

void Worker::StartCheckTimer()
{
    m_checkOnlineTimer->start();
}

bool Worker::CheckTimerActive() const
{
    return m_checkOnlineTimer->isActive();
}

void Worker::SetPassPointHook(std::function<void(PassPoint)> hook)
{
    std::lock_guard<std::mutex> lock(passPointHookMutex);
    passPointHook = std::move(hook);
}

void Worker::run()
{
    ReachPassPoint(PassPoint::Begins);
    // The StartPass calls so far are answered here, as the device is looked
    // at after them; a later one gets a pass of its own. A pass asked for
    // works even when the end of a record read has cleared the run flag.
    quint64 asked = 0;
    bool unanswered = false;
    {
        std::lock_guard<std::mutex> lock(m_passMutex);
        asked = m_passesAsked;
        unanswered = asked != m_passesAnswered;
    }
    if (workerRunFlag == 0 && !unanswered)
        return;
    const QByteArray path = CurrentDevice::Path();
    if (lastOnline == 0)
        lastOnline = UsbFinderC_GetDeviceOnLine(path.constData()) != 0 ? 1 : 0;

    const DeviceAllInfo device = CurrentDevice::Info();
    const bool changed = device.path != m_lastPath || static_cast<int>(device.connectionKind) != m_lastKind
        || prevOnline != lastOnline || reinitRequest != 0;
    if (changed && devicePageShown == 1) {
        PostMsg* hub = PostMsg::Instance();
        const bool online = UsbFinderC_GetDeviceOnLine(path.constData()) != 0;
        if (online) {
            CurrentDevice::SetOnline(true);
            if (reinitRequest) {
                hub->EmitSigUpDataParam(1);
                reinitRequest = 0;
            } else if (noWaitDialog != 1) {
                hub->EmitSigUpDataParam(0);
            }
        } else {
            offlineWait = 1;
            // When the mouse answers again the poll starts a pass that reads
            // it: the pages must not keep showing the saved copy.
            restartRequest = 1;
            CurrentDevice::SetOnline(false);
            // The cached record only goes to the pages, never into the
            // current record: the mouse has not confirmed it.
            FlashDataMap cached{};
            if (DeviceCacheFile::ReadFlashCache(DeviceCacheFile::SelectionCacheName(), &cached)) {
                hub->EmitSigUpDataLightUIButton(cached);
                hub->EmitSigUpDataLightLight(cached);
                hub->EmitSigUpDataLightSensor(cached);
                hub->EmitSigForm();
            } else {
                hub->EmitSigFormReset();
            }
        }
        m_lastPath = device.path;
        m_lastKind = static_cast<int>(device.connectionKind);

        const QByteArray serverPath = CurrentDevice::Path();
        DeviceServer::Start(serverPath);
        qCDebug(traceLog, "OnlinA");
        UsbServer_SetPCDriverStatus(1);
        UsbServer_ReadAllFlashData();
        prevOnline = lastOnline.load();
        qCDebug(traceLog, "OnlinB");
    }
    linkUp = lastOnline.load();
    ReachPassPoint(PassPoint::Ends);
    {
        std::lock_guard<std::mutex> lock(m_passMutex);
        // A Stop meanwhile has answered everything already.
        m_passesAnswered = std::max(m_passesAnswered, asked);
    }
    workerRunFlag = 0;
}

void Worker::SlotCheckOnline()
{
    if (offlineWait) {
        if (devicePageShown == 0) {
            if (CurrentDevice::Info().connectionKind != 0)
                offlineWait = 0;
        } else if (pollAllowed) {
            const QByteArray path = CurrentDevice::Path();
            lastOnline = UsbFinderC_GetDeviceOnLine(path.constData()) != 0 ? 1 : 0;
            prevOnline = 0;
            if (!lastOnline)
                return;
            PostMsg::Instance()->EmitSigCloseOffOnline();
            offlineWait = 0;
        }
    }
    if (lastOnline && restartRequest) {
        restartRequest = 0;
        StartPass();
    }
}

void Worker::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    const QByteArray path = CurrentDevice::Path();
    CurrentDevice::SetInfo(SelectInfo);
    CurrentDevice::SetPath(path);
    DeviceCacheFile::SetSelectionCacheName(DeviceCacheFile::CacheName(SelectInfo.cid, SelectInfo.mid));
}

void Worker::SlotMainPageChange()
{
    prevOnline = 0;
}

void Worker::ReselectDevice(DeviceAllInfo info)
{
    const QByteArray path = info.path.toLatin1();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) != 0) {
        CurrentDevice::SetInfo(info);
        CurrentDevice::SetPath(path);
    }
    if (deviceWorker)
        deviceWorker->StartPass();
}

int Worker::IdentifySessionDevice(DeviceAllInfo& device, const char* path)
{
    device.path = QString::fromLatin1(path);
    bool matched = false;
    DeviceDiscovery::IdentifyDeviceModel(device, [](DeviceAllInfo& found) {
        found.addressBytes.clear();
        const QByteArray foundPath = found.path.toLatin1();
        UsbFinderC_GetDeviceOnLineWithUsbAddress(foundPath.constData(), sessionStatus);
        found.online = sessionStatus[6] == 1;
        found.addressBytes = {sessionStatus[7], sessionStatus[8], sessionStatus[9]};
        const DeviceAllInfo current = CurrentDevice::Info();
        if (found.path == current.path) {
            DeviceAllInfo updated = found;
            if (!current.deviceVersion.isEmpty())
                updated.deviceVersion = current.deviceVersion;
            if (!current.mouseVersion.isEmpty())
                updated.mouseVersion = current.mouseVersion;
            CurrentDevice::SetInfo(updated);
        }
    }, &matched);
    return matched ? 1 : 0;
}

void Worker::EnumerateSessionDevices(const QStringList& vendorIds, const QStringList& productIds,
                                     int interfaceId, int deviceId)
{
    Q_UNUSED(interfaceId);
    Q_UNUSED(deviceId);
    DeviceDiscovery::VisitFoundDevices(vendorIds, productIds, DeviceDiscovery::Finder::Session,
                                       [](DeviceAllInfo& device, const char* libraryPath) {
        const DeviceAllInfo current = CurrentDevice::Info();
        if (current.path.isEmpty()) {
            sessionDeviceList.append(device);
            return;
        }
        if (IdentifySessionDevice(device, libraryPath) != 1) {
            sessionDeviceList.append(device);
            return;
        }
        if (device.modelIndex == current.modelIndex) {
            sessionDeviceList.append(device);
            if (device.path == current.path)
                CurrentDevice::SetPath(QByteArray(libraryPath));
        }
    });
}

void Worker::OnSessionUsbChanged()
{
    PostMsg* hub = PostMsg::Instance();
    hub->EmitSigSetver(4);

    ConfigSettings* config = ConfigSettings::Instance();
    const QString option = QStringLiteral("Option");
    const QStringList vendorIds = config->ListValue(option, QStringLiteral("VID"));
    const int interfaceId = config->Value(option, QStringLiteral("InterfaceId")).toInt();
    const int deviceId = config->Value(option, QStringLiteral("DeviceId")).toInt();
    sessionDeviceList.clear();
    EnumerateSessionDevices(vendorIds, DeviceDiscovery::ConfiguredProductIds(), interfaceId, deviceId);

    DeviceAllInfo current = CurrentDevice::Info();
    if (sessionDeviceList.isEmpty()) {
        if (pollAllowed) {
            CurrentDevice::SetInfo(DeviceAllInfo());
            hub->EmitSigChangeMainDialog(0);
        }
    } else if (!current.path.isEmpty()) {
        int differing = 0;
        const QList<DeviceAllInfo> entries = sessionDeviceList;
        for (const DeviceAllInfo& entry : entries) {
            current = CurrentDevice::Info();
            // The mouse was plugged in by cable: it becomes the current device.
            if (entry.modelIndex == current.modelIndex && entry.wired && entry.online && !current.wired
                && entry.addressBytes.size() == 3 && entry.addressBytes == current.addressBytes)
                ReselectDevice(entry);
            if (entry.path != CurrentDevice::Info().path)
                ++differing;
        }
        if (differing == entries.size() && pollAllowed)
            hub->EmitSigChangeMainDialog(0);
    }

    // With no device found there is nothing to check the firmware of (while
    // an update runs the current device stays as it was).
    current = CurrentDevice::Info();
    if (!sessionDeviceList.isEmpty() && current.wired) {
        QString receiverVersion;
        int receiverClass = 0;
        if (sessionDeviceList.size() == 2) {
            for (const DeviceAllInfo& entry : sessionDeviceList) {
                if (!entry.addressBytes.isEmpty() && !entry.wired) {
                    receiverVersion = entry.deviceVersion;
                    receiverClass = ReceiverKindCode(entry.connectionKind);
                    break;
                }
            }
        }
        if (QDir(AppPaths::ApplicationFolder() + QStringLiteral("/bin")).exists()) {
            receiverUpdateAvailable = FindModelFirmware(211, receiverVersion, receiverClass);
            mouseUpdateAvailable = FindModelFirmware(210, current.mouseVersion, receiverClass);
            hub->EmitSigLabelTextB(receiverVersion, (receiverUpdateAvailable || mouseUpdateAvailable)
                                                        ? QStringLiteral("true") : QString());
        } else {
            hub->EmitSigLabelTextB(receiverVersion, QString());
        }
    }

    if (DeviceDiscovery::repairCheckWanted && DeviceDiscovery::repairCheckWanted())
        hub->EmitSigCheckUpdate();
}
