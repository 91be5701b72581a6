// A macro export file imported into an empty macro folder, as the macro page's import does.
// Beyond the sanitizers it checks: a refused file leaves the folder empty; an accepted one gives
// one macro file, and that macro exported again imports to the same name, repeat and events.
#include "fuzz/fuzzsupport.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroexportfile.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"

#include <QDir>
#include <QPixmap>

#include <cstdlib>

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

QIcon icon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

const QVector<QStringList> OtherLanguage{
    {"Ліва кнопка", "Права кнопка", "Середня кнопка", "Кнопка вперед", "Кнопка назад"}};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv, Fuzz::Application::Gui);
    SetMouseButtonNames(
        {"Left button", "Right button", "Middle button", "Forward button", "Back button"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const EventIcons icons{icon(Qt::cyan), icon(Qt::white), icon(Qt::gray)};
    QDir(MacroFolder()).removeRecursively();
    QDir().mkpath(MacroFolder());
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));

    MacroExport imported;
    const ImportResult result = ImportMacroExport(
        bytes, OtherLanguage, [](const QString &) { return false; }, &imported);
    if (result != ImportResult::Imported) {
        check(result == ImportResult::NotAMacroFile);
        check(folderContents().isEmpty());
        return 0;
    }
    check(folderContents() == QStringList{imported.name + QStringLiteral(".ini")});
    MacroFileContent file;
    check(ReadMacroFile(*MacroFilePath(imported.name), &file));
    check(file.unreadableLines == 0 && file.repeat == imported.repeat &&
          file.events == imported.events);

    const std::optional<MacroExport> again =
        ReadMacroExport(WriteMacroExport({imported.name, file.repeat, file.events}, icons), {});
    check(again && again->name == imported.name && again->repeat == imported.repeat &&
          again->events == imported.events);
    return 0;
}
