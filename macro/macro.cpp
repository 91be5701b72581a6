#include "macro/macro.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/throttleclock.h"
#include "macro/keyboardhook.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroname.h"
#include "macro/ui_macro.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// The event and macro lists: white rows on the page, the selected row on a flat green bar, a
// scroll bar with picture arrows. White on that green is hard to read, so the selected row's text
// is dark.
QString listStyle(const QString &folder)
{
    return QStringLiteral(
               "QListWidget{background:transparent;color:rgb(255,255,255);border:0px;outline:0px;}"
               "QListWidget::item:hover{background:transparent;}"
               "QListWidget::item:selected:active,QListWidget::item:selected:!active{"
               "background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 #aadb1e,stop:1 #aadb1e);"
               "color:rgb(21,23,27);}"
               "QScrollBar:vertical{width:20px;background:rgb(30,30,30);"
               "margin:25px 0px 25px 0px;}"
               "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;"
               "min-height:30px;}"
               "QScrollBar::sub-line:vertical{height:25px;background:rgb(30,30,30);"
               "subcontrol-position:top;subcontrol-origin:margin;}"
               "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);"
               "subcontrol-position:bottom;subcontrol-origin:margin;}"
               "QScrollBar::up-arrow:vertical{image:%1;width:15px;height:15px;}"
               "QScrollBar::down-arrow:vertical{image:%2;width:15px;height:15px;}"
               "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
        .arg(Theme::Url(folder, QStringLiteral("Up.png")),
             Theme::Url(folder, QStringLiteral("Down.png")));
}

// A picture button whose caption is in the theme's button colour, with a hover picture and, unless
// it is a record button (normal and hover only), a pressed one.
QString pictureButtonStyle(const QString &type, const QString &folder, const QString &base,
                           bool pressedPicture)
{
    QString style =
        QStringLiteral("%1{border:0px;background-position:center;background-repeat:no-repeat;"
                       "color: %2;background-image: %3;}%1:hover{background-image: %4; }")
            .arg(type, Theme::Rgb(QStringLiteral("ButtonColor")), Theme::Url(folder, base + ".png"),
                 Theme::Url(folder, base + "Hover.png"));
    if (pressedPicture)
        style += QStringLiteral("%1:pressed{background-image: %2; }")
                     .arg(type, Theme::Url(folder, base + "Click.png"));
    return style;
}

QString inactiveButtonStyle(const QString &folder)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;"
                          "background-repeat:no-repeat;color: rgb(127,127,127);"
                          "background-image: %1;}")
        .arg(Theme::Url(folder, QStringLiteral("Button.png")));
}

} // namespace

Macro::Macro(QWidget *parent) : QWidget(parent), ui(new Ui_Macro), DelayClock(MonotonicMs)
{
    ui->setupUi(this);
    Hook.reset(new KeyboardHook(KeyboardHook::MacroPage));
    ImageFolder = Theme::PictureFolder(QStringLiteral("Macro"));
    MacroFolderPath = MacroFolder();

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigButtonToMacro(FlashDataMap, int)), this,
            SLOT(SlotButtonToMacro(FlashDataMap, int)));
    connect(hub, SIGNAL(SigMacroDownLoadData(QString, int)), this,
            SLOT(SlotMacroDownLoadData(QString, int)));
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));

    ui->listWidgetHong->setStyleSheet(listStyle(ImageFolder));
    ui->listWidgetKey->setStyleSheet(listStyle(ImageFolder));
    LoadMacroList();
    connect(ui->listWidgetHong, &QListWidget::currentRowChanged, this, &Macro::MacroChosen);

    DelayModeGroup = new QButtonGroup(this);
    DelayModeGroup->setExclusive(true);
    DelayModeGroup->addButton(ui->AutoInsertDelay);
    DelayModeGroup->addButton(ui->DefaultDelay);
    RepeatModeGroup = new QButtonGroup(this);
    RepeatModeGroup->setExclusive(true);
    for (QCheckBox *box : {ui->ReUntilLoose, ui->ReUntilClick, ui->ReNumber, ui->ReUntil})
        RepeatModeGroup->addButton(box);
    ui->StartRecord->setFocusPolicy(Qt::NoFocus);

    ui->ChooseEvent->setStyleSheet(Theme::ComboBoxStyle(ImageFolder));
    Theme::UseComboList(ui->ChooseEvent);
    ui->ChooseEvent->setMaxVisibleItems(5);

    ui->StopRecord->hide();
    // Recorded delays are the measured times unless the user asks for a fixed one.
    ui->AutoInsertDelay->setChecked(true);
    connect(RepeatModeGroup, QOverload<QAbstractButton *, bool>::of(&QButtonGroup::buttonToggled),
            this, &Macro::RepeatModeChanged);

    SetSaveActive(false);
    ApplyTheme();

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

Macro::~Macro() = default;

