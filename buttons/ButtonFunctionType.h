#pragma once

// What a mouse button does: the type byte of its function header. The code
// and extra bytes mean what the comment of each type says.
enum ButtonFunctionType {
    FunctionDisabled = 0,     // code 0, extra 0
    FunctionMouseButton = 1,  // code: 1 left, 2 right, 4 middle, 8 back, 16 forward
    FunctionDpiStep = 2,      // code: 1 DPI cycle, 2 DPI up, 3 DPI down
    FunctionTilt = 3,         // code: 1 scroll left, 2 scroll right
    FunctionFireKey = 4,      // code: rapid-fire interval, extra: repeat count
    FunctionKeySequence = 5,  // the button's key block holds the keys
    FunctionMacro = 6,        // code: the button's own index, extra: repeat mode
    FunctionReportRate = 7,   // cycles the report rate
    FunctionLights = 8,       // code: 0 all lights, 1 DPI indicator, 3 light bar, 4 next light-bar effect
    FunctionProfile = 9,      // switches the stored profile
    FunctionDpiLock = 10,     // code: low byte of the sensor's code of the DPI
    FunctionScroll = 11,      // code: 1 scroll up, 2 scroll down
};
