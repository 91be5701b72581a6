#include "shell/dialogchange.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/settingsstore.h"
#include "core/updatefailinfo.h"
#include "platform/devicelib/devicelib.h"
#include "settings/updaterepair.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/mytoolbuttonenter.h"
#include "shell/pagebackground.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

DialogChange *DialogChange::HomePageObject = nullptr;

namespace {

QToolButton *addToolButton(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *button = FormParts::Make<QToolButton>(parent, name, geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The small window buttons: fixed 20 x 20, flat, with room for a 30 x 30 icon.
QToolButton *addWindowButton(QWidget *parent, const QString &name, const QPoint &at)
{
    QToolButton *button = addToolButton(parent, name, QRect(at, QSize(20, 20)));
    button->setMaximumSize(20, 20);
    button->setIconSize(QSize(30, 30));
    button->setAutoRaise(true);
    return button;
}

QLabel *addPromptLabel(QWidget *parent, const QString &name, int y, int points)
{
    QLabel *label = FormParts::Label(parent, name, {0, y, 1021, 121}, points);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

// The page arrows: the picture fills the button, another while the pointer is over it.
QString arrowStyle(const QString &folder, const QString &name)
{
    return QStringLiteral("QToolButton{border-image: %1;}QToolButton:hover{border-image: %2;}")
        .arg(Theme::Url(folder, name + QStringLiteral(".png")),
             Theme::Url(folder, name + QStringLiteral("Click.png")));
}

} // namespace

void Ui_DialogChange::setupUi(QWidget *page)
{
    page->setObjectName(QStringLiteral("DialogChange"));
    page->setFixedSize(1020, 700);

    frameChange = FormParts::Make<QFrame>(page, QStringLiteral("frameChange"), {0, 0, 1020, 700});
    frameChange->setFixedSize(1020, 700);
    frameChange->setFrameShape(QFrame::StyledPanel);
    frameChange->setFrameShadow(QFrame::Raised);

    MinButton = addWindowButton(frameChange, QStringLiteral("MinButton"), {940, 10});
    CloseButton = addWindowButton(frameChange, QStringLiteral("CloseButton"), {980, 10});

    comboBox =
        FormParts::Make<MyConmboBox>(frameChange, QStringLiteral("comboBox"), {790, 10, 142, 26});
    comboBox->setFont(Theme::Font(10));
    comboBox->setFocusPolicy(Qt::NoFocus);

    label_2 = addPromptLabel(frameChange, QStringLiteral("label_2"), 320, 20);
    LeftButton = addToolButton(frameChange, QStringLiteral("LeftButton"), {10, 360, 46, 46});
    RightButton = addToolButton(frameChange, QStringLiteral("RightButton"), {965, 360, 46, 46});

    Repair = FormParts::Make<QPushButton>(frameChange, QStringLiteral("Repair"), {740, 8, 36, 33});
    Repair->setFocusPolicy(Qt::NoFocus);

    stackedWidget = FormParts::Make<QStackedWidget>(frameChange, QStringLiteral("stackedWidget"),
                                                    {65, 200, 894, 360});

    FindVer = FormParts::Make<QFrame>(frameChange, QStringLiteral("FindVer"), {350, 300, 300, 140});
    FindVer->setFixedSize(300, 140);
    FindVer->setFrameShape(QFrame::StyledPanel);
    FindVer->setFrameShadow(QFrame::Raised);
    CloseButton_2 = addWindowButton(FindVer, QStringLiteral("CloseButton_2"), {275, 5});
    NewHong = addToolButton(FindVer, QStringLiteral("NewHong"), {100, 90, 90, 24});
    NewHong->setMaximumSize(500, 500);
    NewHong->setFont(Theme::Font(11));
    NewHong->setAutoRaise(true);
    FindVerlaebl = FormParts::Label(FindVer, QStringLiteral("FindVerlaebl"), {0, 20, 301, 51}, 11);
    FindVerlaebl->setAlignment(Qt::AlignCenter);
    FindVerlaebl->setWordWrap(true);
    NoApear = FormParts::Make<QCheckBox>(FindVer, QStringLiteral("NoApear"), {5, 120, 291, 18});
    NoApear->setFont(Theme::Font(9));
    NoApear->setFocusPolicy(Qt::NoFocus);

    label_3 = addPromptLabel(frameChange, QStringLiteral("label_3"), 530, 16);
    // The line under the tiles covers their lowest 30 pixels; a click there belongs to the tile.
    label_3->setAttribute(Qt::WA_TransparentForMouseEvents);

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_DialogChange::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Dialog"));
    for (QToolButton *button : {MinButton, CloseButton, LeftButton, RightButton, CloseButton_2})
        button->setText(QString());
    Repair->setText(QString());
    // The item index is the language index.
    comboBox->clear();
    comboBox->addItem(QStringLiteral("English"));
    comboBox->addItem(QStringLiteral("Ukrainian"));
    label_2->setText(QStringLiteral("请接入你的游戏装备"));
    NewHong->setText(QStringLiteral("确定"));
    FindVerlaebl->setText(QStringLiteral("发现新固件,请更新!"));
    NoApear->setText(QStringLiteral("下次不再显示"));
    label_3->setText(QStringLiteral("点击图案进入使用"));
}

DialogChange::DialogChange(QWidget *parent) : QWidget(parent), ui(new Ui_DialogChange)
{
    ui->setupUi(this);
    HomePageObject = this;
    HomePicturePath = Theme::PictureFolder(QStringLiteral("DialogChange"));
    applyTheme();

    // No tile yet: the plug-in prompt, without the line that belongs under the tiles. The library
    // calls back only when devices are present, so with none this is what the page keeps.
    setPromptShown(true);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLanguageSameA(int)), this, SLOT(SlotSameLanguageA(int)));
    connect(hub, SIGNAL(SigUpDateButton(bool)), this, SLOT(SlotUpDateButton(bool)));
    connect(hub, SIGNAL(SigEnterKey()), this, SLOT(SlotEnterKey()));

    ui->Repair->hide();
    if (RepairOffered())
        ui->Repair->show();

    ModelCount = qMax(0, ConfigIni::instance()->intValue(QStringLiteral("Option"),
                                                         QStringLiteral("DeviceTotal")));

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
    ui->FindVer->hide();

    HotPlugHooks &hooks = HotPlugHooksInstance();
    hooks.ShowRepairState = [this](bool updateFailed) { showRepairState(updateFailed); };
    hooks.BuildDeviceTiles = [this] { BuildDeviceTiles(); };
    hooks.StyleDeviceTile = [this](int index, TileLook look) { styleTile(index, look); };
    // Last: the library calls back once soon after registration when devices are present, and
    // that call builds the first tiles.
    StartUsbChanged(HomeUsbChanged, 600);
}

DialogChange::~DialogChange()
{
    HotPlugHooks &hooks = HotPlugHooksInstance();
    hooks.ShowRepairState = nullptr;
    hooks.BuildDeviceTiles = nullptr;
    hooks.StyleDeviceTile = nullptr;
    if (HomePageObject == this)
        HomePageObject = nullptr;
}

QString DialogChange::BackgroundPicture()
{
    return Theme::PictureFolder(QStringLiteral("DialogChange")) + QStringLiteral("MainBack.png");
}

void DialogChange::applyTheme()
{
    const QString p = HomePicturePath;

    Background = std::make_unique<PageBackground>(ui->frameChange, BackgroundPicture());
    Background->apply();
    ui->CloseButton->setStyleSheet(Theme::ThreeStateButtonStyle(p, QStringLiteral("Close")));
    ui->MinButton->setStyleSheet(Theme::ThreeStateButtonStyle(p, QStringLiteral("Min")));
    ui->Repair->setStyleSheet(QStringLiteral("#Repair{border:0px;background-image: %1;"
                                             "background-position:center;"
                                             "background-repeat:no-repeat;}")
                                  .arg(Theme::Url(p, QStringLiteral("Repair.png"))));
    ui->RightButton->setStyleSheet(arrowStyle(p, QStringLiteral("Right")));
    ui->LeftButton->setStyleSheet(arrowStyle(p, QStringLiteral("Left")));
    ui->comboBox->setStyleSheet(Theme::ComboBoxStyle(p));
    // The firmware panel starts hidden and shows only when newer firmware is found: its
    // pictures are decoded when it first shows, before it is drawn.
    ui->FindVer->installEventFilter(this);

    // Its sheet is set before it enters the pop-up, unlike Theme::UseComboList: so its open list
    // keeps the application's font, not the box's.
    auto *list = new QListView(ui->comboBox);
    list->setStyleSheet(Theme::ComboListStyle());
    ui->comboBox->setMaxVisibleItems(5);
    ui->comboBox->setView(list);
}

void DialogChange::applyFirmwarePanelTheme()
{
    const QString w = Theme::WarningFolder();
    ui->FindVerlaebl->setStyleSheet(Theme::LabelStyle());
    ui->NewHong->setStyleSheet(Theme::ConfirmButtonStyle(w));
    ui->CloseButton_2->setStyleSheet(Theme::ThreeStateButtonStyle(w, QStringLiteral("Close")));
    ui->FindVer->setStyleSheet(Theme::PanelStyle(QStringLiteral("FindVer"), w));
    ui->NoApear->setStyleSheet(Theme::CheckBoxStyle(w));
}

// Shown at once; given up while the device page shows (DialogMain) and taken back before the
// page paints again.
void DialogChange::showEvent(QShowEvent *event)
{
    Background->apply();
    QWidget::showEvent(event);
}

bool DialogChange::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->FindVer && event->type() == QEvent::Show) {
        ui->FindVer->removeEventFilter(this); // styled once
        applyFirmwarePanelTheme();
    }
    return QWidget::eventFilter(watched, event);
}

