#include "buttons/ConsumerKeyTable.h"

#include "buttons/KeyBlockCodec.h"
#include "device/KeyEventFields.h"

#include <cstring>

namespace {

constexpr int kConsumerKind = 2;

} // namespace

namespace ConsumerKeyTable {

const QVector<Row>& Rows()
{
    static const QVector<Row> rows = {
        {QStringLiteral("Player"), 0x0183, 0x83},        // AL Consumer Control Configuration
        {QStringLiteral("StartPause_2"), 0x00CD, 0xCD},  // Play/Pause
        {QStringLiteral("BackMusic_2"), 0x00B5, 0xB5},   // Scan Next Track
        {QStringLiteral("TopMusic_2"), 0x00B6, 0xB6},    // Scan Previous Track
        {QStringLiteral("Mute"), 0x00B7, 0xB7},          // Stop
        {QStringLiteral("VolumeUp"), 0x00E2, 0xE2},      // Mute
        {QStringLiteral("VolumeDown"), 0x00E9, 0xE9},    // Volume Increment
        {QStringLiteral("VolumeDown_4"), 0x00EA, 0xEA},  // Volume Decrement
        {QStringLiteral("VolumeDown_5"), 0x018A, 0x8A},  // AL Email Reader
        {QStringLiteral("VolumeDown_6"), 0x0192, 0x92},  // AL Calculator
        {QStringLiteral("VolumeDown_3"), 0x0194, 0x94},  // AL Local Machine Browser
        {QStringLiteral("VolumeDown_8"), 0x0223, 0x23},  // AC Home
        {QStringLiteral("VolumeDown_9"), 0x0221, 0x21},  // AC Search
        {QStringLiteral("VolumeDown_7"), 0x0225, 0x25},  // AC Forward
        {QStringLiteral("VolumeDown_10"), 0x0224, 0x24}, // AC Back
        {QStringLiteral("VolumeDown_12"), 0x0226, 0x26}, // AC Stop
        {QStringLiteral("VolumeDown_13"), 0x0227, 0x27}, // AC Refresh
        {QStringLiteral("VolumeDown_11"), 0x022A, 0x2A}, // AC Bookmarks
    };
    return rows;
}

const Row* RowOfButton(const QString& mediaButton)
{
    for (const Row& row : Rows()) {
        if (row.mediaButton == mediaButton)
            return &row;
    }
    return nullptr;
}

const Row* RowOfCode(int code)
{
    for (const Row& row : Rows()) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

KeyBlock MediaKeyBlock(int usage)
{
    KeyBlock block;
    std::memset(&block, 0, sizeof(block));
    block.eventCount = 2;
    for (int k = 0; k < 2; ++k) {
        KeyEvent& event = block.events[k];
        event.action = static_cast<uint8_t>(k);
        event.kind = kConsumerKind;
        KeyEventFields::SetUsage(&event, usage);
        KeyEventFields::SetDelay(&event, KeyBlockCodec::EventDelayMs);
    }
    return block;
}

KeyBlock MediaKeyBlockOfBytes(int usageLow, int usageHigh)
{
    return MediaKeyBlock(((usageHigh & 0xFF) << 8) | (usageLow & 0xFF));
}

} // namespace ConsumerKeyTable
