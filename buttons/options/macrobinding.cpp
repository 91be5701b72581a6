// Binding saved macros to rows, and keeping bound rows in step when the macro page deletes,
// renames or saves a macro. A row is bound to macro M exactly when its label (NULs left out) is
// the macro prefix followed by M; the page keeps no other table of bindings.
#include "buttons/model/buttonlabel.h"
#include "buttons/model/buttonmodel.h"
#include "buttons/model/keysequencedefault.h"
#include "buttons/model/macrorepeat.h"
#include "buttons/options/optionassignment.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/configini.h"
#include "core/deviceanswers.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "macro/keynumberlimit.h"
#include "macro/macrosync.h"
#include "macro/model/macroname.h"
#include "platform/delayms.h"

#include <QButtonGroup>
#include <QToolButton>

#include <cstring>

namespace {

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
    // A macro longer than the mouse holds is not cut short behind the user's back.
    if (button && row >= 0 && MacroFileKeyEvents(name) > int(MacroRecord::MaxEvents)) {
        CloseChooser();
        KeyNumberLimit notice;
        PlaceChoiceDialog(&notice);
        notice.exec();
        return;
    }
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
        QStringLiteral("Drive%1").arg(State().CurrentDeviceInfo.get().DriveIndex + 1);
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

bool Buttoninterface::SendMacroFile(int slot, const QString &name)
{
    MacroRecord record{};
    // Without its file there is nothing of the user's to send.
    if (!LoadMacroRecord(name, &record))
        return true;
    const FlashDataMap stored = State().CurrentFlashData.get();
    ButtonFunction function = stored.ButtonFunctions[slot];
    function.Param = std::uint8_t(repeatValue(name) & 0xFF);
    const bool inStep = function.Param == stored.ButtonFunctions[slot].Param &&
                        std::memcmp(&record, &stored.Macros[slot], sizeof record) == 0;
    if (!inStep && !WriteButtonMacro(slot, &function, &record))
        return false;
    SetRowLabel(slot, MacroLabelPrefix + name);
    SetButtonFunction(slot, function.Category, function.Code, function.Param);
    return true;
}

void Buttoninterface::BringMacrosInStep()
{
    // Only while the mouse answers with a record read from it: that record says what it holds.
    if (MacroSync::Names().isEmpty() || State().WriteEnabled.load() == 0 ||
        !SelectedDeviceAnswers() || !DeviceLink::RecordIsRead())
        return;
    QStringList removed;
    bool sent = true;
    for (int row = 0; row < RowCount && sent; ++row) {
        const int slot = RowSlots[std::size_t(row)];
        const FlashDataMap stored = State().CurrentFlashData.get();
        if (stored.ButtonFunctions[slot].Category != FunctionCategory::Macro)
            continue;
        const QString name = MacroNameOfSlot(stored, slot);
        if (MacroSync::IsRemoved(name)) {
            if (!removed.contains(name))
                removed.append(name);
        } else if (const std::optional<QString> now = MacroSync::RenamedTo(name)) {
            // The renamed file is the user's newest word on the macro, events and all.
            sent = SendMacroFile(slot, *now);
        } else if (MacroSync::IsChanged(name)) {
            sent = SendMacroFile(slot, name);
        }
    }
    for (const QString &name : qAsConst(removed)) {
        if (sent)
            SlotDeleteMacroButton(MacroLabelPrefix + name);
    }
    // What the mouse holds now settles every name it holds nothing pending for.
    const FlashDataMap stored = State().CurrentFlashData.get();
    QStringList bound;
    for (int row = 0; row < RowCount; ++row) {
        const int slot = RowSlots[std::size_t(row)];
        if (stored.ButtonFunctions[slot].Category == FunctionCategory::Macro)
            bound << MacroNameOfSlot(stored, slot);
    }
    for (const QString &name : MacroSync::Names()) {
        const bool waiting = bound.contains(name) && (!sent || MacroSync::IsRemoved(name) ||
                                                      MacroSync::RenamedTo(name).has_value());
        if (!waiting)
            MacroSync::Taken(name);
    }
}

void Buttoninterface::SlotMacroRename(const QString &oldName, const QString &newName)
{
    for (int slot : SlotsLabelled(MacroLabelPrefix + oldName)) {
        SetRowLabel(slot, MacroLabelPrefix + newName);
        const FlashDataMap stored = State().CurrentFlashData.get();
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
            const FlashDataMap stored = State().CurrentFlashData.get();
            ButtonFunction function = stored.ButtonFunctions[slot];
            function.Param = std::uint8_t(repeatValue(name) & 0xFF);
            WriteButtonMacro(slot, &function, &stored.Macros[slot]);
        }
    }
}