void DialogChange::on_MinButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(2);
}

void DialogChange::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigChangeSize(3);
}

void DialogChange::on_comboBox_activated(int index)
{
    StoreLanguage(index);
    DeviceState::instance()->CurrentLanguage = index;
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAllLanguage(index);
    emit hub->SigLanguageSameB(index);
}

void DialogChange::SlotSameLanguageA(int index)
{
    const bool blocked = ui->comboBox->blockSignals(true);
    ui->comboBox->setCurrentIndex(index);
    ui->comboBox->blockSignals(blocked);
}

void DialogChange::showRepairState(bool updateFailed)
{
    ui->Repair->setVisible(updateFailed);
    ui->label_2->setText(updateFailed ? RepairHintText : HomeHintText);
}

void DialogChange::SlotUpDateButton(bool repaired)
{
    showRepairState(!repaired);
}

void DialogChange::on_Repair_clicked()
{
    UpDateRepair *dialog = DeviceState::instance()->UpdateDialog;
    if (!dialog)
        return;
    NoticeFrame::place(dialog, this, QPoint(0, 0));
    dialog->ResetUi();
    dialog->setModal(true);
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    dialog->show();
}

void DialogChange::SlotEnterKey()
{
    if (ui->FindVer->isVisible())
        ui->FindVer->hide();
    else if (ui->Repair->isVisible())
        on_Repair_clicked();
}

