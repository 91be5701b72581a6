#pragma once

#include "buttons/model/buttonmodel.h"
#include "core/record/flashdatamap.h"

#include <QList>
#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QFont;
class QToolButton;
class QVBoxLayout;
class Ui_Buttoninterface;

// The button page. It lists the mouse's buttons as rows labelled with each button's stored
// function, keeps the page's copy of those functions (Mirrors), and opens a chooser of functions
// for a selected row. It also owns the one device service object (DeviceState::WorkerThread),
// created here and started by the home page's tile click, the mouse picture, the debounce panel,
// and the export, import and factory reset of the device's settings (settingstransfer.cpp).
//
// Files: construction here (the form, ui_buttoninterface.cpp, sets the page's style sheets); the
// filling from records, the row labels and the texts in buttonfill.cpp; key records in
// buttonkeys.cpp; navigation in buttonnavigation.cpp.
class Buttoninterface : public QWidget
{
    Q_OBJECT
public:
    explicit Buttoninterface(QWidget *parent = nullptr);
    // Stops the device service for good: no pass starts any more, a running pass is waited for
    // (within the service's time limit), and hot-plug notification stops; the form goes last.
    ~Buttoninterface() override;

    // The record the page last filled itself from.
    const FlashDataMap &ShownRecord() const { return Shown; }
    // The page's copy of each device slot's stored function.
    const ButtonMirrors &Model() const { return Mirrors; }

    // DPI-lock codes of the current sensor (SensorName) by the sensor definition header.
    int DpiToCode(int dpi) const;
    int CodeToDpi(int code) const;

    // Stores a function in the page's copy of slot `slot`; a slot the copy does not hold is left
    // alone (the model file's KeyNumber decides how many slots the copy holds).
    void SetButtonFunction(int slot, int category, int code, int param);
    // Unchecks every option and macro button, so that none stays checked under a new assignment.
    void ClearFunctionChecks();
    // Labels the row of slot `slot` with its stored function; a macro slot also rewrites the
    // macro's repeat line and hands the macro to the macro page.
    void ShowButtonFunction(int slot, int category, int code, int param,
                            const FlashDataMap &record);
    // Assign a multimedia key (by its usage's low byte) or a key combination to a slot: written
    // to the device, then mirrored and labelled.
    void SetMultimediaKey(int slot, int usageByte);
    void SetKeyCombination(int slot, const QString &text);

public slots:
    // The mouse picture (one picture for every model).
    void SlotMouseIndex(int index);
    // A record the device sent: the parameter-update dialog waits for ButtonUiUpdated.
    void SlotUpDataButtonUIButton(const FlashDataMap &record);
    // A record from the cache or an import: shown without touching ButtonUiUpdated.
    void SlotUpDataButtonUIB(const FlashDataMap &record);
    // An offline device without a cached record: the factory model, labels kept.
    void SlotFormResetButton();
    void SlotAllLanguage(int language);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_Number1_clicked();
    void on_Number2_clicked();
    void on_Number3_clicked();
    void on_Number4_clicked();
    void on_Number5_clicked();
    void on_Number6_clicked();
    void on_Number7_clicked();
    void on_Number8_clicked();
    void on_Number9_clicked();
    void on_Number10_clicked();
    void on_Number11_clicked();
    void on_Number12_clicked();
    void on_stackedWidget_currentChanged(int index);
    void on_stackedWidget_2_currentChanged(int index);
    // Declared in this order: a click runs the first, then the second.
    void on_DPI_4_clicked();
    void on_DPI_4_clicked(bool checked);
    void on_DPI_7_clicked();
    void on_DPI_9_clicked();
    void on_DPI_11_clicked();
    void on_DPI_12_clicked();
    void on_DPI_13_clicked();
    void on_ProjectChoose_currentIndexChanged(int index);
    // The user picked a profile: the device switches to it; a mouse that does not answer gets the
    // profile shown before the press back, and the offline notice.
    void on_ProjectChoose_activated(int index);
    // The device's profile answer: `count` profiles (0: one), `current` shown, the box enabled
    // when `valid`.
    void SlotUpDataConfigUI(int count, int current, bool valid);

    void on_OutputData_clicked();
    void on_ImportData_clicked();
    void on_Reset_clicked();

