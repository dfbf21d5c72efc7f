// Linked into every test program: tests read the library's calls, which the
// library keeps in memory only when asked.
#include "platform/rozuri/SimulatedDeviceControl.h"

namespace {
const bool kCallsKept = (SimulatedDeviceControl::keepCalls(true), true);
}
