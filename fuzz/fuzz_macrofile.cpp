// The macro file reader on arbitrary file contents, then the record builder on what it read.
// Beyond the sanitizers it checks their promises: a record holds at most 70 events and 30 name
// bytes (a name cut on a character boundary), one event per key event read while there is room;
// and the events written back and read again are the same.
#include "core/record/flashdatamap.h"
#include "fuzz/fuzzsupport.h"
#include "macro/macroevents.h"
#include "macro/macrofile.h"
#include "macro/macroname.h"

#include <QByteArray>

#include <cstdlib>

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
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
    return 0;
}
