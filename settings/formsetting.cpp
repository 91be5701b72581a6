#include "settings/formsetting.h"

#include "core/blockingconnect.h"
#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/record/recordcodes.h"
#include "core/settingsstore.h"
#include "sensor/stopclosetime.h"
#include "settings/modelfeatures.h"
#include "settings/settingstheme.h"
#include "settings/ui_formsetting.h"
#include "settings/updaterepair.h"
#include "shell/dialogs/updatewarning.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/mybutton.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int CheckIntervalMs = 1000;

// The page's height and the places of the two links without and with the receiver LED section.
struct Layout
{
    int height;
    QPoint link;
    QPoint caption;
};
constexpr Layout ShortLayout{630, {610, 540}, {490, 560}};
constexpr Layout LongLayout{780, {610, 710}, {490, 730}};

// Where the version values and the update button stand in each language: the captions before
// them differ in length.
struct LanguagePlaces
{
    int valueX;
    QPoint update; // (-1, -1): not moved
};
LanguagePlaces placesOf(int language)
{
    switch (language) {
    case 0:
    case 1:
        return {200, {280, 170}};
    case 2:
        return {150, {330, 170}};
    case 3:
        return {170, {280, 170}};
    case 4:
        return {280, {330, 170}};
    case 5:
        return {280, {-1, -1}};
    default:
        return {235, {285, 155}};
    }
}

// Entries of the page's text table.
enum Entry
{
    VersionEntry = 0,
    UpdateCaptionEntry = 7,
    UpdateWarningEntry = 14,
    UpToDateEntry = 18,
    FirstSleepTimeEntry = 28,
};

} // namespace

FormSetting::FormSetting(QWidget *parent) : QWidget(parent), form(new Ui_FormSetting)
{
    form->setupUi(this);
    form->NewLabel->hide();
    form->Receive_2->hide();
    form->placeSections(SectionOffset);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigLanguageSameB(int)), this, SLOT(SlotLanguageSameB(int)));
    connect(hub, SIGNAL(SigSetNewVer()), this, SLOT(SetVerText()));
    connect(hub, SIGNAL(SigLightToFrom(int)), this, SLOT(SlotLightToFrom(int)));
    // The device-event callback waits until the page shows what it reports.
    ConnectBlocking(SIGNAL(SigRGBValue(DongleRGB)), this, SLOT(SlotRGBValue(DongleRGB)));
    ConnectBlocking(SIGNAL(SigLongRangeMode(bool)), this, SLOT(SlotLongRangeMode(bool)));
    ConnectBlocking(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    connect(hub, SIGNAL(SigFormB()), this, SLOT(SlotFormB()));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigLabelText(int, QString)), this, SLOT(SlotLabelText(int, QString)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this,
            SLOT(SlotLabelTextB(QString, QString)));
    ConnectBlocking(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetForm()));
    // A function object: a slot named on_Start would be taken for a by-name slot of a widget
    // "Start", which the form does not have.
    connect(hub, &PostMsg::SigUpdateStart, this, &FormSetting::on_Start);
    connect(hub, SIGNAL(SigUpdateFrame(bool)), this, SLOT(SlotUpdateFrame(bool)));
    connect(hub, SIGNAL(SigContinue(int)), this, SLOT(SlotContinue(int)));
    // The update engine's end as the update dialog shows it; its library thread reports too, and
    // reaches the page queued.
    connect(hub, &PostMsg::SigProgress, this, [this](int, int type) {
        if (type == 1 || type == 2 || type == 5)
            DialogRunTold = true;
    });
    connect(form->scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &FormSetting::SlotScroolChange);

    ImageFolder = Theme::PictureFolder(QStringLiteral("FormSetting"));

    UpdateDialog = new UpDateRepair(nullptr);
    UpdateDialog->hide();
    // The engine's run goes on between its steps and stages, where no image is being written.
    UpdateDialog->SetRunUnderWay([this] { return UpdateUnderWay(); });
    State().UpdateDialog = UpdateDialog;
    HotPlugHooksInstance().UpdateDialogVisible = [dialog = UpdateDialog] {
        return dialog->isVisible();
    };
    WarningDialog.reset(new UpDateWarning(nullptr));
    LedGroup = new QButtonGroup(this);
    LedGroup->setExclusive(true);

    ButtonColorText = ConfigIni::instance()->color(QStringLiteral("ButtonColor"));
    form->toolButton_2->hide();
    form->toolButton_3->hide();
    form->scrollArea->setFrameShape(QFrame::NoFrame);
    // The device page's own background shows through the scrolled area.
    form->scrollArea->viewport()->setAutoFillBackground(false);
    form->comboBox->setView(new QListView(form->comboBox));
    // The page is built hidden behind the home page: its sheets wait for its first polish.
    Theme::StyleWhenPolished(this, [this] { ApplyTheme(); });

    DongleCheckTimer = new QTimer(this);
    MouseCheckTimer = new QTimer(this);
    connect(DongleCheckTimer, SIGNAL(timeout()), this, SLOT(onDongleCheckTimer()));
    connect(MouseCheckTimer, SIGNAL(timeout()), this, SLOT(onMouseCheckTimer()));
    DongleCheckTimer->setInterval(CheckIntervalMs);
    MouseCheckTimer->setInterval(CheckIntervalMs);

    LabelPos = form->label->pos();
    // Shown as stored; setting the box does not reach its click handler, so nothing is written.
    form->checkBox->setChecked(AutoStartEnabled());

    ShowSections(false, false);
    ApplyLayout(false);
    for (QCheckBox *radio : {form->ReUntil, form->ReUntil_2, form->ReUntil_3})
        LedGroup->addButton(radio);

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(State().CurrentLanguage.load());
}

