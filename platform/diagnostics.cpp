#include "platform/diagnostics.h"

// Warnings and above still show; debug and info messages only when enabled.
Q_LOGGING_CATEGORY(lcDiagnostics, "zr35.diagnostics", QtWarningMsg)
