#pragma once

#include <cstddef>
#include <cstdint>

// The mouse's whole setting image as the program holds it. The layout is
// exchanged byte for byte with the device library, the device cache and the
// profile export file, so every offset below is fixed.
#pragma pack(push, 1)

struct DpiLevelEntry {
    uint8_t xCode;
    uint8_t yCode;
    uint8_t rangeFlags;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

struct DpiLedSettings {
    uint8_t effect;
    uint8_t brightness;
    uint8_t speed;
    uint8_t on;
};

struct LedBarSettings {
    uint8_t effect;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t speed;
    uint8_t brightness;
    uint8_t on;
};

struct ButtonFunctionHeader {
    uint8_t type;
    uint8_t code;
    uint8_t extra;
};

// Multi-byte numbers are little-endian; kept as byte arrays so the record has
// no alignment needs and reads the same on every host.
struct KeyEvent {
    uint8_t action;   // 0 press, 1 release
    uint8_t kind;     // 0 modifier bit, 1 keyboard usage, 2 consumer usage, 4 mouse button bit
    uint8_t usage[2];
    uint8_t delay[4];
};

struct KeyBlock {
    uint8_t eventCount;
    uint8_t reserved[3];
    KeyEvent events[6];
};

struct MacroBlock {
    uint8_t nameLength;
    uint8_t name[30];
    uint8_t eventCount;
    KeyEvent events[70];
};

struct FlashDataMap {
    uint8_t reportRate;          // 0
    uint8_t dpiLevelCount;       // 1
    uint8_t currentDpiLevel;     // 2
    uint8_t reserved3;           // 3
    uint8_t kfps20;              // 4
    uint8_t liftOffDistance;     // 5
    uint8_t debounceTime;        // 6
    uint8_t motionSync;          // 7
    uint8_t sleepTime;           // 8
    uint8_t straightLine;        // 9
    uint8_t rippleControl;       // 10
    uint8_t movingOffLight;      // 11
    uint8_t performanceMode;     // 12
    uint8_t performanceTime;     // 13
    uint8_t sensorMode;          // 14
    int8_t angle;                // 15
    uint8_t angleSet;            // 16
    uint8_t reserved17[19];      // 17..35
    DpiLevelEntry dpiLevels[8];  // 36..83
    DpiLedSettings dpiLed;       // 84..87
    LedBarSettings ledBar;       // 88..94
    ButtonFunctionHeader buttons[16]; // 95..142
    uint8_t gap143;              // 143
    KeyBlock keyBlocks[16];      // 144..975
    MacroBlock macroBlocks[16];  // 976..10447
};

#pragma pack(pop)

static_assert(sizeof(KeyEvent) == 8, "KeyEvent is 8 bytes");
static_assert(sizeof(KeyBlock) == 52, "KeyBlock is 52 bytes");
static_assert(sizeof(MacroBlock) == 592, "MacroBlock is 592 bytes");
static_assert(sizeof(FlashDataMap) == 10448, "FlashDataMap is 10448 bytes");
static_assert(offsetof(FlashDataMap, angle) == 15, "angle at 15");
static_assert(offsetof(FlashDataMap, dpiLevels) == 36, "DPI levels at 36");
static_assert(offsetof(FlashDataMap, dpiLed) == 84, "DPI indicator at 84");
static_assert(offsetof(FlashDataMap, ledBar) == 88, "light bar at 88");
static_assert(offsetof(FlashDataMap, buttons) == 95, "button headers at 95");
static_assert(offsetof(FlashDataMap, gap143) == 143, "gap at 143");
static_assert(offsetof(FlashDataMap, keyBlocks) == 144, "key blocks at 144");
static_assert(offsetof(FlashDataMap, macroBlocks) == 976, "macro blocks at 976");

constexpr std::size_t kFlashDataMapSize = sizeof(FlashDataMap);
