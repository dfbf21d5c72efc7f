#include "app/TraceLog.h"

// Info and above only by default: the trace lines are debug messages.
Q_LOGGING_CATEGORY(traceLog, "nevrix.trace", QtInfoMsg)
