#pragma once

#include <QLoggingCategory>

// The program's trace lines (where a device pass, a dialog or a close has
// got to). Off unless turned on, e.g. QT_LOGGING_RULES="nevrix.trace=true".
Q_DECLARE_LOGGING_CATEGORY(traceLog)
