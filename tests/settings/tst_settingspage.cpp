#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/desktop/screenmetrics.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/formsetting.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// The device-event callback's signals come from a library thread, several of them blocking.
bool fromLibrary(const std::function<void()> &emission)
{
    return runOnWorkerThread(emission);
}

bool reportLed(int mode)
{
    state().CurrentDongleRGB.with([mode](DongleRGB &rgb) { rgb.Mode = quint8(mode); });
    return fromLibrary([] { emit hub()->SigRGBValue(state().CurrentDongleRGB.get()); });
}

bool reportForm()
{
    return fromLibrary([] { emit hub()->SigForm(); });
}

bool reportLongRange(bool on)
{
    return fromLibrary([on] { emit hub()->SigLongRangeMode(on); });
}

// What the page shows of its two receiver sections, the page height and the radio checked
// (0 none, else the mode).
struct Shown
{
    bool longRange;
    bool led;
    int height;
    int checkedMode;
};

Shown shown(const FormSetting &page)
{
    int checked = 0;
    const char *radios[] = {"ReUntil", "ReUntil_2", "ReUntil_3"};
    for (int i = 0; i < 3; ++i) {
        if (child<QCheckBox>(&page, radios[i])->isChecked())
            checked = i + 1;
    }
    return {!child<QCheckBox>(&page, "checkBox_2")->isHidden(),
            !child<QCheckBox>(&page, "ReUntil")->isHidden(),
            child<QWidget>(&page, "scrollAreaWidgetContents")->height(), checked};
}

// The page's widgets of one section are shown and hidden together.
bool sectionConsistent(const FormSetting &page)
{
    const QStringList longRange{"TitleButton_6", "label_11", "checkBox_2", "textEdit"};
    const QStringList led{"TitleButton_7", "label_14",   "ReUntil",    "ReUntil_2",
                          "ReUntil_3",     "textEdit_2", "textEdit_3", "textEdit_4"};
    for (const QStringList &section : {longRange, led}) {
        const bool hidden = page.findChild<QWidget *>(section.first())->isHidden();
        for (const QString &name : section) {
            if (page.findChild<QWidget *>(name)->isHidden() != hidden)
                return false;
        }
    }
    return true;
}

} // namespace

