#pragma once

#include <QString>

// Qt's own translations (the texts of its file, colour and message dialogs), which Debian ships
// apart from the toolkit. GUI thread only.
namespace ToolkitTranslation {

// Puts Qt's translation for `locale` ("uk") in place of the one in use; an empty locale, or one
// Qt has no translation for, leaves its dialogs in English. True when a translation is in use.
//
// Qt tells every window of a language change. Only its own dialogs take it: the program's forms
// take their texts from the language tables, and on that event they would put their default
// texts back (their changeEvent re-runs retranslateUi).
bool use(const QString &locale);

// The locale whose translation is in use; empty for none.
QString locale();

} // namespace ToolkitTranslation
