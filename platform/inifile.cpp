#include "platform/inifile.h"

#include "platform/wholefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QTemporaryFile>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

// QSettings reads a value that starts with "@Variant(" (once its escapes are undone) as a
// serialized object, and the decoders trust the sizes inside it. A value counts as one that could
// give such an object when one of its '@' may start the value or a list element (only spaces,
// tabs, quotes and line ends between it and the value's start or a ','), or when a backslash
// escape could make or hide such an '@' ("\x40", an octal escape, an escape that drops the
// character after it, an escaped line end). This leaves out a little more than QSettings would
// misread, never less.
bool mayHoldSerializedValue(const QByteArray &value)
{
    const bool escaped = value.contains('\\');
    for (int i = 0; i < value.size(); ++i) {
        const char ch = value.at(i);
        if (ch == '\\') {
            // An escape takes the character after it: "\\x" is a backslash and an 'x'.
            const char next = i + 1 < value.size() ? value.at(++i) : '\0';
            if (next == 'x' || (next >= '0' && next <= '7'))
                return true;
            continue;
        }
        if (ch != '@')
            continue;
        if (escaped)
            return true;
        int before = i - 1;
        while (before >= 0 && QByteArrayLiteral(" \t\"\r\n").contains(value.at(before)))
            --before;
        if (before < 0 || value.at(before) == ',')
            return true;
    }
    return false;
}

// Where the value of one line as QSettings reads it (a line may span text lines) starts and ends,
// found as QSettings finds it: after the first '=' that is neither quoted nor escaped, up to a ';'
// outside quotes. Empty for a section line, a comment or a line without '='.
QByteArray valueOf(const QByteArray &line)
{
    int i = 0;
    while (i < line.size() && QByteArrayLiteral(" \t\r\n").contains(line.at(i)))
        ++i;
    if (i == line.size() || line.at(i) == '[' || line.at(i) == ';')
        return QByteArray();
    bool inQuotes = false;
    int equals = -1;
    for (; i < line.size(); ++i) {
        const char ch = line.at(i);
        if (ch == '\\')
            ++i;
        else if (ch == '"')
            inQuotes = !inQuotes;
        else if (ch == ';' && !inQuotes)
            break;
        else if (ch == '=' && !inQuotes && equals < 0)
            equals = i;
    }
    // A backslash at the very end skips past it.
    i = qMin(i, int(line.size()));
    return equals < 0 ? QByteArray() : line.mid(equals + 1, i - equals - 1);
}

// A key or section name as QSettings reads it: '\' separates levels as '/' does, "%XX" and
// "%UXXXX" stand for one character. Only used to name a key in a message.
QString decodedName(const QByteArray &raw)
{
    QString name;
    for (int i = 0; i < raw.size(); ++i) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            name += QLatin1Char('/');
            continue;
        }
        if (ch == '%') {
            const bool wide = i + 1 < raw.size() && raw.at(i + 1) == 'U';
            const int first = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            bool ok = false;
            const uint code =
                first + digits <= raw.size() ? raw.mid(first, digits).toUInt(&ok, 16) : 0;
            if (ok) {
                name += QChar(code);
                i = first + digits - 1;
                continue;
            }
        }
        name += QLatin1Char(ch);
    }
    return name;
}

// Whether the line QSettings is reading goes on after this text line: a backslash escapes the line
// end, and a quoted text spans line ends. A ';' outside quotes starts a comment that ends the line.
// `inQuotes` carries the quote state from one text line to the next.
bool continuesAfter(const QByteArray &line, bool *inQuotes)
{
    for (int i = 0; i < line.size(); ++i) {
        const char ch = line.at(i);
        if (ch == '\\') {
            if (i + 1 == line.size())
                return true;
            ++i;
        } else if (ch == '"') {
            *inQuotes = !*inQuotes;
        } else if (ch == ';' && !*inQuotes) {
            return false;
        }
    }
    return *inQuotes;
}

// What a line is called in a message: its key within its group, or the section it opens. A
// damaged file may hold anything: the name is cut at a length no key of ours comes near.
QString nameOfLine(const QByteArray &line, const QString &group)
{
    constexpr int Longest = 240;
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('['))
        return QString::fromLatin1(trimmed.left(Longest));
    const int equals = trimmed.indexOf('=');
    return group +
           decodedName((equals < 0 ? trimmed : trimmed.left(equals)).trimmed().left(Longest));
}

