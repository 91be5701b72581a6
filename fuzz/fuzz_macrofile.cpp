// The macro file reader on arbitrary file contents, then the record builder on what it read.
// Beyond the sanitizers it checks their promises: a record holds at most 70 events and 30 name
// bytes (a name cut on a character boundary), one event per key event read while there is room;
// and the events written back and read again are the same.
#include "buttons/model/macrorepeat.h"
#include "core/devicestate.h"
#include "core/record/flashdatamap.h"
#include "fuzz/fuzzsupport.h"
#include "macro/model/macroevents.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

bool isZero(const MacroRecord &record)
{
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i) {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}

// The same bytes as the file of a macro the button page binds: by a fixed name, and by the first
// line taken as the name (a name the folder cannot hold loads nothing).
void checkBinding(const QByteArray &bytes, const MacroFileContent &content)
{
    DeviceState::instance()->WriteEnabled = 1;
    QDir().mkpath(MacroFolder());
    const QString fixed = QStringLiteral("bound");
    QFile file(*MacroFilePath(fixed));
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    for (const QString &name : {fixed, content.repeat}) {
        MacroRecord record;
        const bool loaded = LoadMacroRecord(name, &record);
        check(record.EventCount <= MacroRecord::MaxEvents);
        check(record.NameLength <= MacroNameMaxBytes);
        check(loaded || isZero(record));
        ReadMacroRepeat(name).toInt(nullptr, 10);
    }
    MacroRecord record;
    check(LoadMacroRecord(fixed, &record));
    check(record.EventCount == qMin(KeyEventCount(content.events), int(MacroRecord::MaxEvents)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const MacroFileContent content = ParseMacroFile(bytes);

    // The repeat line stands in for a name: any text, of any length.
    const MacroRecord record = BuildMacroRecord(content.repeat, content.events);
    check(record.EventCount <= MacroRecord::MaxEvents);
    check(record.EventCount == qMin(KeyEventCount(content.events), int(MacroRecord::MaxEvents)));
    check(record.NameLength <= MacroNameMaxBytes);
    const QByteArray name(reinterpret_cast<const char *>(record.Name), record.NameLength);
    // Cut on a character: the bytes are a whole UTF-8 text, a beginning of the name's.
    QString withoutNul = content.repeat;
    withoutNul.remove(QChar(0));
    check(MacroNameBytes(withoutNul).startsWith(name));
    check(MacroNameBytes(MacroNameFromBytes(name)) == name);
    for (std::size_t i = record.NameLength; i < MacroRecord::NameCapacity; ++i)
        check(record.Name[i] == 0);

    const MacroFileContent again =
        ParseMacroFile(FormatMacroFile(QStringLiteral("1"), content.events));
    check(again.unreadableLines == 0);
    check(again.events == content.events);

    checkBinding(bytes, content);
    return 0;
}
