// A button's 592-byte macro record taken over into the macro folder, as the macro page does when
// the button page shows a macro from the device. Beyond the sanitizers it checks: a name the
// folder cannot hold writes nothing at all; an accepted one gives at most 70 key events, written
// after the repeat line the button page left and read back the same.
#include "core/record/flashdatamap.h"
#include "fuzz/fuzzsupport.h"
#include "macro/model/macroevents.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <cstring>

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

QStringList folderContents()
{
    return QDir(MacroFolder())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QDir(MacroFolder()).removeRecursively();
    QDir().mkpath(MacroFolder());
    MacroRecord record{};
    std::memcpy(&record, data, qMin(size, sizeof record));

    // What the button page does first: the macro's file with its repeat line.
    const std::optional<TakenOverMacro> expected = MacroFromRecord(record);
    if (expected) {
        QFile file(*MacroFilePath(expected->name));
        check(file.open(QIODevice::WriteOnly) && file.write("3\n") == 2);
    }

    bool written = false;
    const std::optional<TakenOverMacro> taken = TakeOverMacroRecord(record, &written);
    if (!taken) {
        check(!expected && !written);
        check(folderContents().isEmpty());
        return 0;
    }
    check(written && IsMacroNameAllowed(taken->name));
    check(KeyEventCount(taken->events) <= int(MacroRecord::MaxEvents));
    check(folderContents() == QStringList{taken->name + QStringLiteral(".ini")});
    MacroFileContent content;
    check(ReadMacroFile(*MacroFilePath(taken->name), &content));
    check(content.repeat == QStringLiteral("3") && content.unreadableLines == 0);
    check(content.events == taken->events);
    return 0;
}
