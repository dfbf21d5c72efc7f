// The C interface: each function logs its call and hands it to the
// simulated devices. Each holds the delivery of reports until its call is
// logged, so the log shows a call before anything its answer set off.
#include "platform/rozuri/ROZUri.h"

#include "platform/rozuri/CallLog.h"
#include "platform/rozuri/FlashImageCodec.h"
#include "platform/rozuri/HotPlugNotifier.h"
#include "platform/rozuri/PathRegistry.h"
#include "platform/rozuri/ReportDispatcher.h"
#include "platform/rozuri/SimulatedDevices.h"

#include <QJsonArray>
#include <cstring>

namespace {

SimulatedDevices &devices()
{
    return SimulatedDevices::instance();
}

// A request that travels to a mouse or receiver and back.
void request()
{
    devices().waitLatency();
}

QJsonValue text(const char *s)
{
    return s ? QJsonValue(QString::fromLatin1(s)) : QJsonValue();
}

// Hex texts are only for the log; nothing builds them while no log is kept.
QString hex(const void *bytes, int length)
{
    return CallLog::instance().active() ? CallLog::hex(bytes, length) : QString();
}

void log(const char *fn, QJsonObject fields)
{
    CallLog::instance().add(fn, std::move(fields));
}

unsigned char logResult(const char *fn, QJsonObject fields, bool result)
{
    fields.insert(QStringLiteral("result"), result ? 1 : 0);
    log(fn, std::move(fields));
    return result ? 1 : 0;
}

const char *const *findPaths(const char *fn, QJsonObject fields, const char *vid, const char *pid, int *count)
{
    const int capacity = count ? *count : 0;
    const std::vector<std::string> paths = devices().find(vid, pid, capacity);
    if (count)
        *count = static_cast<int>(paths.size());
    QJsonArray list;
    for (const std::string &p : paths)
        list.append(QString::fromStdString(p));
    fields.insert(QStringLiteral("vid"), text(vid));
    fields.insert(QStringLiteral("pid"), text(pid));
    fields.insert(QStringLiteral("countIn"), capacity);
    fields.insert(QStringLiteral("count"), static_cast<int>(paths.size()));
    fields.insert(QStringLiteral("paths"), list);
    log(fn, std::move(fields));
    return PathRegistry::instance().internList(paths);
}

unsigned char getLight(const char *fn, const char *key, const char *path, SimulatedDevices::Light which,
                       unsigned char *out, int size)
{
    request();
    const bool ok = devices().receiverLight(path, which, out);
    QJsonObject f{{QStringLiteral("path"), text(path)}};
    if (ok)
        f.insert(QString::fromLatin1(key), hex(out, size));
    return logResult(fn, f, ok);
}

unsigned char setLight(const char *fn, const char *key, const char *path, SimulatedDevices::Light which,
                       const unsigned char *in, int size)
{
    request();
    const bool ok = devices().setReceiverLight(path, which, in);
    return logResult(fn, {{QStringLiteral("path"), text(path)}, {QString::fromLatin1(key), hex(in, size)}}, ok);
}

unsigned char serverRead(const char *fn, SimulatedDevices::Read what)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult(fn, {}, devices().read(what));
}

QJsonObject imageFields(const RozFirmwareImage *image)
{
    QJsonObject f;
    if (image && image->bytes) {
        f.insert(QStringLiteral("length"), image->length);
        f.insert(QStringLiteral("image"), hex(image->bytes, qMin(image->length, int(ROZ_FIRMWARE_HEADER_SIZE))));
    }
    return f;
}

// Bytes of a report payload that may be read: a payload being delivered
// has its length; others are taken at their documented size.
int readable(const unsigned char *payload, int wanted)
{
    const int delivered = ReportDispatcher::deliveredLength(payload);
    return delivered >= 0 ? qMin(delivered, wanted) : wanted;
}

void copyPayload(const unsigned char *payload, unsigned char *out, int size)
{
    const int n = readable(payload, size);
    std::memcpy(out, payload, static_cast<size_t>(n));
    std::memset(out + n, 0, static_cast<size_t>(size - n));
}

} // namespace

extern "C" {

const char *const *UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid, int *count)
{
    const ReportDispatcher::Hold hold;
    return findPaths("UsbFinderC_FindHidDevicesByDefaultDeviceId", {}, vid, pid, count);
}

const char *const *UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid, int interfaceId,
                                                       int deviceId, int *count)
{
    return findPaths("UsbFinderC_FindHidDevicesByDeviceId",
                     {{QStringLiteral("iface"), interfaceId}, {QStringLiteral("dev"), deviceId}}, vid, pid, count);
}

