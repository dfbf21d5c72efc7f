#pragma once

#include <QByteArray>
#include <cstddef>

// The mouse keeps its settings in a 6912-byte flash image; the program works
// on a 10448-byte record. Layout of the image:
//   0..1    magic D7 1A
//   2       layout version 1
//   3       0
//   4..5    bytes used in the macro pool, little-endian
//   6..7    CRC-16/CCITT (init FFFF) of bytes 8..6911, little-endian
//   8..151  record bytes 0..143 (settings, DPI levels, lights, button headers,
//           reserved bytes and the gap), unchanged
//   152..983  the sixteen 52-byte key blocks, unchanged
//   984..6911 macro pool: per button 0..15 in order
//           name length, event count, n, n name bytes (trailing zeros of the
//           30-byte name field trimmed), s, s event slots (trailing all-zero
//           slots beyond the event count trimmed). A slot is one byte
//           action | kind << 1 (kinds 0, 1, 2, 4 as 0..3) followed by the
//           usage and the delay as LEB128 numbers; a slot that does not fit
//           this form is 0x80 and its 8 raw bytes.
// Everything round-trips byte for byte. The one clamp: when the macros do not
// fit into the pool, every name is kept and event slots are dropped from the
// end of the first macro that overflows (its event count lowered to the slots
// kept); later macros keep only the slots that still fit.
class FlashImageCodec {
public:
    static constexpr int kImageSize = 6912;
    static constexpr int kRecordSize = 10448;

    // Record offsets, fixed by the program's device record.
    static constexpr std::size_t kReportRate = 0;
    static constexpr std::size_t kDpiLevelCount = 1;
    static constexpr std::size_t kCurrentDpiLevel = 2;
    static constexpr std::size_t kDpiLevels = 36;
    static constexpr std::size_t kDpiLevelSize = 6;
    static constexpr std::size_t kDpiLed = 84;
    static constexpr std::size_t kLedBar = 88;
    static constexpr std::size_t kButtonHeaders = 95;
    static constexpr std::size_t kGap = 143;
    static constexpr std::size_t kKeyBlocks = 144;
    static constexpr std::size_t kKeyBlockSize = 52;
    static constexpr std::size_t kMacroBlocks = 976;
    static constexpr std::size_t kMacroBlockSize = 592;
    static constexpr std::size_t kMacroNameSize = 30;
    static constexpr std::size_t kMacroEventCount = 31;
    static constexpr std::size_t kMacroEvents = 32;
    static constexpr std::size_t kMacroSlots = 70;
    static constexpr std::size_t kEventSize = 8;
    static constexpr int kButtons = 16;

    static constexpr int kImageHeaderSize = 8;
    static constexpr int kPoolOffset = kImageHeaderSize + static_cast<int>(kMacroBlocks);
    static constexpr int kPoolSize = kImageSize - kPoolOffset;

    // Builds the image of a record (which must hold kRecordSize bytes).
    static QByteArray encode(const QByteArray &record);
    // Fills record (kRecordSize bytes) from an image; false, with record
    // untouched, when the image is short or malformed.
    static bool decode(const QByteArray &image, QByteArray *record);
    // The record a mouse holds after a factory reset.
    static QByteArray defaultRecord();

private:
    static quint16 crc16(const char *data, int length);
};
