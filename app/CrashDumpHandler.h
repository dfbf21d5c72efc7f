#pragma once

// Writes a crash dump into the per-user "/Exception" folder when the process
// dies of an error nothing handles.
class CrashDumpHandler {
public:
    CrashDumpHandler();

    // Installs the dump writer for the rest of the process; whatever handled
    // fatal errors before is not kept.
    void InstallCrashHandler();
};