unsigned char UsbFinderC_GetUsbDeviceAttribute(const char *path, unsigned char *attr)
{
    const ReportDispatcher::Hold hold;
    const bool ok = devices().attribute(path, attr);
    return logResult("UsbFinderC_GetUsbDeviceAttribute",
                     {{QStringLiteral("path"), text(path)}, {QStringLiteral("attr"), hex(attr, attr ? 12 : 0)}}, ok);
}

const unsigned char *UsbFinderC_GetDeviceInfo(const char *path, int reserved)
{
    const ReportDispatcher::Hold hold;
    request();
    thread_local unsigned char answer[3];
    const QByteArray info = devices().deviceInfo(path);
    std::memcpy(answer, info.constData(), 3);
    log("UsbFinderC_GetDeviceInfo", {{QStringLiteral("path"), text(path)}, {QStringLiteral("reserved"), reserved},
                                     {QStringLiteral("info"), hex(answer, 3)}});
    return answer;
}

unsigned char UsbFinderC_GetDeviceOnLine(const char *path)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbFinderC_GetDeviceOnLine", {{QStringLiteral("path"), text(path)}}, devices().online(path));
}

unsigned char UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *status)
{
    const ReportDispatcher::Hold hold;
    request();
    const bool ok = devices().onlineWithAddress(path, status);
    return logResult("UsbFinderC_GetDeviceOnLineWithUsbAddress",
                     {{QStringLiteral("path"), text(path)}, {QStringLiteral("status"), hex(status, status ? 10 : 0)}},
                     ok);
}

int UsbFinderC_GetVersion(const char *path)
{
    const ReportDispatcher::Hold hold;
    request();
    const int v = devices().version(path);
    log("UsbFinderC_GetVersion", {{QStringLiteral("path"), text(path)}, {QStringLiteral("result"), v}});
    return v;
}

unsigned char UsbFinderC_GetSlaveVersion(const char *path, int *version)
{
    const ReportDispatcher::Hold hold;
    request();
    const bool ok = devices().slaveVersion(path, version);
    QJsonObject f{{QStringLiteral("path"), text(path)}};
    if (ok)
        f.insert(QStringLiteral("version"), *version);
    return logResult("UsbFinderC_GetSlaveVersion", f, ok);
}

unsigned char UsbFinderC_GetLongRangeMode(const char *path, unsigned char *mode)
{
    const ReportDispatcher::Hold hold;
    request();
    const bool ok = devices().longRange(path, mode);
    QJsonObject f{{QStringLiteral("path"), text(path)}};
    if (ok)
        f.insert(QStringLiteral("mode"), *mode);
    return logResult("UsbFinderC_GetLongRangeMode", f, ok);
}

unsigned char UsbFinderC_SetLongRangeMode(const char *path, int mode)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbFinderC_SetLongRangeMode", {{QStringLiteral("path"), text(path)}, {QStringLiteral("mode"), mode}},
                     devices().setLongRange(path, mode));
}

unsigned char UsbFinderC_Get4KDongleRGBValue(const char *path, unsigned char *rgb)
{
    const ReportDispatcher::Hold hold;
    return getLight("UsbFinderC_Get4KDongleRGBValue", "rgb", path, SimulatedDevices::Light::LedRecord, rgb, 10);
}

unsigned char UsbFinderC_Set4KDongleRGB(const char *path, const unsigned char *rgb)
{
    const ReportDispatcher::Hold hold;
    return setLight("UsbFinderC_Set4KDongleRGB", "rgb", path, SimulatedDevices::Light::LedRecord, rgb, 10);
}

unsigned char UsbFinderC_GetDongleRGBBarMode(const char *path, unsigned char *bar)
{
    const ReportDispatcher::Hold hold;
    return getLight("UsbFinderC_GetDongleRGBBarMode", "bar", path, SimulatedDevices::Light::Bar, bar, 7);
}

unsigned char UsbFinderC_SetDongleRGBBarMode(const char *path, const unsigned char *bar)
{
    const ReportDispatcher::Hold hold;
    return setLight("UsbFinderC_SetDongleRGBBarMode", "bar", path, SimulatedDevices::Light::Bar, bar, 7);
}

unsigned char UsbFinderC_GetDongleIndicatorLed(const char *path, unsigned char *leds)
{
    const ReportDispatcher::Hold hold;
    return getLight("UsbFinderC_GetDongleIndicatorLed", "leds", path, SimulatedDevices::Light::IndicatorLeds, leds, 3);
}