FormSetting::~FormSetting()
{
    HotPlugHooksInstance().UpdateDialogVisible = nullptr;
    if (State().UpdateDialog == UpdateDialog)
        State().UpdateDialog = nullptr;
    delete UpdateDialog;
}

void FormSetting::ApplyTheme()
{
    Ui_FormSetting &f = *form;
    const QString &folder = ImageFolder;
    const QString labelStyle = Theme::LabelStyle();
    for (QLabel *label : {f.label, f.label_2, f.label_3, f.label_4, f.label_5, f.label_6, f.label_7,
                          f.label_8, f.label_9, f.label_10, f.label_11, f.label_14})
        label->setStyleSheet(labelStyle);
    const QString buttonColour = QStringLiteral("rgb(%1)").arg(ButtonColorText);
    f.pushButton_2->setStyleSheet(SettingsTheme::PictureButtonStyle(
        QStringLiteral("QPushButton"), folder, QStringLiteral("PariButton.png"), buttonColour));
    const QString labelColour = Theme::Rgb(QStringLiteral("LabelColor"));
    f.pushButton->setStyleSheet(
        QStringLiteral("QPushButton{border:none;background:transparent;color: %1;"
                       "text-align : left;padding-right:1px;}")
            .arg(labelColour));
    const QString linkStyle =
        QStringLiteral("QPushButton{border:none;background:transparent;color: %1;"
                       "text-align : right;padding-right:1px;}")
            .arg(labelColour);
    f.pushButton_3->setStyleSheet(linkStyle);
    f.pushButton_4->setStyleSheet(linkStyle);
    for (QToolButton *title : {f.TitleButton_2, f.TitleButton_3, f.TitleButton_4, f.TitleButton_5,
                               f.TitleButton_6, f.TitleButton_7, f.TitleButton_8})
        title->setStyleSheet(SettingsTheme::TitleStyle(title->objectName(), folder));
    f.toolButton->setStyleSheet(
        QStringLiteral("#toolButton{border-image: url(%1Mouse.png);}").arg(folder));
    f.comboBox->setStyleSheet(Theme::ComboBoxStyle(folder));
    for (QCheckBox *box : {f.checkBox, f.checkBox_2})
        box->setStyleSheet(
            QStringLiteral("#%1{color: rgb(255, 255, 255);}"
                           "#%1::indicator:unchecked{image: url(%2CheckBox.png);}"
                           "#%1::indicator:checked{image: url(%2CheckBoxChecked.png);}")
                .arg(box->objectName(), folder));
    const QString radio = SettingsTheme::RadioStyle(folder);
    for (QCheckBox *box : {f.ReUntil, f.ReUntil_2, f.ReUntil_3})
        box->setStyleSheet(radio);
    f.textEdit->setStyleSheet(SettingsTheme::TextBoxStyle(QStringLiteral("textEdit")));
    // The first line of each LED explanation lines up with its radio, centred in the radio's
    // height.
    for (QTextEdit *text : {f.textEdit_2, f.textEdit_3, f.textEdit_4})
        text->setStyleSheet(SettingsTheme::TextBoxStyle(text->objectName()) +
                            QStringLiteral("#%1{padding-top:4px;}").arg(text->objectName()));
    const QString marker = SettingsTheme::PictureButtonStyle(QStringLiteral("QToolButton"), folder,
                                                             QStringLiteral("Picture.png"),
                                                             QStringLiteral("rgb(255,106,0)"));
    f.toolButton_2->setStyleSheet(marker);
    f.toolButton_3->setStyleSheet(marker);
    f.scrollAreaWidgetContents->setStyleSheet(
        QStringLiteral("background-color:transparent;border:none;"));
    f.comboBox->view()->setStyleSheet(Theme::ComboListStyle());
}

