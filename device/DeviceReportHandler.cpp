#include "device/DeviceReportHandler.h"

#include "app/ConfigSettings.h"
#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "device/DeviceCacheFile.h"
#include "device/DeviceLinkState.h"
#include "platform/rozuri/ROZUri.h"
#include "settings/FirmwareState.h"

#include <mutex>
#include <QtDebug>

#include <cstring>

namespace {

DongleRGB dongleRecord;
std::mutex stopwatchMutex;
QElapsedTimer statusStopwatch;

enum ReportType {
    ReportBattery = 4,
    ReportData = 8,
    ReportReinitialised = 9,
    ReportStatusChanged = 10,
    ReportConfiguration = 14,
    ReportVersion = 18,
    ReportReceiverLed = 21,
    ReportLongRange = 23,
};

constexpr int kFlashImageSize = 6912;
constexpr int kStatusRestartMs = 3000;

unsigned char HeaderByte(const unsigned char* header, int length, int index)
{
    return (header && index < length) ? header[index] : 0;
}

} // namespace

DongleRGB* const dongleRgb = &dongleRecord;
unsigned char DeviceReportHandler::batteryBuffer[4] = {};
unsigned char DeviceReportHandler::statusFlags[7] = {};
std::atomic<int> DeviceReportHandler::clearBlocksPending{0};
std::atomic<int> DeviceReportHandler::skipDongleRead{0};

void DeviceReportHandler::StartStatusStopwatch()
{
    std::unique_lock<std::mutex> lock(stopwatchMutex);
    statusStopwatch.start();
}

void DeviceReportHandler::OnDeviceData(const unsigned char* header, int headerLength,
                                       const unsigned char* payload, int payloadLength)
{
    // Once the server is stopped, nothing here may touch the program.
    ReportCallbackGate::Pass pass;
    if (!pass.Inside())
        return;
    PostMsg* hub = PostMsg::Instance();
    const int type = HeaderByte(header, headerLength, 1);
    switch (type) {
    case ReportBattery:
        GetDeviceBatteryStatus(payload, batteryBuffer);
        pass.Emit([&] { hub->EmitSigBattery(batteryBuffer[1] > 0, batteryBuffer[0], showBatteryValue == 1); });
        break;
    case ReportData: {
        if (HeaderByte(header, headerLength, 3) != 0)
            break;
        const int sub = HeaderByte(header, headerLength, 4);
        if (sub == 0 && payloadLength == kFlashImageSize) {
            FullDump(pass, payload, payloadLength);
        } else if (sub == 0 && payloadLength == 1) {
            {
                CurrentFlashMapLock lock;
                lock.Map().reportRate = payload[0];
            }
            const int rate = payload[0];
            if (!pass.Emit([&] { hub->EmitSigUpDataReportRate(rate); }))
                return;
            CurrentFlashMapLock lock;
            ProtocolDataUpdate(lock.Bytes());
        } else if (sub == 4 && payloadLength == 1) {
            {
                CurrentFlashMapLock lock;
                lock.Map().currentDpiLevel = payload[0];
            }
            const int level = payload[0];
            if (!pass.Emit([&] { hub->EmitSigUpDataDPI(level); }))
                return;
            CurrentFlashMapLock lock;
            ProtocolDataUpdate(lock.Bytes());
        } else if (sub == 76 && payloadLength == 8) {
            FlashDataMap copy;
            {
                CurrentFlashMapLock lock;
                BufferToDPILed(payload, reinterpret_cast<unsigned char*>(&lock.Map().dpiLed));
                copy = lock.Map();
            }
            pass.Emit([&] { hub->EmitSigUpDataDPILed(copy); });
        } else if (sub == 160 && payloadLength == 9) {
            FlashDataMap copy;
            {
                CurrentFlashMapLock lock;
                BufferToLedBar(payload, reinterpret_cast<unsigned char*>(&lock.Map().ledBar));
                copy = lock.Map();
            }
            pass.Emit([&] { hub->EmitSigUpDataLightLight(copy); });
        }
        break;
    }
    case ReportReinitialised:
        Reinitialise(pass);
        break;
    case ReportStatusChanged:
        GetDeviceStatusChanged(payload, statusFlags);
        PollDeviceStatus();
        break;
    case ReportConfiguration:
        if (payloadLength == 1) {
            const int index = payload[0];
            pass.Emit([&] { hub->EmitSigUpDataConfigUI(4, index, true); });
        } else {
            pass.Emit([&] { hub->EmitSigUpDataConfigUI(0, 0, false); });
        }
        break;
    case ReportVersion:
        VersionReport();
        break;
    case ReportReceiverLed:
        pass.Emit([&] { hub->EmitSigRGBValue(dongleRgb); });
        break;
    case ReportLongRange:
        if (payloadLength == 10)
            pass.Emit([&] { hub->EmitSigLongRangeMode(false); });
        break;
    default:
        break;
    }
}

