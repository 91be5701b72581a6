#include "macro/model/macrofile.h"

#include "core/record/recordcodes.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroname.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

bool isUpperHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool isDecimal(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// "0x04 1 0": a code the vocabulary writes, a kind of a macro file and a direction.
std::optional<MacroEvent> keyLine(const QList<QByteArray> &parts)
{
    const QByteArray &code = parts.at(0);
    if (code.size() != 4 || !code.startsWith("0x") || !isUpperHexDigit(code.at(2)) ||
        !isUpperHexDigit(code.at(3)))
        return std::nullopt;
    const QByteArray &kind = parts.at(1);
    if (kind != "0" && kind != "1" && kind != "4")
        return std::nullopt;
    const QByteArray &direction = parts.at(2);
    if (direction != "0" && direction != "1")
        return std::nullopt;
    return MacroEvent::Key(code.mid(2).toInt(nullptr, 16), kind.toInt(), direction == "0");
}

// "10ms": whole milliseconds that fit a device event's delay.
std::optional<MacroEvent> pauseLine(const QByteArray &part)
{
    if (!part.endsWith("ms"))
        return std::nullopt;
    const QByteArray digits = part.chopped(2);
    if (!isDecimal(digits) || digits.size() > 10)
        return std::nullopt;
    const qulonglong value = digits.toULongLong();
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return MacroEvent::Pause(std::uint32_t(value));
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> result = bytes.split('\n');
    // The line feed ends a line; nothing after the last one is no line.
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    for (QByteArray &line : result) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

QList<QByteArray> parts(const QByteArray &line)
{
    QList<QByteArray> result;
    for (const QByteArray &part : line.split(' ')) {
        if (!part.isEmpty())
            result.append(part);
    }
    return result;
}

} // namespace

MacroFileContent ParseMacroFile(const QByteArray &bytes)
{
    MacroFileContent content;
    const QList<QByteArray> all = lines(bytes);
    if (all.isEmpty())
        return content;
    content.hasRepeat = true;
    content.repeat = QString::fromUtf8(all.first());
    for (int i = 1; i < all.size(); ++i) {
        const QList<QByteArray> p = parts(all.at(i));
        std::optional<MacroEvent> event;
        if (p.isEmpty())
            continue;
        if (p.size() == 3)
            event = keyLine(p);
        else if (p.size() == 1)
            event = pauseLine(p.first());
        if (event)
            content.events.append(*event);
        else
            ++content.unreadableLines;
    }
    return content;
}

QByteArray FormatMacroEvents(const MacroEvents &events)
{
    QByteArray bytes;
    for (const MacroEvent &event : events) {
        if (event.type == MacroEvent::Delay) {
            bytes += QByteArray::number(event.delay) + "ms\n";
            continue;
        }
        bytes += CodeText(event.code).toLatin1() + ' ' + QByteArray::number(event.kind) + ' ' +
                 (event.type == MacroEvent::Release ? "1" : "0") + '\n';
    }
    return bytes;
}

QByteArray FormatMacroFile(const QString &repeat, const MacroEvents &events)
{
    return repeat.toUtf8() + '\n' + FormatMacroEvents(events);
}

int RepeatValueOf(const QString &repeatLine)
{
    const QStringList p = repeatLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (p.isEmpty())
        return 0;
    bool ok = false;
    const int value = p.first().toInt(&ok, 10);
    return ok ? value : 0;
}

bool ReadMacroFile(const QString &path, MacroFileContent *content)
{
    *content = MacroFileContent();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *content = ParseMacroFile(bytes);
    return true;
}

bool WriteMacroFile(const QString &path, const QString &repeat, const MacroEvents &events)
{
    return WholeFile::write(path, FormatMacroFile(repeat, events));
}

bool WriteNewMacroFile(const QString &path, const QString &repeat, const MacroEvents &events)
{
    const QFileInfo file(path);
    if (file.exists())
        return false;
    // The folder is made at start-up; one removed since is made again rather than the macro lost.
    QDir().mkpath(file.absolutePath());
    return WriteMacroFile(path, repeat, events);
}

std::optional<TakenOverMacro> TakeOverMacroRecord(const MacroRecord &record, int repeat,
                                                  bool *written)
{
    *written = false;
    const std::optional<TakenOverMacro> macro = MacroFromRecord(record);
    if (!macro)
        return std::nullopt;
    if (const std::optional<QString> path = MacroFilePath(macro->name))
        *written = WriteNewMacroFile(*path, QString::number(repeat), macro->events);
    return macro;
}
