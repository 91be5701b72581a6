#pragma once

#include "platform/inifile.h"

#include <QString>
#include <QStringList>

// One reading of the product configuration file <app folder>/usersetting/Config.ini (INI, UTF-8):
// the supported models (one `Drive<N>` section each), the identifiers used to find devices and the
// theme colours (`Option`). The program's configuration store and the simulated device library
// both decode the file through here, so a value never reads one way for the pages and another way
// for the devices.
//
// The file is read whole through IniFile: a line QSettings could read as a serialized object is
// left out and its key reads as missing. Thirteen identifier keys (firmware names, sensor chip,
// customer, vendor and product identifiers) are stored Base64-coded; value and valueList return
// them decoded, so callers only ever see plain text. An object is a private copy of the file:
// any thread may read one.
class ConfigIniFile
{
public:
    // usersetting/Config.ini of the app folder.
    static QString defaultPath();

    explicit ConfigIniFile(const QString &path = defaultPath());

    // The file as read, for what the decoded values cannot tell (whether it was there at all).
    const IniFile &file() const { return m_file; }

    // group/key as text: empty when missing, and empty for a value written as an unquoted comma
    // list (read those with valueList).
    QString value(const QString &group, const QString &key) const;
    // group/key as a list of texts split at unquoted commas: empty when missing; a value without a
    // comma gives a list of that one text.
    QStringList valueList(const QString &group, const QString &key) const;
    // group/key read as a base-10 integer; 0 when missing or not a number.
    int intValue(const QString &group, const QString &key) const;

    // Whether values of `key` are stored Base64-coded (exact, case-sensitive name, any section).
    static bool isIdentifierKey(const QString &key);
    // Base64 text to plain text as the file stores identifiers: characters outside the Base64
    // alphabet are skipped, the bytes are read as UTF-8, then every line feed and every space is
    // removed (generators of the file wrap and pad the coded names; a hand-edited file may carry
    // them too). A malformed text is decoded as far as it goes.
    static QString decodeIdentifier(const QString &coded);

private:
    IniFile m_file;
};