// A line left out: the name of its key and its value as the file holds it.
struct LeftOutLine
{
    QString key;
    QByteArray value;
};

// The file's bytes without the lines whose value could be read as a serialized object, and those
// lines' keys and values (the first line of a key only). A text line ends at CR, LF, CR LF or LF
// CR; QSettings reads one line across text lines where a backslash or a quote carries it on, and
// such a line is left out whole, so that no part of its value is read and no escape or key is made
// of the lines around it.
QByteArray withoutSerializedValues(const QByteArray &content, QVector<LeftOutLine> *leftOut)
{
    QByteArray kept;
    QString group;
    QByteArray logical;
    QString name;
    bool inQuotes = false;
    const auto endLogicalLine = [&] {
        const QByteArray value = valueOf(logical);
        const auto sameKey = [&](const LeftOutLine &line) { return line.key == name; };
        if (!mayHoldSerializedValue(value))
            kept += logical;
        else if (std::none_of(leftOut->cbegin(), leftOut->cend(), sameKey))
            leftOut->append({name, value});
        logical.clear();
        inQuotes = false;
    };
    int start = 0;
    while (start < content.size()) {
        int end = start;
        while (end < content.size() && content.at(end) != '\n' && content.at(end) != '\r')
            ++end;
        int next = end < content.size() ? end + 1 : end;
        if (next < content.size() && content.at(next) != content.at(end) &&
            (content.at(next) == '\n' || content.at(next) == '\r'))
            ++next;
        const QByteArray line = content.mid(start, end - start);
        if (logical.isEmpty()) {
            const QByteArray trimmed = line.trimmed();
            if (trimmed.startsWith('[')) {
                const int close = trimmed.indexOf(']');
                const QString section =
                    decodedName(trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed());
                group = section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0
                            ? QString()
                            : section + QLatin1Char('/');
            }
            name = nameOfLine(line, group);
        }
        logical += content.mid(start, next - start);
        if (!continuesAfter(line, &inQuotes))
            endLogicalLine();
        start = next;
    }
    endLogicalLine();
    return kept;
}

// Never destroyed: a library thread may read a file while the process ends.
struct Reported
{
    QMutex mutex;
    QSet<QString> names;
};

Reported &reported()
{
    static Reported *instance = new Reported;
    return *instance;
}

