#pragma once

#include "device/FlashDataMap.h"

#include <atomic>

// Set by a page while it fills its controls from a record, so that a writer
// failing meanwhile does not open the offline notice.
extern std::atomic<bool> buttonPageFilling;
extern std::atomic<bool> lightPageFilling;
extern std::atomic<bool> sensorPageFilling;

// The one way the pages change the mouse: each writer tests that the current
// device answers, writes its field group into the current record and hands
// the whole record to the device library. False means nothing was written or
// sent (a failed send leaves the current record as it was); the page then
// puts its control back. Integers are stored as their low byte.
class DeviceSettingSetters {
public:
    static bool IsDeviceOnline();

    static bool SetReportRate(int code);
    static bool SetCurrentDpiLevel(int level);
    // The number of DPI levels the mouse uses, 1 to 8.
    static bool SetDpiLevelCount(int count);
    static bool SetDpiLevelPair(const DpiLevelEntry& a, const DpiLevelEntry& b, int i, int j, int level);
    static bool SetDpiLevelValue(int index, int xCode, int yCode, int flags);
    static bool SetDpiLevelColor(int index, int red, int green, int blue);
    static bool SetKfps20(int on);
    static bool SetLiftOffDistance(int code);
    static bool SetDebounceTime(int index);
    static bool SetMotionSync(int on);
    static bool SetSleepTime(int value);
    static bool SetStraightLine(int on);
    static bool SetRippleControl(int on);
    static bool SetMovingOffLight(int on);
    static bool SetPerformanceMode(int on);
    static bool SetPerformanceTime(int value);
    static bool SetSensorMode(int mode);
    static bool SetAngleMove(int angle);
    static bool SetDpiLedMode(int mode);
    static bool SetDpiLedBrightness(int code);
    static bool SetDpiLedSpeed(int speed);
    static bool SetLedBarMode(int mode);
    static bool SetLedBarColor(int red, int green, int blue);
    static bool SetLedBarSpeed(int speed);
    static bool SetLedBarBrightness(int brightness);
    static bool SetButtonFunction(int button, int type, int code, int extra);
    static bool SetButtonKeyBlock(int button, const ButtonFunctionHeader& header, const KeyBlock& block);
    static bool SetButtonMacro(int button, const ButtonFunctionHeader& header, const MacroBlock& block);

    // Sends the current record without asking whether the device answers.
    // False when the library did not take it; the offline notice is raised.
    static bool SendProtocolRecord();

    // While one is held the writers raise no offline notice, as while a page
    // fills: for a slot that runs inside a device thread's blocking signal.
    class OfflineNoticeHold {
    public:
        OfflineNoticeHold();
        ~OfflineNoticeHold();
        OfflineNoticeHold(const OfflineNoticeHold&) = delete;
        OfflineNoticeHold& operator=(const OfflineNoticeHold&) = delete;
    };

    static bool IsButtonIndex(int index) { return index >= 0 && index < 16; }
    static bool IsDpiLevelIndex(int index) { return index >= 0 && index < 8; }

private:
    template <typename Change>
    static bool WriteWhenOnline(Change change);
    static bool DeviceAnswers();
    static void ReportOffline();
};
