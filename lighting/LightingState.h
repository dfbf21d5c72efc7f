#pragma once

// Lighting data shared by the lighting page and its panels. GUI thread only.

// The receiver's light bar as last read or written: effect, red, green,
// blue, speed 0..9, brightness 0..9, on flag (7 bytes). Null until the
// lighting page is built; the page zeroes it then.
extern unsigned char* receiverLedBar;
// The functions of the receiver's indicator LEDs 1, 2 and 3 (3 bytes, 0..3
// each). Null until the lighting page is built.
extern unsigned char* receiverIndicatorLeds;

// The values last shown by a fill or accepted by the device, which the
// panels put a control back to after a refused write.
extern int lastMouseLightMode;
extern int lastReceiverBarMode;
extern int lastReceiverBarBrightness; // slider value 1..10
extern int lastReceiverBarSpeed;      // slider value 1..10
extern int lastIndicatorLedFunctions[3];

// Points the two receiver buffers at their zeroed storage.
void CreateReceiverLightBuffers();