void Macro::ApplyTheme()
{
    for (QLabel *label : {ui->label, ui->label_2, ui->label_3, ui->AutoInsertDelayLabel,
                          ui->ReUntilLabel, ui->ReUntilClickLabel, ui->ReUntilLooseLabel})
        label->setStyleSheet(Theme::LabelStyle());
    for (QCheckBox *box : {ui->AutoInsertDelay, ui->DefaultDelay, ui->ReUntilLoose,
                           ui->ReUntilClick, ui->ReUntil, ui->ReNumber})
        box->setStyleSheet(Theme::CheckBoxStyle(ImageFolder));
    const QString button = pictureButtonStyle(QStringLiteral("QToolButton"), ImageFolder,
                                              QStringLiteral("Button"), true);
    for (QToolButton *tool : {ui->NewHong, ui->DeleteHong, ui->Amend, ui->DeleteKey})
        tool->setStyleSheet(button);
    ui->StartRecord->setStyleSheet(pictureButtonStyle(QStringLiteral("QPushButton"), ImageFolder,
                                                      QStringLiteral("Record"), false));
    ui->StopRecord->setStyleSheet(pictureButtonStyle(QStringLiteral("QPushButton"), ImageFolder,
                                                     QStringLiteral("Stop"), false));
    const QString spinBox =
        QStringLiteral("QSpinBox{background-color: rgb(63, 63, 63);color: %1;border: none;}")
            .arg(Theme::Rgb(QStringLiteral("LinEditColorSecond")));
    ui->DelayTime->setStyleSheet(spinBox);
    ui->NumberEdit->setStyleSheet(spinBox);
}

void Macro::SetSaveActive(bool active)
{
    ui->Save->setEnabled(active);
    ui->Save->setStyleSheet(active ? pictureButtonStyle(QStringLiteral("QToolButton"), ImageFolder,
                                                        QStringLiteral("Button"), true)
                                   : inactiveButtonStyle(ImageFolder));
}

void Macro::SlotAllLanguage(int language)
{
    const TextTable &t = MacroTexts;
    const auto show = [&](auto *widget, int entry) {
        widget->setText(t.text(language, entry, widget->text()));
    };
    show(ui->label, 0);
    show(ui->label_2, 1);
    show(ui->NewHong, 2);
    ui->NewHong->setToolTip(QString());
    show(ui->DeleteHong, 3);
    show(ui->Amend, 4);
    show(ui->DeleteKey, 5);
    show(ui->StartRecord, 6);
    show(ui->StopRecord, 7);
    show(ui->AutoInsertDelayLabel, 8);
    show(ui->DefaultDelay, 9);
    show(ui->ReUntilLooseLabel, 10);
    show(ui->ReUntilClickLabel, 11);
    show(ui->ReUntilLabel, 12);
    show(ui->ReNumber, 13);
    show(ui->label_3, 14);
    for (int item = 1; item <= 3; ++item)
        ui->ChooseEvent->setItemText(item,
                                     t.text(language, 14 + item, ui->ChooseEvent->itemText(item)));
    // The button page's names of the five mouse buttons name them in macros too.
    QStringList mouseNames = MouseButtonNames();
    for (int i = 0; i < 5; ++i) {
        const int item = 4 + i;
        ui->ChooseEvent->setItemText(
            item, ButtoninterfaceTexts.text(language, item, ui->ChooseEvent->itemText(item)));
        mouseNames[i] = ButtoninterfaceTexts.text(language, item, mouseNames.at(i));
    }
    SetMouseButtonNames(mouseNames);
    show(ui->Save, 18);
    DeletePrefix = t.text(language, 19, DeletePrefix);
    ExportText = t.text(language, 20, ExportText);
    RenameText = t.text(language, 21, RenameText);
    DeleteText = t.text(language, 22, DeleteText);
    NewText = t.text(language, 23, NewText);
    ImportText = t.text(language, 24, ImportText);
}

void Macro::changeEvent(QEvent *event)
{
    // Keys released while another window is in front never reach the recorder: a key held when
    // the window lost the front is not held any more when it comes back.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        HeldKeys.clear();
    // Otherwise only a language change is acted on: the form's own texts come back, and the
    // choices the user made in the event box and the two number boxes stay.
    if (event->type() != QEvent::LanguageChange)
        return;
    const int chosen = ui->ChooseEvent->currentIndex();
    const int delay = ui->DelayTime->value();
    const int count = ui->NumberEdit->value();
    const bool eventsBlocked = ui->ChooseEvent->blockSignals(true);
    const bool delayBlocked = ui->DelayTime->blockSignals(true);
    const bool countBlocked = ui->NumberEdit->blockSignals(true);
    ui->retranslateUi(this);
    ui->ChooseEvent->setCurrentIndex(chosen);
    ui->DelayTime->setValue(delay);
    ui->NumberEdit->setValue(count);
    ui->ChooseEvent->blockSignals(eventsBlocked);
    ui->DelayTime->blockSignals(delayBlocked);
    ui->NumberEdit->blockSignals(countBlocked);
}

void Macro::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

bool Macro::focusNextPrevChild(bool next)
{
    // While recording, Tab is a recorded key: it moves nothing, and the window does not get to
    // move the focus off the page either.
    if (FocusHeld)
        return true;
    return QWidget::focusNextPrevChild(next);
}

void Macro::SetDelayClock(std::function<qint64()> clock)
{
    DelayClock = std::move(clock);
}
