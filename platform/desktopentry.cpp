#include "platform/desktopentry.h"

#include <QStringList>

namespace {

// The escapes every string value has: they are undone before an Exec line is unquoted, so a
// literal backslash inside a quoted argument is written as four.
QString escapeString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    // A leading space would be trimmed by readers.
    if (out.startsWith(QLatin1Char(' ')))
        out.replace(0, 1, QLatin1String("\\s"));
    return out;
}

QString unescapeString(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '\\':
            out += QLatin1Char('\\');
            break;
        default:
            out += c;
            out += next;
        }
    }
    return out;
}

// Undoes quoteArgument when the whole line is one quoted argument; otherwise returns false.
bool unquoteSingleArgument(const QString &line, QString *argument)
{
    if (!line.startsWith(QLatin1Char('"')))
        return false;
    QString out;
    int i = 1;
    for (; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            break;
        if (c == QLatin1Char('\\') && i + 1 < line.size())
            out += line.at(++i);
        else if (c == QLatin1Char('%') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('%'))
            out += line.at(++i);
        else
            out += c;
    }
    if (i != line.size() - 1)
        return false;
    *argument = out;
    return true;
}

} // namespace

QString DesktopEntry::quoteArgument(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        // '%' starts a field code; a literal one is doubled.
        else if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

QByteArray DesktopEntry::autostartEntry(const QString &name, const QString &program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n")
                             .arg(escapeString(name), escapeString(quoteArgument(program)));
    return text.toUtf8();
}

QString DesktopEntry::execCommand(const QByteArray &content, bool *found)
{
    if (found)
        *found = false;
    bool inMainGroup = false;
    const QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed() != QLatin1String("Exec"))
            continue;
        if (found)
            *found = true;
        const QString exec = unescapeString(line.mid(equals + 1).trimmed());
        QString program;
        return unquoteSingleArgument(exec, &program) ? program : exec;
    }
    return QString();
}
