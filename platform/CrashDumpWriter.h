#pragma once

#include <QString>

// What the desktop platform's crash reporting would do for us: when the
// process dies of a fatal signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT)
// or std::terminate, a dump named by the local date and time
// ("yyyy_MM_dd_hh_mm_ss.dmp") is written into a folder, holding the cause,
// the process and thread ids and a backtrace; then the process ends as the
// signal would have ended it.
//
// The handlers run inside a crashing process, so they only use
// async-signal-safe calls: everything else is prepared by Install().
class CrashDumpWriter {
public:
    // Takes over the fatal signals and std::terminate; earlier handlers are
    // not kept. The folder is created (one level) when a dump is written.
    // False when the folder path is too long to be kept.
    static bool Install(const QString& folder);
};
