#pragma once

#include <QWidget>

#include <memory>

class Buttoninterface;
class FormSetting;
class Macro;
class PageBackground;
class QButtonGroup;
class QFrame;
class QLabel;
class QProgressBar;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class Sensor;
class UpDataParam;

class Ui_Dialog
{
public:
    QFrame *frame_2;
    QFrame *frame_3;
    QToolButton *UpArrow;
    QFrame *frame;
    QLabel *BatteryButtonC;
    QToolButton *ButtonMain;
    QToolButton *SensorButton;
    QToolButton *MacroButton;
    QToolButton *SetButton;
    QToolButton *CloseButton;
    QToolButton *MinButton;
    QProgressBar *progressBar;
    QLabel *label;   // charging mark
    QLabel *label_2; // battery text
    QToolButton *FormSetting;
    QLabel *label_3;
    QToolButton *LightsButton;
    QFrame *line;
    QFrame *line_2;
    QFrame *line_3;
    QFrame *line_4;
    QFrame *line_5;
    QFrame *line_6;
    QFrame *frame_4;
    QVBoxLayout *verticalLayout_4;
    QStackedWidget *stackedWidgetDialog;

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);
};

// The device page: the tab buttons over the selected device's pages (buttons, sensor, macro,
// settings), its battery, back to the home page, minimise and close. It also opens the
// parameter-update notice when the device service asks for it, and installs the crash handler.
// The lighting tab and the small settings button are never shown.
class Dialog : public QWidget
{
    Q_OBJECT
public:
    explicit Dialog(QWidget *parent = nullptr);
    ~Dialog() override;

    // The one parameter-update notice the device service's requests run (tests read its mode).
    UpDataParam *parameterDialog() const { return ParamDialog.get(); }

    // The page's window-sized background, shown from the page's showing on; given up while the
    // page is hidden behind the home page.
    static QString BackgroundPicture();
    PageBackground &background() const { return *Background; }

public slots:
    void WindowClosed();
    void WindowMin();

private slots:
    void on_ButtonMain_clicked();
    void on_SensorButton_clicked();
    void on_MacroButton_clicked();
    void on_LightsButton_clicked();
    void on_UpArrow_clicked();
    void on_SetButton_clicked();
    // No form object answers to these names: connecting by name would look for one and complain.
    void MouseBClicked();
    void MouseCClicked();
    void SlotSecondDialog();
    void SlotUpDataParam(int mode);
    void SlotStartRecord(int state);
    void SlotBattery(bool charging, int level, bool showPercent);
    void SlotMouseIndex(int index);
    void on_CloseButton_clicked();
    void on_FormSetting_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // No level: empty text, no fill, no charging mark.
    void ShowNoBatteryLevel();
    void ApplyPictures();
    QList<QToolButton *> Tabs() const;

    std::unique_ptr<Ui_Dialog> ui;
    QButtonGroup *ButtonGroupA;
    QButtonGroup *ButtonGroupB;
    Buttoninterface *buttonPage;
    Macro *macroPage;
    Sensor *sensorPage;
    FormSetting *settingPage;
    // Reused for every request of the device service; lives as long as the page.
    std::unique_ptr<UpDataParam> ParamDialog;
    QString ImageFolder;
    std::unique_ptr<PageBackground> Background;
};