// A damaged file may hold any byte: a terminal must not receive its control or 8-bit bytes. The
// key keeps its printable ASCII and shows every other byte of its UTF-8 as "\xNN"; the value is
// shown as hex, its first bytes only.
QByteArray printableKey(const QString &key)
{
    QByteArray shown;
    const QByteArray bytes = key.toUtf8();
    for (const char ch : bytes) {
        const uchar byte = uchar(ch);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
            shown += ch;
        else
            shown += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    return shown;
}

QByteArray hexExcerpt(QByteArray value)
{
    constexpr int Shown = 16;
    while (value.endsWith('\n') || value.endsWith('\r'))
        value.chop(1);
    QByteArray excerpt = value.left(Shown).toHex(' ');
    if (value.size() > Shown)
        excerpt += " ... (" + QByteArray::number(value.size()) + " bytes)";
    return excerpt;
}

// One line per file and key in a run: the stores read their files again and again.
void report(const QString &path, const QVector<LeftOutLine> &lines)
{
    for (const LeftOutLine &line : lines) {
        {
            QMutexLocker lock(&reported().mutex);
            const QString name = path + QLatin1Char('\n') + line.key;
            if (reported().names.contains(name))
                continue;
            reported().names.insert(name);
        }
        std::fprintf(stderr, "%s: %s left out: its value is damaged (not plain text): %s\n",
                     qPrintable(QDir::toNativeSeparators(path)), printableKey(line.key).constData(),
                     hexExcerpt(line.value).constData());
    }
}

// QSettings keeps what it read of each file for the whole process and reads a file again only when
// its size or its modification time changed. A file rewritten with the same size within one tick
// of the file system's clock (a few milliseconds: a device's state file written twice in a row)
// would read as it was before. What QSettings read of each path is noted here, and a file whose
// bytes differ from that under the same size and time is read from a private copy. Never
// destroyed: a library thread may read while the process exits.
struct Read
{
    qint64 size = -1;
    QDateTime modified;
    uint bytes = 0; // a hash of them
};

struct ReadByQSettings
{
    QMutex mutex;
    QHash<QString, Read> files;
};

ReadByQSettings &readByQSettings()
{
    static ReadByQSettings *instance = new ReadByQSettings;
    return *instance;
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    QByteArray content;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        content = file.readAll();
        m_readable = true;
    }
    QVector<LeftOutLine> leftOut;
    const QByteArray safe = withoutSerializedValues(content, &leftOut);
    for (const LeftOutLine &line : qAsConst(leftOut))
        m_leftOut << line.key;

    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    const Read now{content.size(), info.lastModified(), qHash(content)};
    bool stale = false;
    {
        QMutexLocker lock(&readByQSettings().mutex);
        const auto before = readByQSettings().files.constFind(absolute);
        stale = before != readByQSettings().files.constEnd() && before->size == now.size &&
                before->modified == now.modified && before->bytes != now.bytes;
    }

    // QSettings reads files only: what is left of a damaged file is read from a private copy.
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/zr35-ini-XXXXXX.ini"));
    QString readFrom = path;
    if (!m_leftOut.isEmpty() || stale) {
        if (!copy.open() || copy.write(safe) != safe.size() || !copy.flush()) {
            m_readable = false;
            return;
        }
        readFrom = copy.fileName();
    }
    QSettings settings(readFrom, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    // Keys as QSettings looks them up (no empty levels). A key it lists but cannot look up (an
    // empty name, say) has no value and is not kept: writing it back would store "@Invalid()".
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys) {
        const QVariant value = settings.value(key);
        const QString name = key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
        if (value.isValid() && !name.isEmpty())
            m_values.insert(name, value);
    }
    m_status = settings.status();
    if (readFrom == path) {
        QMutexLocker lock(&readByQSettings().mutex);
        readByQSettings().files.insert(absolute, now);
    }
    report(path, leftOut);
}

QVariant IniFile::value(const QString &key, const QVariant &defaultValue) const
{
    return m_values.value(key, defaultValue);
}

QStringList IniFile::childGroups() const
{
    QStringList groups;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        if (slash < 0)
            continue;
        const QString group = it.key().left(slash);
        if (!groups.contains(group))
            groups << group;
    }
    return groups;
}

QStringList IniFile::childKeys(const QString &group) const
{
    const QString prefix = group.isEmpty() ? QString() : group + QLatin1Char('/');
    QStringList keys;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        if (!it.key().startsWith(prefix))
            continue;
        const QString rest = it.key().mid(prefix.size());
        if (!rest.contains(QLatin1Char('/')))
            keys << rest;
    }
    return keys;
}

bool IniFile::write(const QString &path, const QSettings::SettingsMap &values)
{
    // QSettings writes the INI text; it would merge with the file already at `path`, reading
    // whatever that holds, so it writes into an empty file of its own first.
    QTemporaryFile staging(QDir::tempPath() + QStringLiteral("/zr35-ini-XXXXXX.ini"));
    if (!staging.open())
        return false;
    {
        QSettings settings(staging.fileName(), QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return false;
    }
    // By name: QSettings may have replaced the file the handle above still points at.
    QFile written(staging.fileName());
    if (!written.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = written.readAll();
    // QSettings saves as QSaveFile does and misses a failed flush too: on a full disk its text is
    // cut short without a word. Its writer ends every line with a line end, so a cut text ends
    // without one or has lost whole lines, and with them keys.
    if (!text.isEmpty() && !text.endsWith('\n'))
        return false;
    {
        QSettings check(staging.fileName(), QSettings::IniFormat);
        if (check.allKeys().size() != values.size())
            return false;
    }

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return WholeFile::write(path, text);
}

bool IniFile::update(const QString &path,
                     const std::function<void(QSettings::SettingsMap &values)> &change)
{
    const IniFile file(path);
    if (!file.isReadable() && QFileInfo::exists(path))
        return false;
    QSettings::SettingsMap values = file.values();
    change(values);
    if (values == file.values() && file.leftOut().isEmpty())
        return true;
    return write(path, values);
}
