#include "device/DeviceDiscovery.h"
#include "app/TraceLog.h"

#include "app/AppPaths.h"
#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "platform/RegistryStore.h"
#include "platform/rozuri/ROZUri.h"

#include <QtDebug>

#include <algorithm>

QList<DeviceAllInfo> DeviceDiscovery::foundDeviceList;
QList<DeviceAllInfo> DeviceDiscovery::foundDeviceListCopy;
QStringList DeviceDiscovery::usbPidList;
QStringList DeviceDiscovery::wirelessPidList;
QStringList DeviceDiscovery::wireless2PidList;
QStringList DeviceDiscovery::wireless4PidList;
QStringList DeviceDiscovery::wireless8PidList;
QStringList DeviceDiscovery::productIdList;
unsigned char DeviceDiscovery::chooserStatus[10] = {};
std::function<void(bool)> DeviceDiscovery::onRepairStateRead;
std::function<void()> DeviceDiscovery::onDeviceListRebuilt;
std::function<bool()> DeviceDiscovery::repairCheckWanted;

namespace {

constexpr int kFinderCapacity = 5;
constexpr int kIdentifyAttempts = 10;

const QString kOption = QStringLiteral("Option");

} // namespace

QString DeviceDiscovery::VersionText(unsigned version)
{
    return QStringLiteral("v%1.%2")
        .arg((version >> 8) & 0xFF)
        .arg(QStringLiteral("%1").arg(version & 0xFF, 2, 16, QLatin1Char('0')).toUpper());
}

bool DeviceDiscovery::IdentifyDeviceModel(DeviceAllInfo& device)
{
    return IdentifyDeviceModel(device, nullptr, nullptr);
}

bool DeviceDiscovery::IdentifyDeviceModel(DeviceAllInfo& device, const std::function<void(DeviceAllInfo&)>& onMatch,
                                          bool* matched)
{
    if (matched)
        *matched = false;
    const QByteArray path = device.path.toLatin1();
    unsigned char answer[3] = {0, 0, 0};
    for (int attempt = 0; attempt < kIdentifyAttempts; ++attempt) {
        const unsigned char* info = UsbFinderC_GetDeviceInfo(path.constData(), 0);
        if (info)
            std::copy(info, info + 3, answer);
        else
            std::fill(answer, answer + 3, 0);
        if (answer[0] != 0 || answer[1] != 0)
            break;
    }
    const uint8_t cid = answer[0];
    const uint8_t mid = answer[1];
    const auto kind = static_cast<ConnectionKind>(answer[2]);
    const bool wired = (answer[2] & 0xFA) != 0;

    ConfigSettings* config = ConfigSettings::Instance();
    const int total = config->Value(kOption, QStringLiteral("DeviceTotal")).toInt();
    if (cid != 0 || mid != 0) {
        const int configuredCid = config->Value(kOption, QStringLiteral("CID")).toInt();
        for (int n = 1; n <= total; ++n) {
            const int modelMid = config->Value(ConfigSettings::ModelGroup(n - 1), QStringLiteral("MID")).toInt();
            if (configuredCid == cid && modelMid == mid) {
                device.cid = cid;
                device.mid = mid;
                device.connectionKind = kind;
                device.wired = wired;
                device.modelIndex = n - 1;
                if (matched)
                    *matched = true;
                if (onMatch)
                    onMatch(device);
                else if (UsbFinderC_GetDeviceOnLine(path.constData()) != 0)
                    device.online = true;
                return true;
            }
        }
        if (total <= 0)
            return false;
    }
    // Listed all the same, as a model the configuration does not know. The
    // kind is the device's own answer (a receiver without a mouse still says
    // its class), so its tile and firmware checks name the right receiver.
    device.connectionKind = kind;
    device.wired = wired;
    device.modelIndex = total;
    return true;
}

