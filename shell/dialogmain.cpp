#include "shell/dialogmain.h"

#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/devicecache.h"
#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/deviceserver.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "macro/containreset.h"
#include "platform/appinfo.h"
#include "platform/delayms.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"
#include "platform/sleep.h"
#include "settings/match.h"
#include "settings/updaterepair.h"
#include "shell/deferredpolish.h"
#include "shell/dialog.h"
#include "shell/dialogchange.h"
#include "shell/dialogs/mouseoffline.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/updatewarning.h"
#include "shell/firmwareoffer.h"
#include "shell/pagebackground.h"
#include "shell/pixmapprefetch.h"
#include "shell/widgets/theme.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>

#include <memory>

std::function<bool()> DialogMain::TrayAvailable = [] {
    return QSystemTrayIcon::isSystemTrayAvailable();
};

namespace {

enum Page
{
    HomePageIndex = 0,
    DevicePageIndex = 1
};

} // namespace

void Ui_DialogMain::setupUi(QDialog *dialog)
{
    dialog->setObjectName(QStringLiteral("DialogMain"));
    dialog->resize(1020, 700);
    frame = new QFrame(dialog);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(0, 0, 1020, 700);
    frame->setMaximumSize(1020, 700);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    stackedWidgetMain = new QStackedWidget(frame);
    stackedWidgetMain->setObjectName(QStringLiteral("stackedWidgetMain"));
    stackedWidgetMain->setGeometry(0, 0, 1020, 700);
    stackedWidgetMain->setMaximumSize(1020, 700);
    stackedWidgetMain->setStyleSheet(QString());
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_DialogMain::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QLatin1String(ApplicationName));
}

DialogMain::DialogMain(QWidget *parent) : QDialog(parent), ui(new Ui_DialogMain)
{
    ui->setupUi(this);
    LoadLanguageFiles();
    RegistryValues::MigrateLanguageIndex();
    State().CurrentLanguage = StoredLanguage();
    ImageFolder = Theme::PictureFolder(QStringLiteral("Dialog"));

    // The home page shows its window-sized background at once: it is decoded beside the GUI
    // thread while the device page is built.
    PixmapPrefetch background(DialogChange::BackgroundPicture());

    // The device page first: its button page creates the device service the home page starts.
    // Both are made inside the stack that shows them: adding a page made elsewhere moves its
    // whole tree, which resolves every widget's style sheet again.
    // The device page's own stack shows its first page as it is added, which polishes that
    // page: held back like the rest of the hidden page's polish. The stack stands for the device
    // page while it is built (the home page is not made yet).
    DevicePagePolish = new DeferredPolish(ui->stackedWidgetMain, this);
    DevicePagePolish->holdWhile([this] { DevicePage = new Dialog(ui->stackedWidgetMain); });
    DevicePagePolish->setPart(DevicePage);
    background.deliver();
    HomePage = new DialogChange(ui->stackedWidgetMain);
    ui->stackedWidgetMain->addWidget(HomePage);
    ui->stackedWidgetMain->addWidget(DevicePage);
    ui->stackedWidgetMain->setCurrentIndex(HomePageIndex);

    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedSize(width(), height());
    // While hidden the program lives in the notification area; see closeEvent.
    QApplication::setQuitOnLastWindowClosed(false);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    connect(hub, SIGNAL(SigChangeSize(int)), this, SLOT(SlotChangeSize(int)));
    connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)));
    connect(hub, SIGNAL(SigUpPageLight()), this, SLOT(SlotUpPageLight()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));

    SysTrayIcon = new QSystemTrayIcon(QIcon(ImageFolder + QStringLiteral("Logo.png")));
    SysTrayIcon->setToolTip(QLatin1String(ApplicationName));

    const int language = State().CurrentLanguage.load();
    emit hub->SigLanguageSameA(language);
    emit hub->SigLanguageSameB(language);
    emit hub->SigAllLanguage(language);
}

DialogMain::~DialogMain()
{
    delete SysTrayIcon;
    delete TrayMenu;
    // The pages before the form: the device page's destructor stops the device service. The
    // stack is hidden first: removing the page it shows would show the next one, and a device
    // page shown for the first time decodes its background only to be deleted.
    ui->stackedWidgetMain->hide();
    delete HomePage;
    delete DevicePage;
}