void FormSetting::mousePressEvent(QMouseEvent *event)
{
    // The page keeps clicks on its free areas to itself: they do not drag the main window.
    Q_UNUSED(event);
}

void FormSetting::SetSection(const QList<QWidget *> &section, bool visible)
{
    for (QWidget *widget : section)
        widget->setVisible(visible);
}

void FormSetting::ShowSections(bool longRange, bool led)
{
    SetSection(form->longRangeSection(), longRange);
    SetSection(form->ledSection(), led);
}

void FormSetting::ApplyLayout(bool led)
{
    const Layout &layout = led ? LongLayout : ShortLayout;
    form->scrollAreaWidgetContents->setFixedSize(880, SectionOffset + layout.height);
    form->pushButton_3->move(layout.link + QPoint(0, SectionOffset));
    form->pushButton_4->move(layout.caption + QPoint(0, SectionOffset));
}

void FormSetting::SlotLanguageSameB(int language)
{
    const bool blocked = form->comboBox->blockSignals(true);
    form->comboBox->setCurrentIndex(language);
    form->comboBox->blockSignals(blocked);
}

void FormSetting::SetVerText()
{
    form->Receive_2->setText(UpToDateCaption);
}

void FormSetting::SlotLightToFrom(int seconds)
{
    for (size_t i = 0; i < SleepTimeCodes.size(); ++i) {
        // The list's codes count in units of 10 seconds.
        if (SleepTimeCodes[i] * 10 == seconds) {
            form->frameClose->SetIndex(int(i));
            return;
        }
    }
}

void FormSetting::SlotRGBValue(const DongleRGB &rgb)
{
    if (!ModelFeatures::ReceiverLedApplies(State().CurrentDeviceInfo.get()))
        return;
    SetSection(form->ledSection(), true);
    LedShownFor = State().CurrentDeviceInfo.get().Path;
    // The radios' signals stay live: a mode other than the one shown is sent back to the
    // receiver by the newly checked radio.
    const QList<QCheckBox *> radios{form->ReUntil, form->ReUntil_2, form->ReUntil_3};
    if (rgb.Mode >= 1 && rgb.Mode <= 3)
        radios.at(rgb.Mode - 1)->setChecked(true);
    ApplyLayout(true);
}

