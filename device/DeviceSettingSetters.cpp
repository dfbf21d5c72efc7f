#include "device/DeviceSettingSetters.h"

#include "app/PostMsg.h"
#include "device/CurrentDevice.h"
#include "device/CurrentFlashMap.h"
#include "platform/rozuri/ROZUri.h"


std::atomic<bool> buttonPageFilling{false};
std::atomic<bool> lightPageFilling{false};
std::atomic<bool> sensorPageFilling{false};

namespace {

uint8_t Low(int value)
{
    return static_cast<uint8_t>(value & 0xFF);
}

std::atomic<int> noticeHolds{0};

} // namespace

DeviceSettingSetters::OfflineNoticeHold::OfflineNoticeHold()
{
    ++noticeHolds;
}

DeviceSettingSetters::OfflineNoticeHold::~OfflineNoticeHold()
{
    --noticeHolds;
}

void DeviceSettingSetters::ReportOffline()
{
    if (!buttonPageFilling && !lightPageFilling && !sensorPageFilling && noticeHolds == 0)
        PostMsg::Instance()->EmitSigMouseOffLineo(0);
}

bool DeviceSettingSetters::DeviceAnswers()
{
    const QByteArray path = CurrentDevice::Path();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) != 0)
        return true;
    ReportOffline();
    return false;
}

template <typename Change>
bool DeviceSettingSetters::WriteWhenOnline(Change change)
{
    if (!DeviceAnswers())
        return false;
    // The change and its update stay together: a report must not slip in
    // between and be overwritten on the device.
    bool sent = false;
    {
        CurrentFlashMapLock lock;
        const FlashDataMap before = lock.Map();
        change(lock.Map());
        sent = ProtocolDataUpdate(lock.Bytes()) != 0;
        // The mouse kept its old record, so ours must too.
        if (!sent)
            lock.Map() = before;
    }
    // The notice is modal: never raise it while holding the record.
    if (!sent)
        ReportOffline();
    return sent;
}

bool DeviceSettingSetters::IsDeviceOnline()
{
    return DeviceAnswers();
}

bool DeviceSettingSetters::SetReportRate(int code)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.reportRate = Low(code); });
}

bool DeviceSettingSetters::SetCurrentDpiLevel(int level)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.currentDpiLevel = Low(level); });
}

bool DeviceSettingSetters::SetDpiLevelCount(int count)
{
    if (count < 1 || count > 8)
        return false;
    return WriteWhenOnline([=](FlashDataMap& m) { m.dpiLevelCount = Low(count); });
}

bool DeviceSettingSetters::SetDpiLevelPair(const DpiLevelEntry& a, const DpiLevelEntry& b, int i, int j, int level)
{
    if (!IsDpiLevelIndex(i) || !IsDpiLevelIndex(j))
        return false;
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.dpiLevels[j] = a;
        m.dpiLevels[i] = b;
        m.currentDpiLevel = Low(level);
        m.dpiLevelCount = Low(level + 1);
    });
}

bool DeviceSettingSetters::SetDpiLevelValue(int index, int xCode, int yCode, int flags)
{
    if (!IsDpiLevelIndex(index))
        return false;
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.dpiLevels[index].xCode = Low(xCode);
        m.dpiLevels[index].yCode = Low(yCode);
        m.dpiLevels[index].rangeFlags = Low(flags);
    });
}

bool DeviceSettingSetters::SetDpiLevelColor(int index, int red, int green, int blue)
{
    if (!IsDpiLevelIndex(index))
        return false;
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.dpiLevels[index].red = Low(red);
        m.dpiLevels[index].green = Low(green);
        m.dpiLevels[index].blue = Low(blue);
    });
}

bool DeviceSettingSetters::SetKfps20(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.kfps20 = Low(on); });
}

bool DeviceSettingSetters::SetLiftOffDistance(int code)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.liftOffDistance = Low(code); });
}

bool DeviceSettingSetters::SetDebounceTime(int index)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.debounceTime = Low(index); });
}

