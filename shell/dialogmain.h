#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class Dialog;
class DeferredPolish;
class DialogChange;
class QAction;
class QFrame;
class QMenu;
class QStackedWidget;

class Ui_DialogMain
{
public:
    QFrame *frame;
    QStackedWidget *stackedWidgetMain;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The program's one top-level window: frameless, 1020 x 700, with the home page (index 0) and the
// device page (index 1) in its page stack. It switches pages and minimises or closes on request
// through the hub, lives in the notification area while hidden, shows the device-offline notice,
// moves when dragged by a free area and gives Escape, F12, Return, Enter and Space their meaning.
class DialogMain : public QDialog
{
    Q_OBJECT
public:
    explicit DialogMain(QWidget *parent = nullptr);
    ~DialogMain() override;

    // Whether the desktop offers a notification area; tests replace the question.
    static std::function<bool()> TrayAvailable;

    QSystemTrayIcon *trayIcon() const { return SysTrayIcon; }
    QMenu *trayMenu() const { return TrayMenu; }
    DialogChange *homePage() const { return HomePage; }
    Dialog *devicePage() const { return DevicePage; }

    void setVisible(bool visible) override;

public slots:
    void SlotChangeMainDialog(int page);
    void SlotChangeSize(int code);
    void SlotMouseOffLine(int mode);
    void SlotUpPageLight();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void slotActionMain();
    void slotActionExitApp();
    void SlotAllLanguage(int language);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    bool onDevicePage() const;
    void minimise();
    void showAgain();
    void showAgainLater();
    void runPairing(bool pairDeviceSet);
    void spaceOnHomePage();

    QMenu *TrayMenu = nullptr;
    QSystemTrayIcon *SysTrayIcon = nullptr;
    QAction *ActionMain = nullptr;
    QAction *ActionExit = nullptr;
    std::unique_ptr<Ui_DialogMain> ui;
    QPoint DragOffset;
    QPoint PressGlobal;
    QPoint PressWindow;
    DialogChange *HomePage = nullptr;
    Dialog *DevicePage = nullptr;
    // The device page waits behind the home page: its polish waits until the window has shown.
    DeferredPolish *DevicePagePolish = nullptr;
    QString ImageFolder;
    QString TrayTextMain;
    QString TrayTextExit;
    bool TrayConnected = false;
    // Minimised on a desktop without a notification area: coming back is the window system's
    // restore, which then tells the device the program is back.
    bool MinimisedWithoutTray = false;
};
