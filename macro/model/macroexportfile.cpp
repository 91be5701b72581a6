#include "macro/model/macroexportfile.h"

#include "macro/model/keyvocabulary.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>

#include <cstring>
#include <limits>

namespace {

const QByteArray Tag = QByteArrayLiteral("Tavik");
constexpr int TagBlockSize = 12;
constexpr int NameBlockSize = 48;
constexpr int RepeatBlockSize = 12;
constexpr int MaxIconSide = 64;
constexpr quint32 NullLength = 0xFFFFFFFF;

// A block of fixed size: the text, a zero byte, zero padding.
QByteArray block(const QByteArray &text, int size)
{
    QByteArray bytes = text.left(size - 1);
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

QString itemText(const MacroEvent &event)
{
    if (event.type == MacroEvent::Delay)
        return QString::number(event.delay) + QStringLiteral("ms");
    return MacroEventName(event);
}

// Reads the stream's parts from the bytes of a whole file, each checked against what is left, so
// a length or count in the file never decides how much is allocated.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : data(bytes) {}

    int left() const { return data.size() - pos; }

    bool u32(quint32 *value)
    {
        if (left() < 4)
            return false;
        const auto *p = reinterpret_cast<const uchar *>(data.constData() + pos);
        *value = (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
        pos += 4;
        return true;
    }

    bool i32(qint32 *value)
    {
        quint32 raw = 0;
        if (!u32(&raw))
            return false;
        *value = qint32(raw);
        return true;
    }

    bool skip(quint32 size)
    {
        if (size > quint32(left()))
            return false;
        pos += int(size);
        return true;
    }

    bool raw(quint32 size, QByteArray *bytes)
    {
        if (size > quint32(left()))
            return false;
        *bytes = data.mid(pos, int(size));
        pos += int(size);
        return true;
    }

    // A byte block (length, bytes) as text up to its first zero byte; an absent block (the null
    // length) is an empty text.
    bool blockText(QByteArray *text)
    {
        quint32 size = 0;
        if (!u32(&size))
            return false;
        if (size == NullLength) {
            text->clear();
            return true;
        }
        QByteArray bytes;
        if (!raw(size, &bytes))
            return false;
        const int zero = bytes.indexOf('\0');
        *text = zero < 0 ? bytes : bytes.left(zero);
        return true;
    }

    // A QString: a byte count (the null length for a null string), then UTF-16 big-endian.
    bool string(QString *text)
    {
        quint32 size = 0;
        if (!u32(&size))
            return false;
        if (size == NullLength) {
            *text = QString();
            return true;
        }
        if (size % 2 != 0 || size > quint32(left()))
            return false;
        QString result(int(size / 2), Qt::Uninitialized);
        const auto *p = reinterpret_cast<const uchar *>(data.constData() + pos);
        for (int i = 0; i < result.size(); ++i)
            result[i] = QChar(ushort((p[2 * i] << 8) | p[2 * i + 1]));
        pos += int(size);
        *text = result;
        return true;
    }

    // A PNG image as QImage writes it into a stream: walked chunk by chunk to its end, its size
    // taken from the header without decoding anything.
    bool png()
    {
        static const QByteArray signature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
        QByteArray head;
        if (!raw(8, &head) || head != signature)
            return false;
        bool first = true;
        for (;;) {
            quint32 size = 0;
            QByteArray type;
            if (!u32(&size) || !raw(4, &type))
                return false;
            if (first) {
                QByteArray header;
                if (type != "IHDR" || size != 13 || !raw(13, &header))
                    return false;
                Reader h(header);
                quint32 width = 0;
                quint32 height = 0;
                h.u32(&width);
                h.u32(&height);
                if (width == 0 || height == 0 || width > MaxIconSide || height > MaxIconSide)
                    return false;
                first = false;
            } else if (!skip(size)) {
                return false;
            }
            if (!skip(4)) // the chunk's checksum
                return false;
            if (type == "IEND")
                return true;
        }
    }

    // A QIcon as Qt 5 writes it: its engine's key, then the engine's own data. The pixmap engine
    // (icons made from pictures) and the theme engine (an icon name) are understood.
    bool icon()
    {
        QString key;
        if (!string(&key))
            return false;
        if (key.isEmpty()) // a null icon
            return true;
        if (key == QLatin1String("QIconLoaderEngine") || key == QLatin1String("QThemeIconEngine")) {
            QString name;
            return string(&name);
        }
        if (key != QLatin1String("QPixmapIconEngine"))
            return false;
        qint32 entries = 0;
        if (!i32(&entries) || entries < 0)
            return false;
        for (qint32 i = 0; i < entries; ++i) {
            qint32 notNull = 0;
            QString fileName;
            if (!i32(&notNull) || (notNull != 0 && !png()) || !string(&fileName) ||
                !skip(4 * 4)) // the size (two i32), mode and state (two u32)
                return false;
        }
        return true;
    }

private:
    const QByteArray &data;
    int pos = 0;
};

bool isDecimal(const QString &text)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

std::optional<MacroEvent> pause(const QString &text)
{
    if (!text.endsWith(QLatin1String("ms")))
        return std::nullopt;
    const QString digits = text.chopped(2);
    if (!isDecimal(digits))
        return std::nullopt;
    const qulonglong value = digits.toULongLong();
    if (value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return MacroEvent::Pause(std::uint32_t(value));
}

} // namespace

QByteArray WriteMacroExport(const MacroExport &macro, const EventIcons &icons)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QDataStream out(&buffer);
    out.setVersion(QDataStream::Qt_5_9);
    const QByteArray tag = block(Tag, TagBlockSize);
    const QByteArray name =
        block(MacroNameBytes(CutToBytes(macro.name, ExportNameMaxBytes)), NameBlockSize);
    const QByteArray repeat = block(macro.repeat.toUtf8(), RepeatBlockSize);
    out.writeBytes(tag.constData(), uint(tag.size()));
    out.writeBytes(name.constData(), uint(name.size()));
    out.writeBytes(repeat.constData(), uint(repeat.size()));
    out << qint32(macro.events.size());
    for (const MacroEvent &event : macro.events) {
        out << itemText(event);
        switch (event.type) {
        case MacroEvent::Delay:
            out << icons.delay;
            break;
        case MacroEvent::Press:
            out << icons.press << "0";
            break;
        case MacroEvent::Release:
            out << icons.release << "1";
            break;
        }
    }
    return bytes;
}

std::optional<MacroExport> ReadMacroExport(const QByteArray &bytes,
                                           const QVector<QStringList> &otherMouseButtonNames)
{
    Reader in(bytes);
    QByteArray tag;
    QByteArray name;
    QByteArray repeat;
    if (!in.blockText(&tag) || !in.blockText(&name) || !in.blockText(&repeat) || tag != Tag)
        return std::nullopt;
    MacroExport macro;
    // Names are UTF-8: bytes that are not could only come back as another name.
    macro.name = CutToBytes(MacroNameFromBytes(name), MacroNameMaxBytes);
    if (MacroNameBytes(MacroNameFromBytes(name)) != name || !IsMacroNameAllowed(macro.name))
        return std::nullopt;
    macro.repeat = QString::fromLatin1(repeat);
    if (!isDecimal(macro.repeat))
        return std::nullopt;
    qint32 count = 0;
    if (!in.i32(&count) || count < 0)
        return std::nullopt;
    for (qint32 i = 0; i < count; ++i) {
        QString text;
        if (!in.string(&text) || !in.icon())
            return std::nullopt;
        std::optional<MacroEvent> event;
        if (text.contains(QLatin1String("ms"))) {
            event = pause(text);
        } else {
            QString direction;
            if (!in.string(&direction))
                return std::nullopt;
            // The direction was written as the bytes "0" and a zero: one UTF-16 unit 0x3000 read
            // back as a string. Anything else is a release.
            const bool down = direction.size() == 1 && direction.at(0).unicode() == 0x3000;
            event = KeyEventOfName(text, down, otherMouseButtonNames);
        }
        if (!event)
            return std::nullopt;
        macro.events.append(*event);
    }
    return macro;
}

bool ReadExportFile(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.read(qint64(MaxExportFileBytes) + 1);
    return file.error() == QFileDevice::NoError && bytes->size() <= MaxExportFileBytes;
}

ImportResult ImportMacroExport(const QByteArray &bytes,
                               const QVector<QStringList> &otherMouseButtonNames,
                               const std::function<bool(const QString &)> &nameTaken,
                               MacroExport *imported)
{
    const std::optional<MacroExport> macro = ReadMacroExport(bytes, otherMouseButtonNames);
    if (!macro)
        return ImportResult::NotAMacroFile;
    *imported = *macro;
    const std::optional<QString> path = MacroFilePath(macro->name);
    if (!path)
        return ImportResult::NotAMacroFile;
    // A file the macro list does not show is a macro all the same: it is never overwritten.
    if (nameTaken(macro->name) || QFile::exists(*path))
        return ImportResult::NameTaken;
    if (!WriteMacroFile(*path, macro->repeat, macro->events))
        return ImportResult::NotWritten;
    return ImportResult::Imported;
}
