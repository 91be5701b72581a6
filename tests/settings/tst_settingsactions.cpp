#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/settingsstore.h"
#include "platform/desktop/urlopener.h"
#include "platform/desktopentry.h"
#include "platform/devicelib/simulationcontrol.h"
#include "platform/mousesettings.h"
#include "platform/registry.h"
#include "settings/formsetting.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

#include <cstring>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// The page with the receiver LED section shown, mode 1 checked (as the receiver reported it).
bool showLedSection()
{
    state().CurrentDongleRGB.with([](DongleRGB &rgb) { rgb.Mode = 1; });
    return runOnWorkerThread([] { emit hub()->SigRGBValue(state().CurrentDongleRGB.get()); });
}

int calls(const char *operation)
{
    return SimulationControl::calls(QLatin1String(operation)).size();
}

// The notice dialogs on screen (they have no parent).
QWidget *shownNotice()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("UpDateWarning") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

FlashDataMap mouseRecord()
{
    FlashDataMap record{};
    const QByteArray bytes = SimulationControl::storedRecord(QStringLiteral("M"));
    if (bytes.size() == int(FlashDataMap::Size))
        std::memcpy(record.bytes(), bytes.constData(), FlashDataMap::Size);
    return record;
}

} // namespace

class TestSettingsActions : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        UrlOpener::setHandler(nullptr);
        MouseSettings::setRunner(nullptr);
        state().CurrentLanguage = 0;
    }

    // The choice is stored and announced: every form first, then the home page's box.
    void languageChoice()
    {
        SettingsBench bench(ReceiverWithMouse);
        FormSetting page;
        QStringList heard;
        const auto a = connect(hub(), &PostMsg::SigAllLanguage,
                               [&](int l) { heard << QStringLiteral("All(%1)").arg(l); });
        const auto b = connect(hub(), &PostMsg::SigLanguageSameA,
                               [&](int l) { heard << QStringLiteral("SameA(%1)").arg(l); });
        emit child<QComboBox>(&page, "comboBox")->activated(1);
        disconnect(a);
        disconnect(b);
        QCOMPARE(heard, QStringList({"All(1)", "SameA(1)"}));
        QCOMPARE(SettingsStore::instance()->value(QStringLiteral("Language"),
                                                  QStringLiteral("Language")),
                 QStringLiteral("1"));
        QCOMPARE(state().CurrentLanguage.load(), 1);
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), FormSettingTexts.text(1, 1, "?"));
        StoreLanguage(0);
    }

    // Ticking the box makes the desktop's autostart entry that starts this program under its own
    // name and stores "1"; unticking removes it and stores "0", also when there was no entry to
    // remove.
    void startWithTheDesktop()
    {
        SettingsBench bench(ReceiverWithMouse);
        const QString entry = Registry::autostartFilePath(QCoreApplication::applicationName());
        QFile::remove(entry);
        StoreAutoStartEnabled(true);
        FormSetting page;
        auto *box = child<QCheckBox>(&page, "checkBox");
        QVERIFY(box->isChecked()); // the stored choice, although the entry is gone

        box->click();
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(
            SettingsStore::instance()->value(QStringLiteral("AutoStart"), QStringLiteral("Enable")),
            QStringLiteral("0"));

        box->click();
        QFile file(entry);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(entry));
        const QByteArray content = file.readAll();
        QCOMPARE(DesktopEntry::execCommand(content), QCoreApplication::applicationFilePath());
        // The desktop lists the entry by the program's name, not by the executable's.
        QVERIFY2(content.contains("\nName=ZR35 Mouse Software\n"), content.constData());
        QCOMPARE(
            SettingsStore::instance()->value(QStringLiteral("AutoStart"), QStringLiteral("Enable")),
            QStringLiteral("1"));

        box->click();
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!AutoStartEnabled());
    }

    // A radio the user picks sends its mode to the receiver, which keeps it.
    void ledModeReachesTheReceiver()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(showLedSection());
        SimulationControl::clearLog();
        child<QCheckBox>(&page, "ReUntil_3")->click();
        QCOMPARE(calls("UsbFinderC_Set4KDongleRGB"), 1);
        QCOMPARE(receiverLedMode(), 3);
        QCOMPARE(int(state().CurrentDongleRGB.get().Mode), 3);
        QVERIFY(!child<QCheckBox>(&page, "ReUntil")->isChecked());
    }

    // With the mouse asleep a change of radio asks for the radio that went off and for the one
    // that came on: two offline notices, nothing sent; the radio keeps what the user chose. With
    // writes disabled nothing happens at all.
    void offlineOrDisabledRadioSendsNothing_data()
    {
        QTest::addColumn<bool>("writesEnabled");
        QTest::addColumn<int>("notices");
        QTest::newRow("mouse asleep") << true << 2;
        QTest::newRow("writes disabled") << false << 0;
    }
    void offlineOrDisabledRadioSendsNothing()
    {
        QFETCH(bool, writesEnabled);
        QFETCH(int, notices);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        QVERIFY(showLedSection());
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        state().WriteEnabled = writesEnabled ? 1 : 0;
        SimulationControl::clearLog();
        QSignalSpy offline(hub(), &PostMsg::SigMouseOffLineo);
        child<QCheckBox>(&page, "ReUntil_2")->click();
        QCOMPARE(offline.size(), notices);
        for (const QList<QVariant> &notice : offline)
            QCOMPARE(notice.at(0).toInt(), 0);
        QCOMPARE(calls("UsbFinderC_Set4KDongleRGB"), 0);
        QVERIFY(child<QCheckBox>(&page, "ReUntil_2")->isChecked());
        QCOMPARE(calls("UsbFinderC_GetDeviceOnLine"), writesEnabled ? 2 : 0);
    }

    // Both states of the box reach the receiver; asleep, the mouse gets the offline notice and
    // the receiver nothing.
    void longRangeReachesTheReceiver()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        FormSetting page;
        auto *box = child<QCheckBox>(&page, "checkBox_2");
        box->click();
        QCOMPARE(receiverLongRange(), 1);
        box->click();
        QCOMPARE(receiverLongRange(), 0);

        QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        SimulationControl::clearLog();
        QSignalSpy offline(hub(), &PostMsg::SigMouseOffLineo);
        box->click();
        QCOMPARE(offline.size(), 1);
        QCOMPARE(calls("UsbFinderC_SetLongRangeMode"), 0);
        QCOMPARE(receiverLongRange(), 0);
        QVERIFY(box->isChecked());
    }

    // The link opens only a web address: the link table is a file beside the program, and an
    // address of another kind (a local file, a program's scheme) is refused.
    void linkOpensOnlyWebAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("opens");
        QTest::newRow("https") << "https://example.org/" << true;
        QTest::newRow("http with a path") << "http://example.org/uk/" << true;
        QTest::newRow("upper-case scheme") << "HTTPS://example.org/" << true;
        QTest::newRow("a local file") << "file:///etc/passwd" << false;
        QTest::newRow("a script") << "javascript:alert(1)" << false;
        QTest::newRow("no scheme") << "example.org" << false;
        QTest::newRow("another scheme") << "ftp://example.org/" << false;
        QTest::newRow("no host") << "https://" << false;
        QTest::newRow("empty") << "" << false;
    }
    void linkOpensOnlyWebAddresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, opens);
        SettingsBench bench(ReceiverWithMouse);
        FormSetting page;
        QList<QUrl> opened;
        UrlOpener::setHandler([&](const QUrl &url) {
            opened << url;
            return true;
        });
        auto *link = child<QPushButton>(&page, "pushButton_3");
        link->setText(text);
        link->click();
        QCOMPARE(opened.size(), opens ? 1 : 0);
        if (opens)
            QCOMPARE(opened.first(), QUrl(text, QUrl::TolerantMode));
    }

    // The shipped link of each language is one the page opens.
    void shippedLinksOpen()
    {
        SettingsBench bench(ReceiverWithMouse);
        for (int language : {0, 1}) {
            state().CurrentLanguage = language;
            FormSetting page;
            int opened = 0;
            UrlOpener::setHandler([&](const QUrl &) { return ++opened > 0; });
            child<QPushButton>(&page, "pushButton_3")->click();
            QCOMPARE(opened, 1);
        }
    }

    // Without a mouse settings program on the desktop (none installed, or none that starts) the
    // page says so in its own notice; with one, the program starts and nothing is shown.
    void mouseSettings_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("starts");
        QTest::newRow("a program starts") << true << true;
        QTest::newRow("the program does not start") << true << false;
        QTest::newRow("no program") << false << false;
    }
    void mouseSettings()
    {
        QFETCH(bool, installed);
        QFETCH(bool, starts);
        SettingsBench bench(ReceiverWithMouse);
        const QByteArray path = qgetenv("PATH");
        QFile program(bench.folder() + QStringLiteral("/gnome-control-center"));
        if (installed) {
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\nexit 0\n");
            program.close();
            program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(bench.folder()));
        state().CurrentLanguage = 1;
        FormSetting page;
        page.show();
        QStringList started;
        MouseSettings::setRunner([&](const QString &name, const QStringList &arguments) {
            started << QFileInfo(name).fileName() + QLatin1Char(' ') + arguments.join(' ');
            return starts;
        });
        child<QPushButton>(&page, "pushButton")->click();
        qputenv("PATH", path);
        QCOMPARE(started, installed ? QStringList{"gnome-control-center mouse"} : QStringList());
        QWidget *notice = shownNotice();
        QCOMPARE(notice != nullptr, !starts);
        if (notice) {
            QCOMPARE(notice->findChild<QLabel *>(QStringLiteral("label"))->text(),
                     FormSettingTexts.text(1, 8, "?"));
            QVERIFY(notice->isModal());
            notice->close();
        }
    }

    // The sleep-time list writes the chosen time to the mouse, in units of 10 seconds.
    void sleepTimeReachesTheMouse_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        QTest::newRow("10 s") << 0 << 1;
        QTest::newRow("1 min") << 2 << 6;
        QTest::newRow("40 min") << 10 << 240;
    }
    void sleepTimeReachesTheMouse()
    {
        QFETCH(int, index);
        QFETCH(int, stored);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        QVERIFY(SettingsBench::readDevice());
        FormSetting page;
        emit child<QComboBox>(&page, "StopClose")->activated(index);
        QCOMPARE(int(mouseRecord().SleepTime), stored);

        // With writes disabled the choice is only shown.
        state().WriteEnabled = 0;
        emit child<QComboBox>(&page, "StopClose")->activated(index == 0 ? 1 : 0);
        QCOMPARE(int(mouseRecord().SleepTime), stored);
    }
};

ZR35_TEST_MAIN(TestSettingsActions)
#include "tst_settingsactions.moc"
