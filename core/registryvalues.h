#pragma once

#include "core/settingsstore.h"

#include <QString>

// The program's values in the current user's registry (platform/registry.h). Key paths are
// kept exactly as installations have always named them.
namespace RegistryValues {

// "HKEY_CURRENT_USER\Software\<A>\<A>\<A>", A = ApplicationName: holds LanguageIndex.
QString ApplicationKey();
// "HKEY_CURRENT_USER\Software\<A>\<A>\Mouse Drive Test": holds UpdateFailInfo and the
// per-model mouse firmware versions.
QString UpdateKey();

// "HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run": its values start programs
// with the desktop session (an autostart entry here, platform/registry.h).
QString StartupKey();
// Start with the desktop session, on or off: Macro.ini AutoStart/Enable "1" or "0", and the
// start-up value named after the application (QCoreApplication::applicationName(), the
// executable's base name unless set) holding the executable's absolute path; off removes the
// value, whether or not there was one. False when either could not be written.
bool SetStartWithSystem(bool on, SettingsStore *store = SettingsStore::instance());

// Moves the language index an earlier installation left in the registry into Macro.ini (only
// when it is not 0), always removes it from the registry, and returns the language Macro.ini
// now holds. Run once at start-up, after the language files are loaded.
int MigrateLanguageIndex(SettingsStore *store = SettingsStore::instance());

// A firmware update or repair that did not complete: four decimal integers joined by ","
// (target 210 mouse or 211 receiver, then three fields of the update engine). Empty when none.
QString UpdateFailInfo();
void SetUpdateFailInfo(const QString &text);
void RemoveUpdateFailInfo();

// "MouseVer" + CID text + MID text, exactly as the model configuration returns the texts:
// a MID stored as "03" keeps its zero, and stored names rely on that.
QString MouseVerName(const QString &cidText, const QString &midText);
// The name for the model of section "Drive" + (driveIndex + 1): Option/CID and that section's
// MID from Config.ini. May run on the device library's callback thread.
QString MouseVerNameOfModel(int driveIndex);
// The mouse firmware version last reported under that name ("" when none). May run on the
// device library's callback thread.
QString MouseVer(const QString &name);
// May run on the device library's callback thread.
void SetMouseVer(const QString &name, const QString &version);

} // namespace RegistryValues
