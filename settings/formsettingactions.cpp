// What the user does on the settings page: the language, start with the desktop session, the
// receiver LED mode, the long-range mode, pairing, the link and the desktop's mouse settings.
#include "core/deviceserver.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/settingsstore.h"
#include "platform/desktop/urlopener.h"
#include "platform/devicelib/devicelib.h"
#include "platform/mousesettings.h"
#include "settings/formsetting.h"
#include "settings/match.h"
#include "settings/ui_formsetting.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/updatewarning.h"
#include "shell/widgets/mybutton.h"

#include <QUrl>

namespace {

// The pairing dialog stands a little left of and above the page's centre, clear of the tabs.
constexpr QPoint PairingOffset{-70, -30};
// The page's text table: the notice when the desktop has no mouse settings program.
constexpr int NoMouseSettingsEntry = 8;

} // namespace

void FormSetting::on_comboBox_activated(int index)
{
    StoreLanguage(index);
    State().CurrentLanguage = index;
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAllLanguage(index);
    emit hub->SigLanguageSameA(index);
}

void FormSetting::on_checkBox_clicked(bool checked)
{
    RegistryValues::SetStartWithSystem(checked);
}

void FormSetting::on_ReUntil_toggled(bool checked)
{
    LedModeToggled(1, checked);
}

void FormSetting::on_ReUntil_2_toggled(bool checked)
{
    LedModeToggled(2, checked);
}

void FormSetting::on_ReUntil_3_toggled(bool checked)
{
    LedModeToggled(3, checked);
}

// Also reached from inside SlotRGBValue, while the device-event callback waits: the receiver
// then gets back the mode it reported when another one was shown.
void FormSetting::LedModeToggled(int mode, bool checked)
{
    if (State().WriteEnabled.load() == 0)
        return;
    // Asked for the radio that went off as well as for the one that came on.
    if (!CheckDeviceOnline())
        return;
    if (!checked)
        return;
    const DongleRGB rgb = State().CurrentDongleRGB.with([mode](DongleRGB &current) {
        current.Mode = quint8(mode);
        return current;
    });
    const QByteArray path = State().DevicePath.get();
    UsbFinderC_Set4KDongleRGB(path.constData(), reinterpret_cast<const unsigned char *>(&rgb));
}

void FormSetting::on_checkBox_2_toggled(bool on)
{
    if (State().WriteEnabled.load() == 0 || !CheckDeviceOnline())
        return;
    const QByteArray path = State().DevicePath.get();
    UsbFinderC_SetLongRangeMode(path.constData(), on ? 1 : 0);
}

void FormSetting::on_pushButton_2_clicked()
{
    {
        Match pairing;
        pairing.PrepareMatch();
        NoticeFrame::place(&pairing, this, PairingOffset);
        pairing.exec();
    }
    // Whatever the outcome: the pairing ran the device server with its own callback and closing
    // the dialog gave hot-plug notification to the home page.
    restartDeviceServer();
}

void FormSetting::on_pushButton_3_clicked()
{
    const QUrl url(form->pushButton_3->text(), QUrl::TolerantMode);
    // Only a web address: the link table is a file beside the program, and a link to anything
    // else (a local file, a program's scheme) is not what the link is for.
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return;
    UrlOpener::open(url);
}

void FormSetting::on_pushButton_clicked()
{
    if (MouseSettings::open())
        return;
    ShowUpdateWarning(
        FormSettingTexts.text(State().CurrentLanguage.load(), NoMouseSettingsEntry, QString()));
}

// Shown without waiting for it: the page's own notice, modal over the program.
void FormSetting::ShowUpdateWarning(const QString &text)
{
    WarningDialog->SetText(text);
    WarningDialog->setWindowModality(Qt::ApplicationModal);
    NoticeFrame::place(WarningDialog.get(), this, NoticeOffset::UpDateWarningSettings);
    WarningDialog->show();
}
