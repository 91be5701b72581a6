#pragma once

#include "platform/configinifile.h"

#include <QReadWriteLock>
#include <QString>
#include <QStringList>

// The read-only store over the product configuration <AppDir>/usersetting/Config.ini (INI, UTF-8):
// the supported models (one `Drive<N>` section each), the identifiers used to find devices and
// the theme colours (`Option`). The program never writes the file.
//
// The whole file is read once when the store is created, into a map nobody changes afterwards, so
// the device-event callback can read it on a library thread while the GUI thread does too. The
// store is created on first use and never destroyed.
//
// The file is read and decoded through ConfigIniFile, as the simulated device library reads it: a
// line whose value QSettings could read as a serialized object ("@Variant(...)", which the file
// never holds) is left out, its key reads as missing, and identifiers come back decoded. A file
// that is missing, unreadable, empty or holds no models gets one line on standard error saying so.
class ConfigIni
{
public:
    // May run on a device-library thread.
    static ConfigIni *instance();

    // group/key as text: empty when missing, and empty for a value written as an unquoted comma
    // list (read those with valueList). May run on a device-library thread.
    QString value(const QString &group, const QString &key) const;
    // group/key as a list of texts split at unquoted commas: empty when missing; a value without a
    // comma gives a list of that one text. May run on a device-library thread.
    QStringList valueList(const QString &group, const QString &key) const;
    // group/key read as a base-10 integer; 0 when missing or not a number.
    // May run on a device-library thread.
    int intValue(const QString &group, const QString &key) const;
    // The `Option` theme colour `key` as "r,g,b" for the rgb(...) of a style sheet. A value that is
    // missing or does not start with three numbers 0..255 gives the theme's default for that key,
    // so no style sheet is ever built from a short list.
    QString color(const QString &key) const;

    // As ConfigIniFile answers them.
    static bool isIdentifierKey(const QString &key);
    static QString decodeIdentifier(const QString &coded);

    // The file the store was read from.
    QString path() const;

    // Test-only: reads the store again from `path` (an empty text: from the app folder's
    // usersetting/Config.ini). The program itself never reloads; tests use this to load fixture
    // files into the one process-wide store.
    static void resetForTests(const QString &path);

private:
    explicit ConfigIni(const QString &path);
    void load(const QString &path);

    mutable QReadWriteLock lock;
    ConfigIniFile file; // replaced whole, under the lock, by resetForTests
};
