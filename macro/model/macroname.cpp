#include "macro/model/macroname.h"

#include "platform/appdir.h"

QByteArray MacroNameBytes(const QString &name)
{
    return name.toUtf8();
}

QString MacroNameFromBytes(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}

QString CutToBytes(const QString &text, int maxBytes)
{
    int bytes = 0;
    int end = 0;
    while (end < text.size()) {
        const QChar c = text.at(end);
        // A surrogate pair is one character of four bytes; a lone surrogate is written as the
        // three bytes of a replacement character.
        const bool pair =
            c.isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const int units = pair ? 2 : 1;
        const uint code = pair ? QChar::surrogateToUcs4(c, text.at(end + 1)) : c.unicode();
        const int size = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += units;
    }
    return text.left(end);
}

bool IsMacroNameAllowed(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return false;
    }
    return MacroNameBytes(name).size() <= MacroNameMaxBytes;
}

QString MacroFolder()
{
    return UserDir::filePath(QStringLiteral("usersetting/MacroPage"));
}

std::optional<QString> MacroFilePath(const QString &name)
{
    return MacroFilePath(MacroFolder(), name);
}

std::optional<QString> MacroFilePath(const QString &folder, const QString &name)
{
    if (!IsMacroNameAllowed(name))
        return std::nullopt;
    return folder + QLatin1Char('/') + name + QStringLiteral(".ini");
}
