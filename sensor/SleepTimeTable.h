#pragma once

// The sleep times of the slider design of the sleep-time control: record
// byte 8 holds the time in units of 10 seconds; position i writes
// kSleepTimeCodes[i]. The advanced page's list offers other times.
namespace SleepTimeTable {

constexpr int kCount = 11;
constexpr int kSleepTimeCodes[kCount] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};

// The record code of entry index, or -1 outside the table.
constexpr int CodeOfIndex(int index)
{
    return index >= 0 && index < kCount ? kSleepTimeCodes[index] : -1;
}

// Seconds of a record code.
constexpr int Seconds(int code)
{
    return code * 10;
}

} // namespace SleepTimeTable