void FormSetting::SlotLongRangeMode(bool on)
{
    if (!ModelFeatures::HasLongRange(State().CurrentDeviceInfo.get()))
        return;
    SetSection(form->longRangeSection(), true);
    form->checkBox_2->setChecked(on);
}

void FormSetting::SlotForm()
{
    ApplyForm(true);
}

void FormSetting::SlotFormB()
{
    // An import or a cached record says nothing of the receiver: long range is not shown for it.
    ApplyForm(false);
}

void FormSetting::ApplyForm(bool fromDevice)
{
    const DeviceAllInfo device = State().CurrentDeviceInfo.get();
    if (!ModelFeatures::HasReceiverLed(device))
        HideLedSection(false);
    const bool longRange = ModelFeatures::HasLongRange(device);
    if (!longRange || fromDevice)
        SetSection(form->longRangeSection(), longRange);
    // A receiver's LED section waits for the receiver's own report, which follows a read of the
    // device. An imported or cached record says nothing of the receiver: what its receiver last
    // reported stays shown.
    if ((device.Kind & 0xFA) == 0 && (fromDevice || device.Path != LedShownFor))
        HideLedSection(true);
    if (device.Wired != 0) {
        SetSection(form->longRangeSection(), false);
        HideLedSection(true);
    }
}

void FormSetting::HideLedSection(bool shortLayout)
{
    SetSection(form->ledSection(), false);
    LedShownFor.clear();
    if (shortLayout)
        ApplyLayout(false);
}

void FormSetting::SlotFormResetForm()
{
    ShowSections(false, false);
    LedShownFor.clear();
    // Unticked without its handler: a reset is no user's choice, and the handler would ask the
    // device (and raise the offline notice) from inside this blocking slot.
    const bool blocked = form->checkBox_2->blockSignals(true);
    form->checkBox_2->setChecked(false);
    form->checkBox_2->blockSignals(blocked);
    ApplyLayout(false);
}

void FormSetting::SlotLabelText(int which, const QString &version)
{
    if (which == 0) {
        form->label_5->setText(version);
        State().CurrentDeviceInfo.with([&](DeviceAllInfo &device) { device.UsbVersion = version; });
    } else if (which == 1) {
        form->label_7->setText(version);
        State().CurrentDeviceInfo.with(
            [&](DeviceAllInfo &device) { device.MouseVersion = version; });
    }
}

void FormSetting::SlotLabelTextB(const QString &version, const QString &flag)
{
    form->label_5->setText(version);
    form->Receive_2->setStyleSheet(flag == QLatin1String("true") ? WaitingStyle() : ConfirmStyle());
}

QString FormSetting::ConfirmStyle() const
{
    return QStringLiteral(
               "QToolButton{border:0px;background-position:center;"
               "background-repeat:no-repeat;color: rgb(%1);border-image: url(%2Confirm.png);}")
        .arg(ButtonColorText, ImageFolder);
}

QString FormSetting::WaitingStyle() const
{
    return SettingsTheme::PictureButtonStyle(QStringLiteral("QToolButton"), ImageFolder,
                                             QStringLiteral("WaitUpdate.png"),
                                             QStringLiteral("rgb(%1)").arg(ButtonColorText)) +
           QStringLiteral("QToolButton::hover{background-image: url(%1WaitUpdateHover.png);}")
               .arg(ImageFolder);
}

void FormSetting::SlotScroolChange(int value)
{
    form->label->move(LabelPos.x(), LabelPos.y() + value + 10);
}