void DeviceReportHandler::FullDump(ReportCallbackGate::Pass& pass, const unsigned char* payload, int payloadLength)
{
    Q_UNUSED(payloadLength);
    PostMsg* hub = PostMsg::Instance();
    const DeviceAllInfo device = CurrentDevice::Info();
    const QByteArray path = CurrentDevice::Path();

    // Parse into a scratch record first: an image that does not parse must
    // not replace what the program has, nor go back to the mouse as zeros.
    FlashDataMap parsed{};
    if (ProtocolDataParser(payload, reinterpret_cast<unsigned char*>(&parsed)) == 0) {
        qWarning("The mouse's flash image could not be read; the settings shown are kept.");
        return;
    }
    {
        CurrentFlashMapLock lock;
        lock.Map() = parsed;
    }

    DeviceCacheFile::SetDumpCacheName(DeviceCacheFile::CacheName(device.cid, device.mid));

    UsbServer_ReadDPILed();
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    UsbServer_ReadConfig();

    hub->EmitSigIsUsb(device.wired, true);

    if (!skipDongleRead) {
        if (!device.wired && device.connectionKind == ConnectionReceiver4K) {
            UsbFinderC_Get4KDongleRGBValue(path.constData(), dongleRgb->bytes);
            if (dongleRgb->bytes[0] != 0 && !pass.Emit([&] { hub->EmitSigRGBValue(dongleRgb); }))
                return;
        }
        unsigned char longRange = 0x73;
        UsbFinderC_GetLongRangeMode(path.constData(), &longRange);
        if (longRange != 0x73 && longRange != 0 && !pass.Emit([&] { hub->EmitSigLongRangeMode(true); }))
            return;
    }
    skipDongleRead = 0;

    FlashDataMap copy;
    {
        CurrentFlashMapLock lock;
        const FlashDataMap asDumped = lock.Map();
        const bool clearing = clearBlocksPending;
        if (clearing) {
            bool spared[16] = {};
            bool anySpared = false;
            ConfigSettings* config = ConfigSettings::Instance();
            for (int i = 1; i <= 6; ++i) {
                const QStringList items = config->ListValue(ConfigSettings::ModelGroup(device.modelIndex), QStringLiteral("KeyParam%1").arg(i));
                if (!items.isEmpty() && items.first() == QLatin1String("0x05")) {
                    spared[i - 1] = true;
                    anySpared = true;
                }
            }
            FlashDataMap& map = lock.Map();
            for (int j = 0; j < 16; ++j) {
                if (anySpared && spared[j])
                    continue;
                std::memset(&map.keyBlocks[j], 0, sizeof(KeyBlock));
                std::memset(&map.macroBlocks[j], 0, sizeof(MacroBlock));
            }
            clearBlocksPending = 0;
        }
        if (!ProtocolDataUpdate(lock.Bytes()) && clearing) {
            // The mouse kept its blocks: the pages show what it holds, and
            // the next full dump clears them again.
            lock.Map() = asDumped;
            clearBlocksPending = 1;
        }
        copy = lock.Map();
    }

    lightPageReady = false;
    sensorPageReady = false;
    buttonPageReady = false;

    if (!pass.Emit([&] { hub->EmitSigUpDataLightUIButton(copy); })
        || !pass.Emit([&] { hub->EmitSigUpDataLightLight(copy); })
        || !pass.Emit([&] { hub->EmitSigUpDataLightSensor(copy); })
        || !pass.Emit([&] { hub->EmitSigForm(); }))
        return;

    linkUp = 1;
    workerRunFlag = 0;
}

