#pragma once

#include <QString>

// Qt's own dialogs (the export's and import's file dialogs, the DPI colour dialog) in the language
// the user chose.

// The locale of Qt's translation for a language index: "uk" for Ukrainian; none for English (Qt's
// own texts) or an index the program does not have.
QString ToolkitLocale(int language);

// From now on every language change (the hub's language signal, the start-up's included) switches
// Qt's translation with it. Once per application object; later calls do nothing. GUI thread.
void FollowLanguageInToolkitDialogs();