void FormSetting::SlotAllLanguage(int language)
{
    Ui_FormSetting &f = *form;
    const auto text = [language](int entry, const QString &fallback) {
        return FormSettingTexts.text(language, entry, fallback);
    };

    // The main window scales every font once at start-up; after that the page scales the update
    // button's fresh font itself.
    QFont updateFont = Theme::Font(10);
    const LanguagePlaces places = placesOf(language);
    if (places.update.x() < 0)
        updateFont.setPointSize(7);
    if (FontScaled || places.update.x() < 0)
        updateFont.setPointSizeF(updateFont.pointSizeF() * ScreenFontFactor());
    f.Receive_2->setFont(updateFont);
    FontScaled = true;

    f.label_5->move(places.valueX, 155);
    f.label_7->move(places.valueX, 185);
    if (places.update.x() >= 0)
        f.Receive_2->move(places.update);
    f.toolButton_2->move(460, 160);
    f.toolButton_3->move(460, 190);

    // Link texts for every language live in row 0; the second caption and the first address are
    // those of the Ukrainian page.
    const bool secondSet = language == 1 || language == 2;
    f.pushButton_4->setText(NetTexts.text(0, secondSet ? 1 : 0, f.pushButton_4->text()));
    f.pushButton_3->setText(NetTexts.text(0, secondSet ? 2 : 3, f.pushButton_3->text()));

    // The language files carry the release before this one.
    f.label->setText(
        text(VersionEntry, f.label->text()).replace(QLatin1String("1.2"), QLatin1String("1.3")));
    const struct
    {
        QLabel *label;
        int entry;
    } labels[] = {{f.label_2, 1},   {f.label_3, 2},   {f.label_4, 3},   {f.label_6, 4},
                  {f.label_8, 5},   {f.label_9, 9},   {f.label_10, 10}, {f.label_11, 12},
                  {f.label_14, 19}, {f.label_12, 39}, {f.label_13, 40}};
    for (const auto &l : labels)
        l.label->setText(text(l.entry, l.label->text()));
    f.pushButton_2->setText(text(6, f.pushButton_2->text()));
    UpdateCaption = text(UpdateCaptionEntry, UpdateCaption);
    f.Receive_2->setText(UpdateCaption);
    f.pushButton->setText(text(11, f.pushButton->text()));
    const struct
    {
        QTextEdit *box;
        int entry;
    } boxes[] = {{f.textEdit, 13},
                 {f.NewLabel, 16},
                 {f.textEdit_2, 20},
                 {f.textEdit_3, 21},
                 {f.textEdit_4, 22}};
    for (const auto &b : boxes) {
        const QString t = text(b.entry, QString());
        if (!t.isEmpty())
            b.box->setText(t);
    }
    State().UpdateWarningText.set(text(UpdateWarningEntry, State().UpdateWarningText.get()));
    DeviceNotFoundText = text(15, DeviceNotFoundText);
    SeveralDevicesText = text(17, SeveralDevicesText);
    DeviceMismatchText = text(23, DeviceMismatchText);
    WiredDeviceMissingText = text(24, WiredDeviceMissingText);
    NoMatchingDeviceText = text(25, NoMatchingDeviceText);
    SeveralWiredText = text(26, SeveralWiredText);
    SeveralReceiversText = text(27, SeveralReceiversText);
    UpToDateCaption = text(UpToDateEntry, UpToDateCaption);
    for (int i = 0; i < int(SleepTimeCodes.size()); ++i) {
        const QString item = text(FirstSleepTimeEntry + i, QString());
        if (!item.isEmpty())
            f.frameClose->SetItemText(i, item);
    }
}

bool FormSetting::FindFirmwareFile(int target, const QString &deviceVersion,
                                   const QString &identifier, int cid, int mid)
{
    return FirmwareImages::FindFirmwareFile(target, deviceVersion, identifier, cid, mid);
}

bool FormSetting::CheckNewFirmware(int target, const QString &versionText, int receiverClass)
{
    const int driveIndex = State().CurrentDeviceInfo.get().DriveIndex;
    return FirmwareImages::CheckNewFirmware(target, versionText, receiverClass, driveIndex);
}
