#pragma once

// With TZ unset, the C library checks the zone file again at every local-time
// conversion, and every picture a style sheet names converts its file's date:
// thousands of file-status calls at start. Naming the system's zone file once
// keeps the same zone and reads it once. A TZ the user set is kept.
class LocalTimeZone {
public:
    static void PinToSystemZone();
};
