#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

// The user's own choices in Macro.ini in the user data folder (UserDir). Keys:
//   Language/Language  language index as decimal text (0 English, 1 Ukrainian)
//   AutoStart/Enable   "1" start with the desktop session, "0" not
//   FindNew/IsShow     "1" the home page's do-not-show-again box is ticked, "0" not
// A missing file or key reads as empty text (0 as a number). Every access reads the file again
// (another instance may have written it) through IniFile, so a damaged value reads as missing; a
// write stores the whole file anew through QSaveFile, without the damaged lines. Calls are
// serialised, so any thread may use the store.
class SettingsStore
{
public:
    // The one store on <UserDir>/Macro.ini, created on first use and never destroyed.
    static SettingsStore *instance();

    // A store on another file (tests write their own).
    explicit SettingsStore(const QString &path);
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString path() const { return m_path; }

    // group + "/" + key as text; empty when missing.
    QString value(const QString &group, const QString &key);
    // Stores text and writes the file at once; false when the file could not be written.
    bool setValue(const QString &group, const QString &key, const QString &text);
    QStringList valueList(const QString &group, const QString &key);
    bool remove(const QString &group, const QString &key);

private:
    QString m_path;
    QMutex m_mutex;
};

// Typed readers and writers of the keys above. Numbers are read as base-10 integers: text that
// is not a number counts as 0.
//
// The languages the program has: 0 English, 1 Ukrainian (the order of the language box).
constexpr int LanguageCount = 2;
// A stored language the program does not have counts as English, as a missing one does.
int StoredLanguage(SettingsStore *store = SettingsStore::instance());
bool StoreLanguage(int language, SettingsStore *store = SettingsStore::instance());
// Only the number 1 counts as on; "2" or any other text is off.
bool AutoStartEnabled(SettingsStore *store = SettingsStore::instance());
bool StoreAutoStartEnabled(bool enabled, SettingsStore *store = SettingsStore::instance());
bool StoreFindNewShown(bool ticked, SettingsStore *store = SettingsStore::instance());
