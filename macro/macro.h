#pragma once

#include "core/record/flashdatamap.h"
#include "macro/model/macroevents.h"

#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>

class KeyboardHook;
class QButtonGroup;
class QListWidgetItem;
class QMenu;
class QModelIndex;
class Ui_Macro;

// The macro page: the user's macros in listWidgetHong, the selected macro's events in
// listWidgetKey (key presses, key releases and delays, see macro/eventitem.h), and the recorder
// that fills the event list from the keyboard.
//
// Each macro is a file of the macro folder (macro/model/macrofile.h); the list shows them by name,
// and the events of the one selected stay on the page until Save writes them whole. The button page
// asks for a macro's device record by name (SigMacroDownLoadData) and hands back macros it finds
// in a device record (SigButtonToMacro); both go through the one record builder.
//
// While a recording runs, MacroRecording is 1 (the main window then ignores keys), the device
// page's tabs are locked (SigStartRecord 0, unlocked by SigStartRecord 1), and the page itself
// holds the keyboard focus so that no recorded key can press one of its buttons or change one of
// its boxes.
class Macro : public QWidget
{
    Q_OBJECT
public:
    explicit Macro(QWidget *parent = nullptr);
    ~Macro() override;

    // Appending, as recording does: a press or release item, or a delay item (which leaves the
    // row before it current). Nothing happens while no macro is selected.
    void InsertEventItem(const QString &name, bool down);
    void AddDelayItem(double milliseconds);
    // Inserting at the user's position, keeping key items separated by 10 ms delays.
    void InsertKeyEvent(const QString &name, bool down);
    void InsertClick(const QString &name);
    void InsertDelay(double milliseconds);

    // Tests: the clock, in milliseconds, the recorder measures delays by.
    void SetDelayClock(std::function<qint64()> clock);

    // The macro list, filled from the macro folder once, when the page is built.
    void LoadMacroList();
    // The selected macro's file into the event list and the repeat choice.
    void LoadMacroFile();
    // The repeat value the choice shows: 254, 255, 253 or the count.
    int RepeatValue() const;
    // The events the list shows, as files and records take them.
    MacroEvents ShownEvents() const;

    // The context menu of the macro list at `position` (a macro's actions over one, new and
    // import over empty space); the caller runs it.
    QMenu *MacroListMenu(const QPoint &position);

public slots:
    // The button page: the device record of the macro `name` for button `slot`, built from the
    // events shown and written with the button's stored function. Only for the selected macro,
    // and only while writes are enabled.
    void SlotMacroDownLoadData(const QString &name, int slot);
    // The button page shows a button whose macro is in `record`'s slot `slot`: the macro becomes
    // (or stays) a macro of the list, its events written after the repeat line the button page
    // put into its file.
    void SlotButtonToMacro(const FlashDataMap &record, int slot);
    // The device page is left: any recording ends and Save goes back to inactive.
    void SlotSetMacroPage();
    void SlotAllLanguage(int language);

    // The whole-macro actions of the buttons and the context menu.
    void on_NewHong_clicked();
    void CreateMewMacro();
    void RenameMacro();
    void on_DeleteHong_clicked();
    void DeleteMacro();
    void on_Save_clicked();
    void ExPortMacro();
    void InPortMacro();

private slots:
    void on_Amend_clicked();
    void on_ChooseEvent_activated(int index);
    void on_DeleteKey_clicked();
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();
    // The recorder, called by the keyboard hook for every key message.
    void UpdateCapslockTip(int vk, bool down, bool repeat);
    void on_listWidgetKey_itemChanged(QListWidgetItem *item);
    void on_NumberEdit_valueChanged(int value);
    void on_listWidgetHong_clicked(const QModelIndex &index);
    void on_listWidgetHong_customContextMenuRequested(const QPoint &position);
    void on_DelayTime_valueChanged(int value);
    // Any change of the repeat choice.
    void RepeatModeChanged();
    // The current macro changed, by the mouse or the keyboard.
    void MacroChosen(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void ApplyTheme();
    bool MacroSelected() const;
    void AppendKeyItem(QListWidgetItem *item);
    void InsertAt(int row, QListWidgetItem *item);
    // Leaves the recording state: buttons, boxes and lists back to idle.
    void ShowIdle();
    void SetSaveActive(bool active);
    void RestartDelayTimer();
    // While recording, the page holds the keyboard focus and its widgets take none.
    void HoldKeyboardFocus(bool hold);
    void ShowNotice(QWidget *notice);
    // Places an input dialog by the entry rule and runs it.
    int RunEntryDialog(QDialog *dialog);
    // Tells that a file is not a macro file or is damaged, placed by `offset`.
    void ShowNotMacroFile(const QPoint &offset);
    // Inserts a click of a mouse button (press, release and the delays its place needs).
    void InsertClickItems(const std::function<QListWidgetItem *(bool down)> &key);
    // The user chose a macro: its file is shown, and loading it counts as no change.
    void SelectMacro();
    // Makes `row` current without loading the macro it names.
    void SetCurrentMacroRow(int row);
    QString CurrentMacroName() const;
    // Whether a macro of this name exists: in the list, or as a file the list does not show.
    bool MacroNameTaken(const QString &name) const;
    void ShowRepeatValue(int value);
    // An edit of the events: Save becomes active.
    void MarkEventsChanged();
    bool StopIfRecording();
    // Whether `added` more key items keep the macro within a device record's events; if not, the
    // limit notice is shown.
    bool RoomForKeys(int added);

    std::unique_ptr<Ui_Macro> ui;
    QString MacroFolderPath;
    std::unique_ptr<KeyboardHook> Hook;
    QButtonGroup *DelayModeGroup = nullptr;
    QButtonGroup *RepeatModeGroup = nullptr;
    // Keys pressed and not yet released in this recording: a further press of one is the
    // keyboard's auto-repeat and is not recorded.
    QSet<int> HeldKeys;
    std::function<qint64()> DelayClock;
    qint64 DelayStart = 0;
    bool FirstEventPending = false;
    int RecordedCount = 0;
    QString ImageFolder;
    bool EventsChanged = false;
    bool RepeatChanged = false;
    QString CurrentMacroPath;
    // The row the current-row change has just loaded, so that the click which made it current
    // does not load it again.
    int JustChosenRow = -1;
    // Entries 19 to 24 of the page's texts: the prefix that names a macro's buttons, and the
    // context menu's export, rename and delete (on a macro) and new and import (on empty space).
    QString DeletePrefix;
    QString ExportText;
    QString RenameText;
    QString DeleteText;
    QString NewText;
    QString ImportText;
    QVector<QPair<QPointer<QWidget>, Qt::FocusPolicy>> HeldFocusPolicies;
    bool FocusHeld = false;
};