unsigned char UsbFinderC_SetDongleIndicatorLed(const char *path, const unsigned char *leds)
{
    const ReportDispatcher::Hold hold;
    return setLight("UsbFinderC_SetDongleIndicatorLed", "leds", path, SimulatedDevices::Light::IndicatorLeds, leds, 3);
}

unsigned char UsbFinderC_SetDongleIDToMouse(const char *path, const unsigned char *id)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbFinderC_SetDongleIDToMouse", {{QStringLiteral("path"), text(path)}, {QStringLiteral("id"), hex(id, id ? 5 : 0)}},
                     devices().setDongleIdToMouse(path, id));
}

unsigned char UsbFinderC_OpenDevice(const char *path)
{
    const ReportDispatcher::Hold hold;
    return logResult("UsbFinderC_OpenDevice", {{QStringLiteral("path"), text(path)}}, devices().openDevice(path));
}

unsigned char UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *reply, unsigned char length)
{
    const ReportDispatcher::Hold hold;
    request();
    const bool ok = devices().exchange(packet, reply, length);
    return logResult("UsbFinderC_ReadWriteDeviceData",
                     {{QStringLiteral("length"), length}, {QStringLiteral("packet"), hex(packet, packet ? length : 0)},
                      {QStringLiteral("reply"), hex(reply, reply ? length : 0)}},
                     ok);
}

unsigned char UsbServerC_Start(const char *path, const char *path2, RozReportCallback callback)
{
    const ReportDispatcher::Hold hold;
    return logResult("UsbServerC_Start",
                     {{QStringLiteral("path"), text(path)}, {QStringLiteral("path2"), text(path2)},
                      {QStringLiteral("callback"), callback ? 1 : 0}},
                     devices().startServer(path, callback));
}

void UsbServer_Exit(void)
{
    const ReportDispatcher::Hold hold;
    devices().exitServer();
    log("UsbServer_Exit", {});
}

unsigned char UsbServer_SetPCDriverStatus(int status)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_SetPCDriverStatus", {{QStringLiteral("mode"), status}}, devices().setPcDriverStatus(status));
}

unsigned char UsbServer_ReadAllFlashData(void) { return serverRead("UsbServer_ReadAllFlashData", SimulatedDevices::Read::AllFlash); }
unsigned char UsbServer_ReadCurrentDPI(void) { return serverRead("UsbServer_ReadCurrentDPI", SimulatedDevices::Read::CurrentDpi); }
unsigned char UsbServer_ReadReportRate(void) { return serverRead("UsbServer_ReadReportRate", SimulatedDevices::Read::ReportRate); }
unsigned char UsbServer_ReadBatteryLevel(void) { return serverRead("UsbServer_ReadBatteryLevel", SimulatedDevices::Read::Battery); }
unsigned char UsbServer_ReadLedBar(void) { return serverRead("UsbServer_ReadLedBar", SimulatedDevices::Read::LedBar); }
unsigned char UsbServer_ReadDPILed(void) { return serverRead("UsbServer_ReadDPILed", SimulatedDevices::Read::DpiLed); }
unsigned char UsbServer_ReadVersion(void) { return serverRead("UsbServer_ReadVersion", SimulatedDevices::Read::Version); }
unsigned char UsbServer_ReadConfig(void) { return serverRead("UsbServer_ReadConfig", SimulatedDevices::Read::Config); }

unsigned char UsbServer_SetBatteryOptimizeEnable(int enable)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_SetBatteryOptimizeEnable", {{QStringLiteral("mode"), enable}},
                     devices().setBatteryOptimize(enable));
}

unsigned char UsbServer_SetClearSetting(void)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_SetClearSetting", {}, devices().factoryReset());
}

unsigned char UsbServer_SetCurrentConfig(int index)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_SetCurrentConfig", {{QStringLiteral("index"), index}}, devices().setProfile(index));
}

unsigned char UsbServer_EnterDonglePairOnlyCid(int cid)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_EnterDonglePairOnlyCid", {{QStringLiteral("cid"), cid}}, devices().enterPairing(cid));
}

unsigned char UsbServer_ReadDonglePairStatus(void)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("UsbServer_ReadDonglePairStatus", {}, devices().readPairStatus());
}

void GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *battery)
{
    const ReportDispatcher::Hold hold;
    if (payload && battery) {
        copyPayload(payload, battery, 2);
        battery[2] = 0;
        battery[3] = 0;
    }
    log("GetDeviceBatteryStatus", {{QStringLiteral("payload"), hex(payload, payload ? readable(payload, 2) : 0)},
                                   {QStringLiteral("battery"), hex(battery, battery ? 4 : 0)}});
}