class TestSettingsPage : public QObject
{
    Q_OBJECT
private slots:
    // A model without long range or receiver LED ("-1,-1") never shows either section, whatever
    // the device reports; nor does a model whose list is too short to name them.
    void modelWithoutTheFeaturesShowsNeither_data()
    {
        QTest::addColumn<QByteArray>("configIni");
        QTest::addColumn<int>("driveIndex");
        QTest::newRow("-1,-1") << QByteArray() << 2;
        QTest::newRow("no Adveanced list")
            << QByteArray("[Option]\nCID=MTI=\n[Drive1]\nMID=10\n") << 0;
        QTest::newRow("empty Adveanced list")
            << QByteArray("[Option]\nCID=MTI=\n[Drive1]\nMID=10\nAdveanced=\n") << 0;
    }
    void modelWithoutTheFeaturesShowsNeither()
    {
        QFETCH(QByteArray, configIni);
        QFETCH(int, driveIndex);
        SettingsBench bench(ReceiverWithMouse);
        QVERIFY(bench.ok());
        if (!configIni.isEmpty())
            bench.useConfigIni(configIni);
        SettingsBench::select(receiverPath(), 1, driveIndex);
        FormSetting page;
        QVERIFY(reportForm());
        QVERIFY(reportLongRange(true));
        QVERIFY(reportLed(2));
        const Shown now = shown(page);
        QVERIFY(!now.longRange);
        QVERIFY(!now.led);
        QCOMPARE(now.height, 710);
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);
    }

    // A model whose list names long range only ("1"): the missing LED item counts as absent.
    void aShortListOffersLongRangeOnly()
    {
        SettingsBench bench(ReceiverWithMouse);
        bench.useConfigIni("[Option]\nCID=MTI=\n[Drive1]\nMID=10\nAdveanced=1\n");
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(reportForm());
        QVERIFY(reportLed(2));
        QVERIFY(shown(page).longRange);
        QVERIFY(!shown(page).led);
    }

    // The kind-1 receiver of the first model: the form shows long range; the LED section comes
    // with the receiver's report, the page grows to its long layout and the links move down by
    // 170; the radio of the reported mode is checked and, as it was not checked before, its mode
    // goes back to the receiver. A later form hides the section again.
    void ledSectionComesWithTheReport()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        auto *link = child<QPushButton>(&page, "pushButton_3");
        auto *caption = child<QPushButton>(&page, "pushButton_4");
        QVERIFY(reportForm());
        Shown now = shown(page);
        QVERIFY(now.longRange);
        QVERIFY(!now.led);
        QCOMPARE(now.height, 710);
        QCOMPARE(link->pos(), QPoint(610, 620));
        QCOMPARE(caption->pos(), QPoint(490, 640));

        QVERIFY(reportLed(2));
        now = shown(page);
        QVERIFY(now.led);
        QCOMPARE(now.checkedMode, 2);
        QCOMPARE(now.height, 860);
        QCOMPARE(link->pos(), QPoint(610, 790));
        QCOMPARE(caption->pos(), QPoint(490, 810));
        QCOMPARE(receiverLedMode(), 2);
        QVERIFY(sectionConsistent(page));

        // The same mode again sends nothing.
        SimulationControl::clearLog();
        QVERIFY(reportLed(2));
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).size(), 0);

        QVERIFY(reportForm());
        now = shown(page);
        QVERIFY(now.longRange);
        QVERIFY(!now.led);
        QCOMPARE(now.height, 710);
        QCOMPARE(link->pos(), QPoint(610, 620));
        QVERIFY(sectionConsistent(page));
    }

    // Which LED reports the section follows, on a fresh page.
    void ledReports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("shows");
        QTest::addColumn<int>("checkedMode");
        QTest::newRow("kind 1, mode 3") << 1 << 3 << true << 3;
        QTest::newRow("kind 1, mode 4: shown, nothing checked") << 1 << 4 << true << 0;
        QTest::newRow("kind 1, mode 0: shown, nothing checked") << 1 << 0 << true << 0;
        QTest::newRow("receiver of another kind") << 5 << 2 << false << 0;
        QTest::newRow("mouse on its cable") << 2 << 2 << false << 0;
    }
    void ledReports()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        QFETCH(bool, shows);
        QFETCH(int, checkedMode);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), kind);
        FormSetting page;
        QVERIFY(reportLed(mode));
        QCOMPARE(shown(page).led, shows);
        QCOMPARE(shown(page).checkedMode, checkedMode);
        QCOMPARE(shown(page).height, shows ? 860 : 710);
    }

    // The mouse on its cable has neither section, whatever the form says before.
    void wiredDeviceHidesBoth()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(reportLed(1));
        QVERIFY(reportForm());
        QVERIFY(shown(page).longRange);
        SettingsBench::select(SimulationControl::cablePath(QStringLiteral("M")), 2);
        QVERIFY(reportForm());
        QVERIFY(!shown(page).longRange);
        QVERIFY(!shown(page).led);
        QCOMPARE(shown(page).height, 710);
    }

    // A restored or imported record never brings the long-range section back.
    void formBNeverShowsLongRange()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        emit hub()->SigFormB();
        QVERIFY(!shown(page).longRange);
        QVERIFY(reportForm());
        QVERIFY(shown(page).longRange);
        emit hub()->SigFormB();
        QVERIFY(shown(page).longRange);
    }

    // An imported or cached record says nothing of the receiver: the LED section its receiver
    // reported stays, with its mode and the long layout. Another device's does not.
    void formBKeepsTheReceiversLedSection()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(reportForm());
        QVERIFY(reportLed(3));
        emit hub()->SigFormB();
        Shown now = shown(page);
        QVERIFY(now.led);
        QCOMPARE(now.checkedMode, 3);
        QCOMPARE(now.height, 860);
        QVERIFY(sectionConsistent(page));

        DeviceAllInfo other = state().CurrentDeviceInfo.get();
        other.Path += QStringLiteral("-other");
        state().CurrentDeviceInfo.set(other);
        emit hub()->SigFormB();
        now = shown(page);
        QVERIFY(!now.led);
        QCOMPARE(now.height, 710);
    }

    // A long-range report shows the section with the box set; the box's handler sends the state
    // to the receiver, which then holds it.
    void longRangeReport()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(reportLongRange(true));
        QVERIFY(shown(page).longRange);
        QVERIFY(child<QCheckBox>(&page, "checkBox_2")->isChecked());
        QCOMPARE(receiverLongRange(), 1);
        QVERIFY(reportLongRange(false));
        QVERIFY(!child<QCheckBox>(&page, "checkBox_2")->isChecked());
        QCOMPARE(receiverLongRange(), 0);
    }

    // A reset (no device record) hides both sections and unticks long range without sending,
    // and without the offline notice even when the mouse does not answer.
    void formResetSendsNothing()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(reportLongRange(true));
        QVERIFY(reportLed(3));
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        SimulationControl::clearLog();
        QSignalSpy offline(hub(), &PostMsg::SigMouseOffLineo);

        QVERIFY(fromLibrary([] { emit hub()->SigFormReset(); }));
        QVERIFY(!shown(page).longRange);
        QVERIFY(!shown(page).led);
        QCOMPARE(shown(page).height, 710);
        QVERIFY(!child<QCheckBox>(&page, "checkBox_2")->isChecked());
        QVERIFY(SimulationControl::calls().isEmpty());
        QCOMPARE(offline.size(), 0);
        QCOMPARE(receiverLongRange(), 1);
    }

    void sleepTimeInSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("index");
        QTest::newRow("10 s") << 10 << 0;
        QTest::newRow("1 min") << 60 << 2;
        QTest::newRow("10 min") << 600 << 4;
        QTest::newRow("40 min") << 2400 << 10;
        QTest::newRow("45 s is no entry: unchanged") << 45 << 6;
        QTest::newRow("0 s: unchanged") << 0 << 6;
    }
    void sleepTimeInSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(int, index);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        auto *list = child<QComboBox>(&page, "StopClose");
        emit hub()->SigLightToFrom(1200);
        QCOMPARE(list->currentIndex(), 6);
        SimulationControl::clearLog();
        emit hub()->SigLightToFrom(seconds);
        QCOMPARE(list->currentIndex(), index);
        // Showing a time writes nothing.
        QVERIFY(SimulationControl::calls(QStringLiteral("ProtocolDataUpdate")).isEmpty());
    }

    // The texts of both languages, the version brought to the current release, the links of each
    // language and the sleep times in the page's own list.
    void texts_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void texts()
    {
        QFETCH(int, language);
        SettingsBench bench(ReceiverWithMouse);
        state().CurrentLanguage = language;
        FormSetting page;
        const auto entry = [language](int i) { return FormSettingTexts.text(language, i, "?"); };
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), entry(1));
        QCOMPARE(child<QLabel>(&page, "label_13")->text(), entry(40));
        QCOMPARE(child<QPushButton>(&page, "pushButton_2")->text(), entry(6));
        QCOMPARE(child<QTextEdit>(&page, "textEdit_4")->toPlainText(), entry(22));
        QCOMPARE(child<QComboBox>(&page, "StopClose")->itemText(10), entry(38));
        QCOMPARE(page.UpToDateCaption, entry(18));
        QCOMPARE(state().UpdateWarningText.get(), entry(14));
        QCOMPARE(child<QPushButton>(&page, "pushButton_4")->text(),
                 NetTexts.text(0, language == 1 ? 1 : 0, "?"));
        QCOMPARE(child<QPushButton>(&page, "pushButton_3")->text(),
                 NetTexts.text(0, language == 1 ? 2 : 3, "?"));
        QCOMPARE(child<QLabel>(&page, "label_5")->x(), 200);
        QCOMPARE(child<QLabel>(&page, "label_7")->pos(), QPoint(200, 185));

        // Switching language on the hub changes the texts of a page already built.
        emit hub()->SigAllLanguage(1 - language);
        QCOMPARE(child<QLabel>(&page, "label_2")->text(),
                 FormSettingTexts.text(1 - language, 1, "?"));
        state().CurrentLanguage = 0;
    }

    // A version text of the release before this one is shown as this release's.
    void versionTextIsBroughtToThisRelease()
    {
        SettingsBench bench(ReceiverWithMouse);
        const TextTable shipped = FormSettingTexts;
        FormSettingTexts.clear();
        FormSettingTexts.appendRow({QStringLiteral("Version 1.2.1 (1.2)")});
        FormSetting page;
        FormSettingTexts = shipped;
        QCOMPARE(child<QLabel>(&page, "label")->text(), QStringLiteral("Version 1.3.1 (1.3)"));
    }

    // The update button's font is scaled for the screen after the main window's start-up scaling,
    // which covers the first texts: only later language changes scale it.
    void updateButtonFontScalesAfterTheFirstTexts()
    {
        SettingsBench bench(ReceiverWithMouse);
        ScreenMetrics::setHorizontalDpiOverride(120);
        FormSetting page;
        auto *update = child<QToolButton>(&page, "Receive_2");
        QCOMPARE(update->font().pointSizeF(), 10.0);
        emit hub()->SigAllLanguage(0);
        QVERIFY(qAbs(update->font().pointSizeF() - 8.0) < 0.01);
        emit hub()->SigAllLanguage(0);
        QVERIFY(qAbs(update->font().pointSizeF() - 8.0) < 0.01);
        ScreenMetrics::setHorizontalDpiOverride(0);
    }

    // The version labels: code 0 shows what the current device reported (the receiver's of the
    // wireless entry beside a mouse on its cable, none of the mouse while it sleeps), code 6
    // empties them; a version the update engine reports goes to the label and the device.
    void versionLabels()
    {
        SettingsBench bench(ReceiverWithMouse);
        DeviceAllInfo device = SettingsBench::select(receiverPath(), 1);
        device.UsbVersion = QStringLiteral("v2.03");
        device.MouseVersion = QStringLiteral("v1.05");
        state().CurrentDeviceInfo.set(device);
        FormSetting page;
        auto *receiver = child<QLabel>(&page, "label_5");
        auto *mouse = child<QLabel>(&page, "label_7");
        emit hub()->SigSetver(0);
        QCOMPARE(receiver->text(), QStringLiteral("v2.03"));
        QCOMPARE(mouse->text(), QStringLiteral("v1.05"));
        emit hub()->SigSetver(6);
        QCOMPARE(receiver->text(), QString());
        QCOMPARE(mouse->text(), QString());

        DeviceAllInfo partner = device;
        partner.ReceiverId = {1, 2, 3};
        partner.UsbVersion = QStringLiteral("v2.10");
        DeviceAllInfo cable = device;
        cable.Kind = 2;
        cable.Wired = 1;
        cable.UsbVersion = QStringLiteral("v9.99");
        DeviceLists::instance()->DevicePageList.set({cable, partner});
        state().CurrentDeviceInfo.set(cable);
        emit hub()->SigSetver(0);
        QCOMPARE(receiver->text(), QStringLiteral("v2.10"));
        QCOMPARE(mouse->text(), QStringLiteral("v1.05"));

        device.Online = 0;
        state().CurrentDeviceInfo.set(device);
        emit hub()->SigSetver(0);
        QCOMPARE(receiver->text(), QStringLiteral("v2.03"));
        QCOMPARE(mouse->text(), QString());

        emit hub()->SigLabelText(1, QStringLiteral("v1.07"));
        emit hub()->SigLabelText(0, QStringLiteral("v2.11"));
        emit hub()->SigLabelText(2, QStringLiteral("v0.00"));
        QCOMPARE(mouse->text(), QStringLiteral("v1.07"));
        QCOMPARE(receiver->text(), QStringLiteral("v2.11"));
        QCOMPARE(state().CurrentDeviceInfo.get().MouseVersion, QStringLiteral("v1.07"));
        QCOMPARE(state().CurrentDeviceInfo.get().UsbVersion, QStringLiteral("v2.11"));
    }

    // The version stays in view while the page scrolls; the other page's language choice is
    // shown without being made again.
    void scrollingAndTheOtherLanguageBox()
    {
        SettingsBench bench(ReceiverWithMouse);
        FormSetting page;
        page.show();
        auto *version = child<QLabel>(&page, "label");
        const QPoint start = version->pos();
        QScrollBar *bar = child<QScrollArea>(&page, "scrollArea")->verticalScrollBar();
        bar->setValue(50);
        QCOMPARE(version->pos(), start + QPoint(0, 60));

        QSignalSpy chosen(hub(), &PostMsg::SigAllLanguage);
        emit hub()->SigLanguageSameB(1);
        QCOMPARE(child<QComboBox>(&page, "comboBox")->currentIndex(), 1);
        QCOMPARE(chosen.size(), 0);
    }

    // Every picture the page's style sheets name is shipped, and the start-up box shows the
    // stored choice.
    void picturesAndStoredChoice()
    {
        SettingsBench bench(ReceiverWithMouse);
        FormSetting page;
        // The page sets its sheets when it is first polished (before it first shows).
        page.ensurePolished();
        QVERIFY(!referencedPictures(&page).isEmpty());
        QCOMPARE(missingPictures(&page), QStringList());
        QVERIFY(!child<QCheckBox>(&page, "checkBox")->isChecked());
        QVERIFY(child<QToolButton>(&page, "Receive_2")->isHidden());
        QVERIFY(child<QWidget>(&page, "NewLabel")->isHidden());
    }
};

ZR35_TEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
