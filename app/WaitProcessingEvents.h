#pragma once

// Waits on the GUI thread for ms milliseconds of a monotonic clock while the
// event loop keeps running. The device link's worker and report threads
// deliver the pages' records through blocking queued signals and wait for the
// GUI thread to run the slots; a wait of the GUI thread that stopped the
// event loop would hold them (and itself) up. Use this for every pause on the
// GUI thread that may overlap device traffic.
void WaitProcessingEvents(int ms);