void DialogMain::setVisible(bool visible)
{
    // Showing a window polishes every widget in it: the hidden device page's pages would parse
    // their style sheets and decode their pictures before the window appears.
    if (visible && !onDevicePage())
        DevicePagePolish->holdWhile([this] { QDialog::setVisible(true); });
    else
        QDialog::setVisible(visible);
}

bool DialogMain::onDevicePage() const
{
    return ui->stackedWidgetMain->currentIndex() == DevicePageIndex;
}

void DialogMain::SlotChangeMainDialog(int page)
{
    DeviceState &s = State();
    s.WriteEnabled = 1;
    PostMsg *hub = PostMsg::GetInstance();
    if (page == HomePageIndex) {
        // First of all: a pass or a device event still busy for the device page gives up.
        DeviceLink::PageLeft();
        emit hub->SigSecondPageChange();
        s.OnDevicePage = 0;
        emit hub->SigMainPageChange();
        DeviceLink::StopServer();
        // The home page gave its background up while the device page showed: decoded beside
        // the GUI thread's wait, in the cache before the page shows and sets its sheet.
        const std::unique_ptr<PixmapPrefetch> background = HomePage->background().prefetch();
        Sleep(100);
        if (background)
            background->deliver();
        ui->stackedWidgetMain->setCurrentIndex(HomePageIndex);
        DevicePage->background().release();
        // The library calls back after registration only while devices are present: when the
        // device that was shown was the last one, the tiles must not go on showing it.
        HandleHomeUsbChanged();
        StartUsbChanged(HomeUsbChanged, 600);
    } else if (page == DevicePageIndex) {
        // Decoded beside the page's first polish; the page sets its sheet as it shows.
        const std::unique_ptr<PixmapPrefetch> background = DevicePage->background().prefetch();
        DevicePagePolish->release();
        if (background)
            background->deliver();
        ui->stackedWidgetMain->setCurrentIndex(DevicePageIndex);
        HomePage->background().release();
        StartUsbChanged(DeviceUsbChanged, 600);
    }
}

void DialogMain::SlotChangeSize(int code)
{
    if (code < 0 || code > 3)
        return;
    if ((code == 1 || code == 3) && FirmwareRunUnderWay())
        return;
    // Closing: nothing may tell the device it is attached again on the way out.
    if (code == 1 || code == 3)
        DeviceLink::PageLeft();
    if (code == 0 || code == 1)
        UsbServer_SetPCDriverStatus(0);
    if (code == 0 || code == 2) {
        minimise();
        return;
    }
    qCDebug(lcDiagnostics) << "close";
    StopUsbChanged();
    DelayMs(200);
    DeviceLink::StopServer();
    close();
}

void DialogMain::minimise()
{
    if (!TrayAvailable()) {
        // No notification area: a hidden window could never be shown again.
        MinimisedWithoutTray = true;
        showMinimized();
        return;
    }
    hide();
    delete TrayMenu;
    TrayMenu = new QMenu;
    ActionMain = new QAction(TrayTextMain, TrayMenu);
    ActionExit = new QAction(TrayTextExit, TrayMenu);
    connect(ActionMain, SIGNAL(triggered()), this, SLOT(slotActionMain()));
    connect(ActionExit, SIGNAL(triggered()), this, SLOT(slotActionExitApp()));
    TrayMenu->addAction(ActionMain);
    TrayMenu->addSeparator();
    TrayMenu->addAction(ActionExit);
    SysTrayIcon->setContextMenu(TrayMenu);
    if (!TrayConnected) {
        connect(SysTrayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
                SLOT(on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason)));
        TrayConnected = true;
    }
    SysTrayIcon->show();
}

void DialogMain::showAgain()
{
    // Only while hidden in the notification area: a second click queued before the first one
    // ran must not announce the program to the device twice.
    if (isVisible() && !SysTrayIcon->isVisible())
        return;
    show();
    if (onDevicePage())
        UsbServer_SetPCDriverStatus(1);
    SysTrayIcon->hide();
}

// The icon and its menu report a click from inside their own event handlers, and hiding the icon
// deletes the toolkit's widget behind it (on an X11 tray). So the window comes back once those
// handlers have returned, from the event loop.
void DialogMain::showAgainLater()
{
    QMetaObject::invokeMethod(this, &DialogMain::showAgain, Qt::QueuedConnection);
}

void DialogMain::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
    case QSystemTrayIcon::Trigger:
        showAgainLater();
        break;
    default:
        // A right click (Context) opens the icon's context menu by itself: the toolkit pops it
        // up before it reports the click, so running it here as well would nest a second run of
        // the same menu inside the icon's event handler.
        break;
    }
}