bool DeviceSettingSetters::SetMotionSync(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.motionSync = Low(on); });
}

bool DeviceSettingSetters::SetSleepTime(int value)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.sleepTime = Low(value); });
}

bool DeviceSettingSetters::SetStraightLine(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.straightLine = Low(on); });
}

bool DeviceSettingSetters::SetRippleControl(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.rippleControl = Low(on); });
}

bool DeviceSettingSetters::SetMovingOffLight(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.movingOffLight = Low(on); });
}

bool DeviceSettingSetters::SetPerformanceMode(int on)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.performanceMode = Low(on); });
}

bool DeviceSettingSetters::SetPerformanceTime(int value)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.performanceTime = Low(value); });
}

bool DeviceSettingSetters::SetSensorMode(int mode)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.sensorMode = Low(mode); });
}

bool DeviceSettingSetters::SetAngleMove(int angle)
{
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.angleSet = 1;
        m.angle = static_cast<int8_t>(Low(angle));
    });
}

bool DeviceSettingSetters::SetDpiLedMode(int mode)
{
    // Off clears only the on flag, so the effect comes back when turned on.
    return WriteWhenOnline([=](FlashDataMap& m) {
        if (mode != 0) {
            m.dpiLed.on = 1;
            m.dpiLed.effect = Low(mode);
        } else {
            m.dpiLed.on = 0;
        }
    });
}

bool DeviceSettingSetters::SetDpiLedBrightness(int code)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.dpiLed.brightness = Low(code); });
}

bool DeviceSettingSetters::SetDpiLedSpeed(int speed)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.dpiLed.speed = Low(speed); });
}

bool DeviceSettingSetters::SetLedBarMode(int mode)
{
    return WriteWhenOnline([=](FlashDataMap& m) {
        if (mode != 0) {
            m.ledBar.on = 1;
            m.ledBar.effect = Low(mode);
        } else {
            m.ledBar.on = 0;
        }
    });
}

bool DeviceSettingSetters::SetLedBarColor(int red, int green, int blue)
{
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.ledBar.red = Low(red);
        m.ledBar.green = Low(green);
        m.ledBar.blue = Low(blue);
    });
}

bool DeviceSettingSetters::SetLedBarSpeed(int speed)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.ledBar.speed = Low(speed); });
}

bool DeviceSettingSetters::SetLedBarBrightness(int brightness)
{
    return WriteWhenOnline([=](FlashDataMap& m) { m.ledBar.brightness = Low(brightness); });
}

bool DeviceSettingSetters::SetButtonFunction(int button, int type, int code, int extra)
{
    if (!IsButtonIndex(button))
        return false;
    return WriteWhenOnline([=](FlashDataMap& m) {
        m.buttons[button].type = Low(type);
        m.buttons[button].code = Low(code);
        m.buttons[button].extra = Low(extra);
    });
}

bool DeviceSettingSetters::SetButtonKeyBlock(int button, const ButtonFunctionHeader& header, const KeyBlock& block)
{
    if (!IsButtonIndex(button))
        return false;
    const ButtonFunctionHeader headerCopy = header;
    const KeyBlock blockCopy = block;
    return WriteWhenOnline([&](FlashDataMap& m) {
        m.buttons[button] = headerCopy;
        m.keyBlocks[button] = blockCopy;
    });
}

bool DeviceSettingSetters::SetButtonMacro(int button, const ButtonFunctionHeader& header, const MacroBlock& block)
{
    if (!IsButtonIndex(button))
        return false;
    const ButtonFunctionHeader headerCopy = header;
    const MacroBlock blockCopy = block;
    return WriteWhenOnline([&](FlashDataMap& m) {
        m.buttons[button] = headerCopy;
        m.macroBlocks[button] = blockCopy;
    });
}

bool DeviceSettingSetters::SendProtocolRecord()
{
    bool sent = false;
    {
        CurrentFlashMapLock lock;
        sent = ProtocolDataUpdate(lock.Bytes()) != 0;
    }
    if (!sent)
        ReportOffline();
    return sent;
}
