#pragma once

#include "core/deviceallinfo.h"
#include "core/hotplug.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class MyConmboBox;
class PageBackground;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;
class mytoolButtonEnter;

class Ui_DialogChange
{
public:
    QFrame *frameChange;
    QToolButton *MinButton;
    QToolButton *CloseButton;
    MyConmboBox *comboBox;
    QLabel *label_2;
    QToolButton *LeftButton;
    QToolButton *RightButton;
    QPushButton *Repair;
    QStackedWidget *stackedWidget;
    QFrame *FindVer;
    QToolButton *CloseButton_2;
    QToolButton *NewHong;
    QLabel *FindVerlaebl;
    QCheckBox *NoApear;
    QLabel *label_3;

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);
};

// The home page: a tile per detected device (three to a page), the prompt lines, the language
// choice, the Repair button that shows while a firmware update is unfinished, and the window's
// minimise and close buttons. A click on a tile selects the device (deviceselection.cpp); the
// tiles are rebuilt after every hot-plug change (devicetiles.cpp).
class DialogChange : public QWidget
{
    Q_OBJECT
public:
    explicit DialogChange(QWidget *parent = nullptr);
    ~DialogChange() override;

    // The one home page while it exists (the hot-plug handling reaches it through its hooks).
    static DialogChange *HomePageObject;

    // Rebuilds every tile and tile page from HomeDeviceList; run after each home enumeration.
    void BuildDeviceTiles();

    // Tile widgets, element N belonging to tile N; valid until the next build.
    QList<mytoolButtonEnter *> TileButtons;
    QList<QLabel *> OfflineLabels;
    QList<QLabel *> ConnectionIcons;
    QList<QLabel *> RateBadges;

    QString HomePicturePath; // <appdir>/Picture/DialogChange/
    // The window-sized background, shown as soon as the page is.
    static QString BackgroundPicture();
    PageBackground &background() const { return *Background; }
    int ModelCount = 0; // Option/DeviceTotal, never below 0

    // Texts of the current language.
    QString HomeHintText;
    QString RepairHintText;
    QString OfflineTipFirst;
    QString OfflineTipSecond;

public slots:
    void on_MinButton_clicked();
    void on_CloseButton_clicked();
    void on_RightButton_clicked();
    void on_LeftButton_clicked();
    void on_Repair_clicked();
    void on_comboBox_activated(int index);
    void SlotSameLanguageA(int index);
    void SlotUpDateButton(bool repaired);
    void SlotEnterKey();
    void slotButtonClicked();
    void SlotAllLanguage(int language);
    void on_CloseButton_2_clicked();
    void on_NewHong_clicked();
    void on_NoApear_clicked(bool checked);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyTheme();
    void applyFirmwarePanelTheme();
    void showRepairState(bool updateFailed);
    void setPromptShown(bool promptShown);
    void clearTiles();
    void addTilePage(int firstTile, int tileCount);
    using TileLook = HotPlugHooks::TileLook;
    void styleTile(int index, TileLook look);
    // The pairing and firmware decision for an entry that cannot simply be opened; true when the
    // click is to go on and open the device.
    bool decideForEntry(const DeviceAllInfo &entry);
    void openPairing(const DeviceAllInfo &entry);
    void selectDevice(const DeviceAllInfo &entry);

    std::unique_ptr<Ui_DialogChange> ui;
    std::unique_ptr<PageBackground> Background;
};