void GetDeviceStatusChanged(const unsigned char *payload, unsigned char *flags)
{
    const ReportDispatcher::Hold hold;
    if (payload && flags)
        copyPayload(payload, flags, 7);
    log("GetDeviceStatusChanged", {{QStringLiteral("payload"), hex(payload, payload ? readable(payload, 7) : 0)},
                                   {QStringLiteral("flags"), hex(flags, flags ? 7 : 0)}});
}

unsigned char ProtocolDataParser(const unsigned char *image, unsigned char *record)
{
    const ReportDispatcher::Hold hold;
    bool ok = false;
    if (image && record) {
        // A payload we are delivering has a known length; anything else is
        // taken to be a full image and proven by its checksum.
        const int delivered = ReportDispatcher::deliveredLength(image);
        const int length = delivered >= 0 ? delivered : FlashImageCodec::kImageSize;
        QByteArray parsed;
        ok = FlashImageCodec::decode(QByteArray(reinterpret_cast<const char *>(image),
                                                qMin(length, int(FlashImageCodec::kImageSize))), &parsed);
        if (ok)
            std::memcpy(record, parsed.constData(), FlashImageCodec::kRecordSize);
    }
    return logResult("ProtocolDataParser",
                     {{QStringLiteral("image"), hex(image, image ? readable(image, FlashImageCodec::kImageSize) : 0)}}, ok);
}

unsigned char ProtocolDataUpdate(const unsigned char *record)
{
    const ReportDispatcher::Hold hold;
    request();
    return logResult("ProtocolDataUpdate", {{QStringLiteral("record"), hex(record, record ? FlashImageCodec::kRecordSize : 0)}},
                     devices().storeRecord(record));
}

void BufferToDPILed(const unsigned char *payload, unsigned char *dpiLed)
{
    const ReportDispatcher::Hold hold;
    if (payload && dpiLed)
        copyPayload(payload, dpiLed, 4);
    log("BufferToDPILed", {{QStringLiteral("payload"), hex(payload, payload ? readable(payload, 8) : 0)},
                           {QStringLiteral("dst"), hex(dpiLed, dpiLed ? 4 : 0)}});
}

void BufferToLedBar(const unsigned char *payload, unsigned char *ledBar)
{
    const ReportDispatcher::Hold hold;
    if (payload && ledBar)
        copyPayload(payload, ledBar, 7);
    log("BufferToLedBar", {{QStringLiteral("payload"), hex(payload, payload ? readable(payload, 9) : 0)},
                           {QStringLiteral("dst"), hex(ledBar, ledBar ? 7 : 0)}});
}

void StartUsbChanged(RozHotPlugCallback callback, int settleMs)
{
    // Logged before the first call, which happens inside; no hold spans
    // that call, since the program's hot-plug work may wait for reports.
    {
        const ReportDispatcher::Hold hold;
        log("StartUsbChanged", {{QStringLiteral("callback"), callback ? 1 : 0}, {QStringLiteral("settle"), settleMs}});
    }
    devices(); // loads the devices before the first call looks at them
    HotPlugNotifier::instance().start(callback, settleMs);
}

void StopUsbChanged(void)
{
    const ReportDispatcher::Hold hold;
    HotPlugNotifier::instance().stop();
    log("StopUsbChanged", {});
}

int UsbUpgradeC_FindBootDevices(const RozFirmwareImage *image, int *count)
{
    const ReportDispatcher::Hold hold;
    const int capacity = count ? *count : 0;
    const int found = devices().countBootDevices(image, capacity);
    if (count)
        *count = found;
    QJsonObject f = imageFields(image);
    f.insert(QStringLiteral("countIn"), capacity);
    f.insert(QStringLiteral("count"), found);
    log("UsbUpgradeC_FindBootDevices", f);
    return found;
}

unsigned char UsbUpgrade_Start(const RozFirmwareImage *image, RozUpgradeStatusCallback callback, int timeoutMs)
{
    const ReportDispatcher::Hold hold;
    QJsonObject f = imageFields(image);
    f.insert(QStringLiteral("callback"), callback ? 1 : 0);
    f.insert(QStringLiteral("timeout"), timeoutMs);
    const bool ok = devices().startUpgrade(image, callback);
    return logResult("UsbUpgrade_Start", f, ok);
}

} // extern "C"
