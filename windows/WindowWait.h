#pragma once

// Pauses of the windows that keep the event loop running, so that device
// reports and hub signals waiting for the GUI thread are served meanwhile.
class WindowWait {
public:
    // Processes events, at most 100 ms at a time, until ms have passed.
    static void WaitProcessingEvents(int ms);
};
