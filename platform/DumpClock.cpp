#include "platform/DumpClock.h"

namespace {

long OffsetAt(std::time_t when)
{
    std::tm local{};
    if (!localtime_r(&when, &local))
        return 0;
    return local.tm_gmtoff;
}

// Days since 1970-01-01 to a proleptic Gregorian date.
void CivilFromDays(long long days, long long& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

void PutDigits(char* out, long long value, int count)
{
    if (value < 0)
        value = -value;
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

void DumpClock::Capture(std::time_t from, int days)
{
    tzset();
    m_count = 0;
    m_since[m_count] = from;
    m_offset[m_count] = OffsetAt(from);
    ++m_count;

    constexpr std::time_t kDay = 86400;
    std::time_t before = from;
    long offset = m_offset[0];
    for (int i = 1; i <= days && m_count < kMaxChanges; ++i) {
        const std::time_t after = from + i * kDay;
        const long next = OffsetAt(after);
        if (next != offset) {
            // The change lies in (before, after]: find its first second.
            std::time_t low = before;
            std::time_t high = after;
            while (high - low > 1) {
                const std::time_t middle = low + (high - low) / 2;
                if (OffsetAt(middle) == offset)
                    low = middle;
                else
                    high = middle;
            }
            m_since[m_count] = high;
            m_offset[m_count] = OffsetAt(high);
            ++m_count;
            offset = next;
        }
        before = after;
    }
}

void DumpClock::Format(std::time_t when, char (&name)[kNameSize]) const
{
    long offset = m_count > 0 ? m_offset[0] : 0;
    for (int i = 1; i < m_count && m_since[i] <= when; ++i)
        offset = m_offset[i];

    const long long local = static_cast<long long>(when) + offset;
    long long days = local / 86400;
    long long seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    long long year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days, year, month, day);

    PutDigits(name, year, 4);
    name[4] = '_';
    PutDigits(name + 5, month, 2);
    name[7] = '_';
    PutDigits(name + 8, day, 2);
    name[10] = '_';
    PutDigits(name + 11, seconds / 3600, 2);
    name[13] = '_';
    PutDigits(name + 14, seconds / 60 % 60, 2);
    name[16] = '_';
    PutDigits(name + 17, seconds % 60, 2);
    name[19] = '\0';
}
