#pragma once

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
class Ui_Macro;

// The macro page: the user's macros in listWidgetHong, the selected macro's events in
// listWidgetKey (key presses, key releases and delays, see macro/eventitem.h), and the recorder
// that fills the event list from the keyboard.
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

public slots:
    // The device page is left: any recording ends and Save goes back to inactive.
    void SlotSetMacroPage();
    void SlotAllLanguage(int language);

private slots:
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();
    // The recorder, called by the keyboard hook for every key message.
    void UpdateCapslockTip(int vk, bool down, bool repeat);

protected:
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