void DialogMain::slotActionMain()
{
    showAgainLater();
}

void DialogMain::slotActionExitApp()
{
    // A device cut off in the middle of its firmware waits in boot mode: the program stays until
    // the update or repair has ended.
    if (FirmwareRunUnderWay())
        return;
    // Leave as the page's own close button does, so the device is told, its record is cached
    // and the device library's threads are stopped before the process ends.
    if (onDevicePage()) {
        // No name yet: the device never sent its configuration, so there is nothing to keep.
        const QString cacheName = State().OnlineCacheName.get();
        if (!cacheName.isEmpty())
            SaveDeviceCache(cacheName, State().CurrentFlashData.get());
        SlotChangeSize(1);
    } else {
        SlotChangeSize(3);
    }
    QCoreApplication::exit(0);
}

void DialogMain::SlotUpPageLight() {}

void DialogMain::SlotAllLanguage(int language)
{
    TrayTextMain = DialogMainTexts.text(language, 0, TrayTextMain);
    TrayTextExit = DialogMainTexts.text(language, 1, TrayTextExit);
}

void DialogMain::SlotMouseOffLine(int mode)
{
    DeviceState &s = State();
    s.MouseOffLineMode = mode;
    MouseOffLine notice;
    NoticeFrame::place(&notice, this, NoticeOffset::MouseOffLine);
    s.RecheckOnline = 1;
    s.RereadWhenOnline = 1;
    notice.exec();
    s.KeepOfflineNotice = 0;
}

void DialogMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && MinimisedWithoutTray && !isMinimized()) {
        MinimisedWithoutTray = false;
        if (onDevicePage())
            UsbServer_SetPCDriverStatus(1);
    }
    QDialog::changeEvent(event);
}

void DialogMain::closeEvent(QCloseEvent *event)
{
    // The program runs as long as this window: hidden in the notification area it must not end
    // when a notice closes, so the toolkit's quit on the last window is off and closing here ends
    // the event loop instead. Not while an update or repair runs.
    if (FirmwareRunUnderWay()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void DialogMain::mousePressEvent(QMouseEvent *event)
{
    PressGlobal = event->globalPos();
    PressWindow = pos();
    DragOffset = PressGlobal - PressWindow;
}

void DialogMain::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::LeftButton && !isMaximized() && !DragOffset.isNull())
        move(event->globalPos() - DragOffset);
}

void DialogMain::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event);
    DragOffset = QPoint();
}

void DialogMain::keyPressEvent(QKeyEvent *event)
{
    if (State().MacroRecording.load() != 0)
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F12:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit PostMsg::GetInstance()->SigEnterKey();
        return;
    case Qt::Key_Space:
        if (onDevicePage())
            runPairing(true);
        else
            spaceOnHomePage();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogMain::runPairing(bool pairDeviceSet)
{
    Match pairing;
    State().PairDeviceSet = pairDeviceSet ? 1 : 0;
    pairing.PrepareMatch();
    NoticeFrame::place(&pairing, this, QPoint(0, 0));
    pairing.exec();
    // Pairing ran the server with its own callback and closing it handed hot-plug to the home
    // page: the current page takes back what it needs.
    restartDeviceServer();
}

void DialogMain::spaceOnHomePage()
{
    const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
    if (listed.size() != 1 || listed.first().Wired != 0)
        return;
    const DeviceAllInfo device = listed.first();

    UpDateRepair repair;
    NoticeFrame::place(&repair, this, QPoint(0, 0));
    const FirmwareOffer offer =
        CheckFirmwareOffer(device, ReceiverImageKey(ReceiverClass(device.Kind)), repair);
    if (offer.MouseVersion.isEmpty() || offer.MouseImage == offer.ReceiverImage) {
        runPairing(false);
    } else if (offer.ReceiverImage) {
        ContainReset question;
        question.SetText(State().HomeNoticeText.get());
        NoticeFrame::place(&question, this, NoticeOffset::ContainResetMainWindow);
        question.exec();
        if (question.Confirmed) {
            repair.StartForced(0);
            repair.exec();
        }
    } else {
        UpDateWarning warning;
        warning.SetText(State().UpdateWarningText.get());
        NoticeFrame::place(&warning, this, NoticeOffset::UpDateWarning);
        warning.exec();
    }
}