void DeviceReportHandler::Reinitialise(ReportCallbackGate::Pass& pass)
{
    PostMsg* hub = PostMsg::Instance();
    const DeviceAllInfo device = CurrentDevice::Info();
    const QByteArray path = CurrentDevice::Path();

    UsbServer_SetBatteryOptimizeEnable(1);
    const QStringList defaults = ConfigSettings::Instance()->ListValue(ConfigSettings::ModelGroup(device.modelIndex), QStringLiteral("Adveanced"));
    // A list shorter than two items means "no default" for what is missing.
    const int longRangeDefault = defaults.size() > 0 ? defaults.at(0).toInt() : -1;
    const int ledDefault = defaults.size() > 1 ? defaults.at(1).toInt() : -1;

    if (ledDefault > 0 && !device.wired && device.connectionKind == ConnectionReceiver4K) {
        dongleRgb->bytes[0] = static_cast<unsigned char>(ledDefault);
        UsbFinderC_Set4KDongleRGB(path.constData(), dongleRgb->bytes);
        if (dongleRgb->bytes[0] != 0 && !pass.Emit([&] { hub->EmitSigRGBValue(dongleRgb); }))
            return;
    }
    if (longRangeDefault == 0) {
        UsbFinderC_SetLongRangeMode(path.constData(), 0);
        if (!pass.Emit([&] { hub->EmitSigLongRangeMode(false); }))
            return;
    } else if (longRangeDefault == 1) {
        UsbFinderC_SetLongRangeMode(path.constData(), 1);
        if (!pass.Emit([&] { hub->EmitSigLongRangeMode(true); }))
            return;
    }

    UsbServer_ReadAllFlashData();
    clearBlocksPending = 1;
    skipDongleRead = 1;
}

void DeviceReportHandler::VersionReport()
{
    const QByteArray path = CurrentDevice::Path();
    const int version = UsbFinderC_GetVersion(path.constData());
    // A negative answer means the version could not be read: nothing to
    // show or to remember.
    if (version < 0)
        return;
    const QString text = QStringLiteral("v%1.%2")
                             .arg(version >> 8)
                             .arg(QStringLiteral("%1").arg(version & 0xFF, 2, 16, QLatin1Char('0')).toUpper());
    CurrentDevice::SetMouseVersion(text);
    PostMsg::Instance()->EmitSigSetver(0);
    FirmwareState::StoreMouseVersion(text);
}

void DeviceReportHandler::PollDeviceStatus()
{
    if (statusFlags[0])
        UsbServer_ReadCurrentDPI();
    if (statusFlags[1])
        UsbServer_ReadReportRate();
    if (statusFlags[6])
        UsbServer_ReadBatteryLevel();
    if (statusFlags[5])
        UsbServer_ReadLedBar();
    if (statusFlags[3])
        UsbServer_ReadDPILed();
    if (statusFlags[2]) {
        std::unique_lock<std::mutex> lock(stopwatchMutex);
        if (!statusStopwatch.isValid() || statusStopwatch.elapsed() > kStatusRestartMs) {
            statusStopwatch.start();
            restartRequest = 1;
            reinitRequest = 1;
        }
    }
}
