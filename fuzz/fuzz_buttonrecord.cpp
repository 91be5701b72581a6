// The button page's reading of a device record without its widgets: the mirror of the stored
// functions, each row's label choice (a macro's name and its check included), the key
// combinations' names and the debounce decision. Input: a KeyNumber byte, then a record (cut or
// zero-filled to its 10428 bytes); any bytes past the record are a combination text.
// Beyond the sanitizers it checks what the page relies on: nothing past the clamped slot count is
// mirrored, a combination reads at most three presses, every macro name handed on passes the
// name check and names a file inside the macro folder, and refused inputs (a refused name, a
// debounce byte beyond the longest time) leave their outputs alone. Every slot is also decoded
// as its row selector shows it: a slot the key count does not reach and an unknown category
// decode to nothing, every list position stays inside its list, and a checked option is one the
// page has that stores what the slot stores.
#include "buttons/model/buttonlabel.h"
#include "buttons/model/buttonmodel.h"
#include "buttons/model/dpicodes.h"
#include "buttons/model/functionoptions.h"
#include "buttons/model/keyrecords.h"
#include "buttons/model/macrorepeat.h"
#include "buttons/model/rowdecode.h"
#include "core/record/recordcodes.h"
#include "fuzz/fuzzsupport.h"
#include "macro/model/macroname.h"
#include "platform/appdir.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <cstring>

