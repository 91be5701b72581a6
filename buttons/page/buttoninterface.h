#pragma once

#include "buttons/page/buttonmodel.h"
#include "core/record/flashdatamap.h"

#include <QList>
#include <QString>
#include <QVector>
#include <QWidget>

#include <memory>

class QButtonGroup;
class QToolButton;
class QVBoxLayout;
class Ui_Buttoninterface;

// The button page. It lists the mouse's buttons as rows labelled with each button's stored
// function, keeps the page's copy of those functions (Mirrors), and opens a chooser of functions
// for a selected row. It also owns the one device service object (DeviceState::WorkerThread),
// created here and started by the home page's tile click, the mouse picture, the debounce panel,
// and the export, import and factory reset of the device's settings (settingstransfer.cpp).
//
// Files: construction and theme here; the filling from records, the row labels and the texts in
// buttonfill.cpp; key records in buttonkeys.cpp; navigation in buttonnavigation.cpp.
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

    void on_OutputData_clicked();
    void on_ImportData_clicked();
    void on_Reset_clicked();

private:
    void SetupButtonGroups();
    void ApplyTheme();
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