void DialogChange::SlotAllLanguage(int language)
{
    const TextTable &t = DialogChangeTexts;
    HomeHintText = t.text(language, 0, HomeHintText);
    if (!ui->Repair->isVisible())
        ui->label_2->setText(HomeHintText);
    ui->label_3->setText(t.text(language, 1, ui->label_3->text()));
    OfflineTipFirst = t.text(language, 5, OfflineTipFirst);
    OfflineTipSecond = t.text(language, 6, OfflineTipSecond);
    RepairHintText = t.text(language, 2, RepairHintText);
    if (ui->Repair->isVisible())
        ui->label_2->setText(RepairHintText);
    ui->FindVerlaebl->setText(t.text(language, 3, ui->FindVerlaebl->text()));
    ui->NewHong->setText(t.text(language, 4, ui->NewHong->text()));
    ui->NoApear->setText(t.text(language, 7, ui->NoApear->text()));
    DeviceState &state = *DeviceState::instance();
    state.HomeNoticeText.set(t.text(language, 8, state.HomeNoticeText.get()));

    for (QLabel *offline : qAsConst(OfflineLabels)) {
        offline->setToolTip(OfflineTipFirst + QLatin1Char('\n') + OfflineTipSecond);
        offline->setFont(ui->NoApear->font());
    }
}

void DialogChange::on_CloseButton_2_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NewHong_clicked()
{
    ui->FindVer->hide();
}

void DialogChange::on_NoApear_clicked(bool checked)
{
    StoreFindNewShown(checked);
}

void DialogChange::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        const bool blocked = ui->comboBox->blockSignals(true);
        ui->retranslateUi(this);
        ui->comboBox->setCurrentIndex(0);
        ui->comboBox->blockSignals(blocked);
    }
    QWidget::changeEvent(event);
}
