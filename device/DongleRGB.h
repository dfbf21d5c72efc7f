#pragma once

#include <cstdint>

// Receiver indicator state; only the first byte (the 4 kHz receiver's LED
// meaning) is used.
struct DongleRGB {
    uint8_t bytes[10] = {};
};
