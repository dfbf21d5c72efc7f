#pragma once

#include "device/FlashDataMap.h"

#include <cstdint>

// The little-endian fields of a key event, read and written the same way by
// the macro blocks and the key blocks.
namespace KeyEventFields {

inline void SetUsage(KeyEvent* event, int usage)
{
    event->usage[0] = static_cast<uint8_t>(usage & 0xFF);
    event->usage[1] = static_cast<uint8_t>((usage >> 8) & 0xFF);
}

inline int Usage(const KeyEvent& event)
{
    return event.usage[0] | (event.usage[1] << 8);
}

inline void SetDelay(KeyEvent* event, uint32_t milliseconds)
{
    for (int k = 0; k < 4; ++k)
        event->delay[k] = static_cast<uint8_t>((milliseconds >> (8 * k)) & 0xFF);
}

inline uint32_t Delay(const KeyEvent& event)
{
    uint32_t milliseconds = 0;
    for (int k = 3; k >= 0; --k)
        milliseconds = (milliseconds << 8) | event.delay[k];
    return milliseconds;
}

} // namespace KeyEventFields
