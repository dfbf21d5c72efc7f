#pragma once

#include <ctime>

// Local date and time for a crash dump's file name. The C library's local
// time functions may lock or load zone files, which a crashing process must
// not do, so the offsets from UTC (with their changes for daylight saving)
// are read ahead of time and the calendar date is worked out by hand.
class DumpClock {
public:
    // "yyyy_MM_dd_hh_mm_ss" and its terminating zero.
    static constexpr int kNameSize = 20;

    // Reads the local offsets in force from `from` for the given number of days.
    void Capture(std::time_t from, int days);

    // Writes the local date and time of `when`; async-signal-safe.
    void Format(std::time_t when, char (&name)[kNameSize]) const;

private:
    static constexpr int kMaxChanges = 64;

    std::time_t m_since[kMaxChanges] = {};
    long m_offset[kMaxChanges] = {};
    int m_count = 0;
};