namespace {

void checkMirrors(const FlashDataMap &record, int keyNumber)
{
    const ButtonMirrors mirrors = MirrorsFromRecord(record, keyNumber);
    const int count = ClampKeyNumber(keyNumber);
    if (count < 0 || count > 16 || mirrors.size() != count || mirrors.ButtonCodes.size() != count ||
        mirrors.ButtonParams.size() != count)
        std::abort();
    for (int slot = -1; slot <= 17; ++slot) {
        const MirroredFunction function = MirroredFunctionAt(mirrors, slot);
        const bool held = slot >= 0 && slot < count;
        if (!held && function.Category != UnknownCategory)
            std::abort();
        if (held && function.Category != record.ButtonFunctions[slot].Category)
            std::abort();
    }
}

void checkCombination(const KeyRecord &keys)
{
    const QString text = CombinationText(keys);
    // The text names the presses the record holds, never more than three.
    QStringList names;
    for (int i = 0; i < qMin(keys.Count / 2, MaxCombinationKeys); ++i)
        names << KeyNameFromUsage(std::uint8_t(keys.Events[i].code() & 0xFF), keys.Events[i].Kind);
    if (text != names.join(QLatin1Char('+')))
        std::abort();
    const KeyRecord again = ParseKeyCombination(text);
    if (again.Count > 2 * MaxCombinationKeys || again.Count < 2)
        std::abort();
}

void checkLabel(int slot, const FlashDataMap &record)
{
    const ButtonFunction &function = record.ButtonFunctions[slot];
    const LabelChoice choice = ChooseButtonLabel(slot, function.Category, function.Code, record);
    if (choice.What == LabelChoice::Combination)
        checkCombination(record.KeyRecords[slot]);
    if (choice.What == LabelChoice::DpiLock)
        CodeToDpi(choice.Code, QStringLiteral("3395"), {}, {});
    if (choice.What != LabelChoice::Macro)
        return;
    if (choice.NameAllowed != IsMacroNameAllowed(choice.Text))
        std::abort();
    const QString folder = MacroFolder();
    const std::optional<QString> path = MacroFilePath(choice.Text);
    if (choice.NameAllowed) {
        if (!path || QFileInfo(*path).absolutePath() != QDir(folder).absolutePath())
            std::abort();
    } else if (path) {
        std::abort();
    }
    // A refused name reaches no file; an accepted one is written whole.
    const QStringList before = QDir(folder).entryList(QDir::Files);
    const bool written = WriteMacroRepeat(choice.Text, function.Param);
    if (!choice.NameAllowed && (written || QDir(folder).entryList(QDir::Files) != before))
        std::abort();
    if (choice.NameAllowed && written) {
        QFile file(*path);
        if (!file.open(QIODevice::ReadOnly) ||
            file.readAll() != QByteArray::number(function.Param) + '\n')
            std::abort();
        file.remove();
    }
}

bool decodesToNothing(const RowView &view)
{
    return !view.Known && !view.OptionPage && !view.CategoryButton && !view.Option &&
           !view.MatchMacro && view.CategoryStep == 0 && !view.MultimediaStep && view.DpiStep == 0;
}

void checkRowView(const ButtonMirrors &mirrors, const FlashDataMap &record, int slot,
                  const std::function<int(int)> &codeToDpi)
{
    const RowView view = DecodeRow(mirrors, record, slot, codeToDpi);
    const MirroredFunction stored = MirroredFunctionAt(mirrors, slot);
    if (stored.Category == UnknownCategory || stored.Category > FunctionCategory::Last) {
        if (!decodesToNothing(view))
            std::abort();
        return;
    }
    // Key sequences position the multimedia list and leave the DPI-lock list; all others the
    // reverse.
    if (!view.Known || !view.OptionPage || view.CategoryStep < 0 || view.CategoryStep > 16 ||
        view.MultimediaStep.has_value() == view.DpiStep.has_value() ||
        view.MultimediaStep.value_or(0) < 0 || view.MultimediaStep.value_or(0) > 17 ||
        view.DpiStep.value_or(0) < 0 || view.DpiStep.value_or(0) > 11)
        std::abort();
    if (!view.Option)
        return;
    const FunctionOption *option = FindOption(view.Option);
    if (!option || option->Category != stored.Category)
        std::abort();
    const int usageByte = record.KeyRecords[slot].Events[0].code() & 0xFF;
    if (option->Family == OptionFamily::Multimedia ? (option->Usage & 0xFF) != usageByte
        : option->Family == OptionFamily::DpiLock  ? option->Dpi != codeToDpi(stored.Code)
                                                   : option->Code != stored.Code)
        std::abort();
}

void checkRowViews(const FlashDataMap &record, int keyNumber)
{
    const ButtonMirrors mirrors = MirrorsFromRecord(record, keyNumber);
    // A chip whose table the record's own bytes fill, and one without a table.
    const QVector<QString> names{QStringLiteral("SENSOR_F_DPI_400"),
                                 QStringLiteral("SENSOR_F_DPI_1000")};
    const QVector<int> values{record.bytes()[1], record.bytes()[2]};
    for (const QString &chip : {QStringLiteral("F"), QStringLiteral("G")}) {
        const std::function<int(int)> codeToDpi = [&](int code) {
            return CodeToDpi(code, chip, names, values);
        };
        for (int slot = -1; slot <= int(FlashDataMap::ButtonSlots); ++slot)
            checkRowView(mirrors, record, slot, codeToDpi);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(MacroFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int keyNumber = data[0];
    FlashDataMap record{};
    const std::size_t recordBytes = qMin(size - 1, FlashDataMap::Size);
    std::memcpy(record.bytes(), data + 1, recordBytes);

    checkMirrors(record, keyNumber);
    checkRowViews(record, keyNumber);
    for (int slot = 0; slot < ClampKeyNumber(keyNumber); ++slot)
        checkLabel(slot, record);
    for (int slot = 12; slot < 16; ++slot) {
        if (ChooseButtonLabel(slot, record.ButtonFunctions[slot].Category, 0, record).What !=
            LabelChoice::Unchanged)
            std::abort();
    }

    const std::optional<int> debounce = DebounceIndexOf(record.DebounceTime);
    if (debounce.has_value() != (record.DebounceTime <= MaxDebounceTime))
        std::abort();

    if (size > 1 + FlashDataMap::Size) {
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char *>(data) + 1 + FlashDataMap::Size,
                              int(size - 1 - FlashDataMap::Size));
        const KeyRecord keys = ParseKeyCombination(text);
        if (keys.Count != 2 * CombinationParts(text).size() || keys.Count > 6)
            std::abort();
    }

    const int dpi = int(record.ButtonFunctions[0].Code) * 100;
    const QVector<QString> names{QStringLiteral("SENSOR_PIXART_DPI_800")};
    const QVector<int> values{record.ButtonFunctions[1].Code};
    CodeToDpi(DpiToCode(dpi, QStringLiteral("PIXART"), names, values), QStringLiteral("PIXART"),
              names, values);
    return 0;
}