    // The assignment options (buttons/options/). A row selector opens the chooser on its button's
    // stored function; an option writes its function to the selected row.
    void on_FireKey_clicked();
    void on_RightKey_clicked();
    void on_BackKey_clicked();
    void on_StartPause_clicked();
    void on_TopMusic_clicked();
    void on_BackMusic_clicked();
    void on_Button7_clicked();
    void on_Button8_clicked();
    void on_Button9_clicked();
    void on_Button10_clicked();
    void on_Button11_clicked();
    void on_Button12_clicked();
    void on_LeftKey_3_clicked(bool checked);
    void on_RightKey_3_clicked(bool checked);
    void on_MidKey_clicked(bool checked);
    void on_BackKey_2_clicked(bool checked);
    void on_ForWardKey_clicked(bool checked);
    void on_DPI_2_clicked(bool checked);
    void on_DPI_3_clicked(bool checked);
    void on_DPI_5_clicked(bool checked);
    // Declared in this order: a click writes the fire key (a double click, with the values last
    // accepted), then opens the fire-key dialog.
    void on_DPI_6_clicked(bool checked);
    void on_DPI_6_clicked();
    void on_DPI_8_clicked();
    void on_DPI_10_clicked();
    void on_VolumeUp_8_clicked(bool checked);
    void on_VolumeUp_9_clicked(bool checked);
    void on_VolumeUp_10_clicked(bool checked);
    void on_VolumeUp_2_clicked(bool checked);
    void on_VolumeDown_2_clicked(bool checked);
    void on_VolumeUp_4_clicked(bool checked);
    void on_VolumeUp_5_clicked(bool checked);
    void on_VolumeUp_6_clicked(bool checked);
    void on_VolumeUp_7_clicked(bool checked);
    void on_VolumeUp_14_clicked(bool checked);
    void on_VolumeDown_14_clicked(bool checked);
    void on_VolumeUp_11_clicked(bool checked);
    void on_VolumeUp_12_clicked(bool checked);
    void on_VolumeUp_13_clicked(bool checked);
    void on_VolumeUp_16_clicked(bool checked);
    void on_VolumeUp_15_clicked(bool checked);
    void on_VolumeUp_19_clicked(bool checked);
    void on_VolumeUp_20_clicked(bool checked);
    void on_VolumeUp_22_clicked(bool checked);
    void on_VolumeUp_18_clicked(bool checked);
    void on_VolumeUp_24_clicked(bool checked);
    void on_VolumeUp_23_clicked(bool checked);
    void on_VolumeUp_21_clicked(bool checked);
    void on_Player_clicked(bool checked);
    void on_StartPause_2_clicked(bool checked);
    void on_BackMusic_2_clicked(bool checked);
    void on_TopMusic_2_clicked(bool checked);
    void on_Mute_clicked(bool checked);
    void on_VolumeUp_clicked(bool checked);
    void on_VolumeDown_clicked(bool checked);
    void on_VolumeDown_4_clicked(bool checked);
    void on_VolumeDown_5_clicked(bool checked);
    void on_VolumeDown_6_clicked(bool checked);
    void on_VolumeDown_3_clicked(bool checked);
    void on_VolumeDown_8_clicked(bool checked);
    void on_VolumeDown_9_clicked(bool checked);
    void on_VolumeDown_7_clicked(bool checked);
    void on_VolumeDown_10_clicked(bool checked);
    void on_VolumeDown_12_clicked(bool checked);
    void on_VolumeDown_13_clicked(bool checked);
    void on_VolumeDown_11_clicked(bool checked);

    // The macro panel (buttons/options/macrobuttons.cpp, macrobinding.cpp). A macro button's click
    // binds its macro to the selected row; the macro page's deletions, renames and saves reach
    // the rows bound to the macro.
    void slotButtonClicked(bool checked);
    void SlotAddMacroButton();
    void SlotDeleteMacroButton(const QString &label);
    void SlotMacroRename(const QString &oldName, const QString &newName);
    void SlotUpDataMacro(const QString &name, int mode);

private:
    void SetupButtonGroups();
    void LoadSensorDefinitions();
    // Both record fillings; `deviceRead` says whether ButtonUiUpdated follows it.
    void FillFromRecord(const FlashDataMap &record, bool deviceRead);
    // Mirrors and labels slots 0 .. KeyNumber - 1 of `record`.
    void RelabelRows(const FlashDataMap &record);
    void SetRowLabel(int slot, const QString &text);
    QString OptionText(const char *option) const;
    // Mark `number` (1..12) selects its row.
    void SelectRowOfMark(int number);
    void CloseChooser();
    void ClearRows();
    bool ChooserOpen() const;
    // The assignment options (buttons/options/).
    friend class OptionPage;
    // A click on the option of that object name: its function goes to the selected row.
    void AssignOption(const char *option, bool checked);
    // A click on row `row` (0..11): the left-click guard, then the chooser on its stored function.
    void ShowRow(int row);
    // The chooser's dialogs and the left-button notice sit centred over the page, 50 px further
    // left and 70 px higher.
    void PlaceChoiceDialog(QWidget *dialog) const;
    // The macro panel's first buttons, read once at construction.
    void BuildMacroButtonList();
    // One button per saved macro (skipping every list file when `skipEveryXml`), then the
    // placeholders.
    void FillMacroPanel(bool skipEveryXml, const QFont &font);
    QToolButton *NewMacroPanelButton(const QString &text, const QFont &font);
    // The device slots of the rows labelled `label` (NULs left out), in row order.
    QVector<int> SlotsLabelled(const QString &label) const;
    // Writes the settings export file of `record` for the selected model; false when the file
    // could not be written (an earlier file at the path is then left as it was).
    bool ExportSettingsFile(const QString &path, const FlashDataMap &record);
    // The page's dialogs sit centred over it, 75 px further left and 65 px higher.
    void PlaceOverPage(QWidget *dialog) const;

    std::unique_ptr<Ui_Buttoninterface> ui;
    QVBoxLayout *MacroButtonLayout = nullptr;
    QList<QToolButton *> MacroButtons;
    QButtonGroup *RowGroup = nullptr;
    QButtonGroup *CategoryGroup = nullptr;
    QButtonGroup *OptionGroup = nullptr;
    QButtonGroup *NumberGroup = nullptr;
    ButtonMirrors Mirrors;
    QString SensorName;
    QVector<QString> DefineNames;
    QVector<int> DefineValues;
    // The fire-key dialog's own defaults until the user accepts it once.
    int FireKeyInterval = 10;
    int FireKeyCount = 3;
    QString ButtonColorText;
    QWidget *MacroButtonPanel = nullptr;
    QString ImageFolder;
    QString MacroLabelPrefix;
    QString ProfileLabelPrefix;
    int LanguageApplied = 0;
    FlashDataMap Shown{};
};