void DeviceDiscovery::VisitFoundDevices(const QStringList& vendorIds, const QStringList& productIds, Finder finder,
                                        const std::function<void(DeviceAllInfo&, const char*)>& visit)
{
    for (const QString& vendor : vendorIds) {
        for (const QString& product : productIds) {
            int count = kFinderCapacity;
            const QByteArray vid = vendor.toLatin1();
            const QByteArray pid = product.toLatin1();
            const char* const* paths = finder == Finder::Default
                ? UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count)
                : UsbFinderC_FindHidDevicesByDeviceId(vid.constData(), pid.constData(), 1, 5, &count);
            // Never read past what was asked for, whatever the finder says.
            count = std::min(std::max(count, 0), kFinderCapacity);
            if (!paths)
                continue;
            for (int i = 0; i < count; ++i) {
                if (!paths[i])
                    continue;
                DeviceAllInfo device;
                device.path = QString::fromLatin1(paths[i]);
                device.vidText = vendor;
                device.pidText = product;
                unsigned char attribute[12] = {};
                UsbFinderC_GetUsbDeviceAttribute(paths[i], attribute);
                device.deviceVersion = VersionText(static_cast<unsigned>(attribute[8]) | (static_cast<unsigned>(attribute[9]) << 8));
                device.online = false;
                visit(device, paths[i]);
            }
        }
    }
}

QStringList DeviceDiscovery::ConfiguredProductIds()
{
    ConfigSettings* config = ConfigSettings::Instance();
    QStringList ids;
    for (const char* key : {"USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"}) {
        for (const QString& id : config->ListValue(kOption, QLatin1String(key))) {
            if (!id.isEmpty())
                ids.append(id);
        }
    }
    return ids;
}

void DeviceDiscovery::EnumerateDevices(const QStringList& vendorIds, const QStringList& productIds,
                                       int interfaceId, int deviceId)
{
    Q_UNUSED(interfaceId);
    Q_UNUSED(deviceId);
    VisitFoundDevices(vendorIds, productIds, Finder::Default, [](DeviceAllInfo& device, const char*) {
        if (IdentifyDeviceModel(device)) {
            foundDeviceList.append(device);
            foundDeviceListCopy.append(device);
        }
    });
}

bool DeviceDiscovery::RefreshDeviceOnlineState(int n)
{
    if (n < 0 || n >= foundDeviceList.size())
        return false;
    DeviceAllInfo device = foundDeviceList.at(n);
    const QByteArray path = device.path.toLatin1();
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), chooserStatus);
    device.online = chooserStatus[6] == 1;
    device.addressBytes = {chooserStatus[7], chooserStatus[8], chooserStatus[9]};
    foundDeviceList[n] = device;
    if (n < foundDeviceListCopy.size())
        foundDeviceListCopy[n] = device;
    return chooserStatus[7] != 0 || chooserStatus[8] != 0 || chooserStatus[9] != 0;
}

void DeviceDiscovery::OnUsbDevicesChanged()
{
    const QString failInfo = RegistryStore::Instance().Value(AppPaths::FirmwareStateKey(), QStringLiteral("UpdateFailInfo"));
    if (onRepairStateRead)
        onRepairStateRead(!failInfo.isEmpty());

    ConfigSettings* config = ConfigSettings::Instance();
    const QStringList vendorIds = config->ListValue(kOption, QStringLiteral("VID"));
    const int interfaceId = config->Value(kOption, QStringLiteral("InterfaceId")).toInt();
    const int deviceId = config->Value(kOption, QStringLiteral("DeviceId")).toInt();

    foundDeviceList.clear();
    foundDeviceListCopy.clear();

    usbPidList = config->ListValue(kOption, QStringLiteral("USB_PID"));
    wirelessPidList = config->ListValue(kOption, QStringLiteral("Wireless_PID"));
    wireless2PidList = config->ListValue(kOption, QStringLiteral("Wireless2_PID"));
    wireless4PidList = config->ListValue(kOption, QStringLiteral("Wireless4_PID"));
    wireless8PidList = config->ListValue(kOption, QStringLiteral("Wireless8_PID"));
    productIdList = ConfiguredProductIds();

    EnumerateDevices(vendorIds, productIdList, interfaceId, deviceId);
    for (const DeviceAllInfo& device : foundDeviceList) {
        qCDebug(traceLog).noquote() << QStringLiteral("found device %1 (vid %2 pid %3) cid %4 mid %5 kind %6 model %7 %8")
                                 .arg(device.path, device.vidText, device.pidText)
                                 .arg(device.cid)
                                 .arg(device.mid)
                                 .arg(static_cast<int>(device.connectionKind))
                                 .arg(device.modelIndex)
                                 .arg(device.online ? QStringLiteral("online") : QStringLiteral("offline"));
    }

    if (onDeviceListRebuilt)
        onDeviceListRebuilt();
    if (repairCheckWanted && repairCheckWanted())
        PostMsg::Instance()->EmitSigRepairCheckUpdate();
}
