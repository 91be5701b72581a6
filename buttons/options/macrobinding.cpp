// Binding saved macros to rows, and keeping bound rows in step when the macro page deletes,
// renames or saves a macro. A row is bound to macro M exactly when its label (NULs left out) is
// the macro prefix followed by M; the page keeps no other table of bindings.
#include "buttons/model/buttonmodel.h"
#include "buttons/model/keysequencedefault.h"
#include "buttons/model/macrorepeat.h"
#include "buttons/options/optionassignment.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/configini.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "macro/model/macroname.h"
#include "platform/delayms.h"

#include <QButtonGroup>
#include <QToolButton>

#include <cstring>

namespace {

DeviceState &state()
{
    return *DeviceState::instance();
}

// The option each row returns to when its macro is deleted: its button's factory function.
constexpr std::array<const char *, RowCount> RowDefaultOptions = {
    "LeftKey_3",  "RightKey_3",  "MidKey", "ForWardKey", "BackKey_2", "VolumeUp_8",
    "VolumeUp_9", "VolumeUp_10", "DPI_2",  "DPI_2",      "DPI_6",     "DPI_5"};

// Saved macros wait this long before the macro page is asked for their records, so that its own
// save has settled.
constexpr int MacroSaveSettleMs = 1500;

int repeatValue(const QString &name)
{
    return ReadMacroRepeat(name).toInt(nullptr, 10);
}

} // namespace

QVector<int> Buttoninterface::SlotsLabelled(const QString &label) const
{
    QVector<int> bound;
    const QList<QAbstractButton *> rows = RowGroup->buttons();
    for (int row = 0; row < RowCount && row < rows.size(); ++row) {
        QString text = rows.at(row)->text();
        if (text.remove(QChar(0)) == label)
            bound.append(RowSlots[std::size_t(row)]);
    }
    return bound;
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    if (!checked)
        return;
    const auto *button = qobject_cast<QToolButton *>(sender());
    const QString name = button ? button->text() : QString();
    const QList<QAbstractButton *> rows = RowGroup->buttons();
    int row = -1;
    for (int i = 0; i < rows.size() && row < 0; ++i)
        row = rows.at(i)->isChecked() ? i : -1;
    MacroRecord record{};
    if (button && row >= 0 && LoadMacroRecord(name, &record)) {
        const int slot = RowSlots[std::size_t(row)];
        const int repeat = repeatValue(name);
        const ButtonFunction function{FunctionCategory::Macro, std::uint8_t(slot),
                                      std::uint8_t(repeat & 0xFF)};
        if (WriteButtonMacro(slot, &function, &record)) {
            SetRowLabel(slot, MacroLabelPrefix + name);
            SetButtonFunction(slot, FunctionCategory::Macro, slot, repeat);
        }
    }
    CloseChooser();
}

void Buttoninterface::SlotDeleteMacroButton(const QString &label)
{
    const QVector<int> bound = SlotsLabelled(label);
    const ConfigIni *config = ConfigIni::instance();
    const QString group =
        QStringLiteral("Drive%1").arg(state().CurrentDeviceInfo.get().DriveIndex + 1);
    QVector<int> keysCleared;
    for (int row = 0; row < RowCount; ++row) {
        const int slot = RowSlots[std::size_t(row)];
        if (!bound.contains(slot))
            continue;
        const char *option = RowDefaultOptions[std::size_t(row)];
        RowGroup->buttons().at(row)->setChecked(true);
        if (auto *optionButton = findChild<QToolButton *>(QLatin1String(option)))
            optionButton->setChecked(true);
        KeySequenceDefault keys;
        if (slot < KeySequenceDefaultSlots)
            keys = ParseKeySequenceDefault(
                config->valueList(group, QStringLiteral("KeyParam%1").arg(slot + 1)));
        switch (keys.What) {
        case KeySequenceDefault::Multimedia:
            SetMultimediaKey(slot, keys.UsageByte);
            continue; // keeps the key record it wrote
        case KeySequenceDefault::Combination:
            SetKeyCombination(slot, keys.Text);
            continue;
        case KeySequenceDefault::Unusable:
            break;
        case KeySequenceDefault::None:
            AssignOption(option, true);
            break;
        }
        keysCleared.append(slot);
    }
    RowGroup->setExclusive(false);
    for (QAbstractButton *row : RowGroup->buttons())
        row->setChecked(false);
    RowGroup->setExclusive(true);
    CloseChooser();
    // The freed key records go with one last send of the whole record, made whether or not a row
    // matched.
    DeviceLink::WriteRecord([keysCleared](FlashDataMap &record) {
        for (int slot : keysCleared)
            std::memset(&record.KeyRecords[slot], 0, sizeof(KeyRecord));
    });
}

void Buttoninterface::SlotMacroRename(const QString &oldName, const QString &newName)
{
    for (int slot : SlotsLabelled(MacroLabelPrefix + oldName)) {
        SetRowLabel(slot, MacroLabelPrefix + newName);
        const FlashDataMap stored = state().CurrentFlashData.get();
        MacroRecord renamed = stored.Macros[slot];
        const QByteArray bytes = MacroNameBytes(CutToBytes(newName, MacroNameMaxBytes));
        renamed.setName(bytes.constData(), std::size_t(bytes.size()));
        // Offline the device keeps the old name; the label shows the new one all the same.
        WriteButtonMacro(slot, &stored.ButtonFunctions[slot], &renamed);
    }
}

void Buttoninterface::SlotUpDataMacro(const QString &name, int mode)
{
    // The rows are those bound before the wait: the page may change while it runs.
    const QVector<int> bound = SlotsLabelled(MacroLabelPrefix + name);
    if (mode == 0) {
        DelayMs(MacroSaveSettleMs);
        // The macro page writes its record, built from the events it shows, to each slot.
        for (int slot : bound)
            emit PostMsg::GetInstance()->SigMacroDownLoadData(name, slot);
    } else if (mode == 1) {
        for (int slot : bound) {
            const FlashDataMap stored = state().CurrentFlashData.get();
            ButtonFunction function = stored.ButtonFunctions[slot];
            function.Param = std::uint8_t(repeatValue(name) & 0xFF);
            WriteButtonMacro(slot, &function, &stored.Macros[slot]);
        }
    }
}
