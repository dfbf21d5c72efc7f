#pragma once

// Returns after `milliseconds`, running the GUI thread's events meanwhile
// (for at most 100 ms at a time), so the window stays alive during a pause.
// The time is measured with a monotonic clock: a change of the system clock
// neither ends the wait early nor stretches it.
void WaitProcessingEvents(int milliseconds);
