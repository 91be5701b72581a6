#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// One INI file read whole, as the toolkit's settings object reads it (groups, keys, lists split at
// unquoted commas, UTF-8), minus what could crash it. Every INI file the program or the simulated
// device library reads goes through here.
//
// QSettings reads a value written as "@Variant(...)" as a serialized object and trusts the sizes
// inside it, so one damaged line in a user's file could end the program at every start. A line
// that could give such a value is left out before QSettings sees the bytes: its key reads as
// missing, the rest of the file as written, and one line on standard error (once per file and key
// in a run) names the file and the key and shows the start of the value in hex (never its bytes:
// they may be anything). No file this program writes holds such a value: they hold numbers and
// plain texts, and none starts with '@'.
//
// Values come back as QSettings gives them: QString, or QStringList for a value with unquoted
// commas. An object is a private copy of the file, so any thread may read one.
class IniFile
{
public:
    // Reads `path`: a file, or a resource of the program. A missing or unreadable file reads as
    // empty.
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }
    // False when the file is missing or could not be opened.
    bool isReadable() const { return m_readable; }
    // QSettings' verdict on the syntax: FormatError for a section line without ']' or a line
    // without '=' that is no comment. The lines it could read are read all the same.
    QSettings::Status status() const { return m_status; }

    // "group/key" (a key outside any group has no "group/"), as QSettings names it.
    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    bool contains(const QString &key) const { return m_values.contains(key); }
    QStringList allKeys() const { return m_values.keys(); }
    // The groups of the first level and the keys directly inside `group`.
    QStringList childGroups() const;
    QStringList childKeys(const QString &group) const;
    const QSettings::SettingsMap &values() const { return m_values; }
    // The keys whose lines were left out, as "group/key".
    QStringList leftOut() const { return m_leftOut; }

    // Writes `values` to `path` as QSettings writes INI files (UTF-8), as a whole file
    // (WholeFile): the file afterwards is the old one or the new one. False when it could not be
    // written.
    static bool write(const QString &path, const QSettings::SettingsMap &values);
    // Reads `path`, applies `change` to its values and writes them back whole (as write()), also
    // when nothing changed but a damaged line was left out: the file is mended then. A file that
    // exists but cannot be read is left alone (writing it would lose every other value): false.
    static bool update(const QString &path,
                       const std::function<void(QSettings::SettingsMap &values)> &change);

private:
    QString m_path;
    bool m_readable = false;
    QSettings::Status m_status = QSettings::NoError;
    QSettings::SettingsMap m_values;
    QStringList m_leftOut;
};
