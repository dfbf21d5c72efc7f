#include "platform/LocalTimeZone.h"

#include <cstdlib>
#include <ctime>

void LocalTimeZone::PinToSystemZone()
{
    // ":" + path is the C library's form for "this zone file"; without the
    // file it falls back to UTC, as it does with TZ unset.
    setenv("TZ", ":/etc/localtime", 0);
    tzset();
}
