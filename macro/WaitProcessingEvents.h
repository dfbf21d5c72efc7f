#pragma once

// Returns after `milliseconds`, running the GUI thread's events meanwhile
// (for at most 100 ms at a time), so the window stays alive during a pause.
// The device link's worker and report threads deliver the pages' records
// through blocking queued signals and wait for the GUI thread to run the
// slots: every pause on the GUI thread that may overlap device traffic must
// be this one, never a sleep. The time is measured with a monotonic clock: a
// change of the system clock neither ends the wait early nor stretches it.
void WaitProcessingEvents(int milliseconds);
