#pragma once

#include <QLoggingCategory>

// The program's own diagnostic messages: traces of what it does, for a developer. Off unless
// asked for (QT_LOGGING_RULES="zr35.diagnostics.debug=true"), since a normal run writes to the
// terminal only what the user must act on. Never give it a key, a key name, a macro event or the
// content of a record or stored value: what a user types into a macro may be a password.
Q_DECLARE_LOGGING_CATEGORY(lcDiagnostics)
