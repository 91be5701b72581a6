#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "settings/repairrun.h"
#include "settings/updaterepair.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QToolButton>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// The dialog's widgets by their form names.
struct Widgets
{
    explicit Widgets(const UpDateRepair &dialog)
        : message(dialog.findChild<QLabel *>(QStringLiteral("ToolText_2"))),
          notice(dialog.findChild<QLabel *>(QStringLiteral("ToolText"))),
          start(dialog.findChild<QToolButton *>(QStringLiteral("NewHong_2"))),
          cancel(dialog.findChild<QToolButton *>(QStringLiteral("NewHong"))),
          close(dialog.findChild<QToolButton *>(QStringLiteral("CloseButton"))),
          bar(dialog.findChild<QProgressBar *>(QStringLiteral("progressBar_2")))
    {}
    QLabel *message;
    QLabel *notice;
    QToolButton *start;
    QToolButton *cancel;
    QToolButton *close;
    QProgressBar *bar;
};

// The layout a test names, on a shown dialog: the settings page's update running at 40 %, its
// end, or the repair check's notice.
void showLayout(UpDateRepair &dialog, const QString &layout)
{
    dialog.ResetUi();
    if (layout == QLatin1String("ready")) {
        dialog.ShowReady();
    } else if (layout == QLatin1String("notice")) {
        dialog.SetNoticeText(dialog.NoImageText);
        dialog.ShowNotice();
    } else {
        dialog.ShowRunning();
        emit hub()->SigProgress(40, 0);
        if (layout == QLatin1String("done"))
            emit hub()->SigProgress(0, 2);
        else if (layout == QLatin1String("failed"))
            emit hub()->SigProgress(0, 1);
        else if (layout == QLatin1String("repair failed"))
            emit hub()->SigProgress(0, 6);
    }
}

} // namespace

class TestUpDateRepair : public QObject
{
    Q_OBJECT
private slots:
    // The shipped texts, as the main window loads them at start.
    void initTestCase() { LoadLanguageFiles(); }
    void init()
    {
        DeviceState::ResetForTest();
        RepairRun::Shared().set(RepairRun::State());
    }

    // Only type 0 takes the value; the failures and the success enable the close buttons again
    // and say how the update ended; type 6 leaves the start button as the running layout left it;
    // any other type changes nothing. Every type puts Return and Escape back on the buttons.
    void progressTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message"); // running, failed or done
        QTest::addColumn<bool>("startShown");
        QTest::addColumn<bool>("cancelShown");
        QTest::addColumn<bool>("closeEnabled");
        QTest::addColumn<int>("bar");
        QTest::newRow("0 progress") << 0 << "running" << false << false << false << 37;
        QTest::newRow("1 failed") << 1 << "failed" << true << true << true << 10;
        QTest::newRow("2 done") << 2 << "done" << true << true << true << 100;
        QTest::newRow("5 failed half way") << 5 << "failed" << true << true << true << 50;
        QTest::newRow("6 repair failed") << 6 << "failed" << false << true << true << 10;
        QTest::newRow("3 unknown") << 3 << "running" << false << false << false << 10;
        QTest::newRow("7 unknown") << 7 << "running" << false << false << false << 10;
    }
    void progressTypes()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(bool, startShown);
        QFETCH(bool, cancelShown);
        QFETCH(bool, closeEnabled);
        QFETCH(int, bar);
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        dialog.ResetUi();
        dialog.ShowRunning();
        emit hub()->SigProgress(10, 0);
        w.start->setShortcut(QKeySequence());
        w.cancel->setShortcut(QKeySequence());

        emit hub()->SigProgress(37, type);

        const QString expected = message == QLatin1String("running") ? dialog.RunningText
                                 : message == QLatin1String("done")  ? dialog.RepairDoneText
                                                                     : dialog.RepairFailText;
        QCOMPARE(w.message->text(), expected);
        QVERIFY(w.message->isVisible());
        QCOMPARE(w.start->isVisible(), startShown);
        if (startShown)
            QCOMPARE(w.start->text(), dialog.OkText);
        QCOMPARE(w.cancel->isVisible(), cancelShown);
        QCOMPARE(w.cancel->isEnabled(), cancelShown);
        QCOMPARE(w.close->isEnabled(), closeEnabled);
        QVERIFY(w.bar->isVisible());
        QCOMPARE(w.bar->value(), bar);
        QCOMPARE(w.start->shortcut(), QKeySequence(Qt::Key_Return));
        QCOMPARE(w.cancel->shortcut(), QKeySequence(Qt::Key_Escape));
    }

    // The repair's own end: the message and the OK caption change; the close buttons follow with
    // the SigProgress that comes with it.
    void repairResult_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("repaired") << 0;
        QTest::newRow("failed") << 1;
    }
    void repairResult()
    {
        QFETCH(int, result);
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        dialog.ResetUi();
        dialog.ShowRunning();
        emit hub()->SigAutoRepairProgress(55);
        QCOMPARE(w.bar->value(), 55);
        emit hub()->SigAutoRepair(result);
        QCOMPARE(w.message->text(), result == 0 ? dialog.RepairDoneText : dialog.RepairFailText);
        QCOMPARE(w.start->text(), dialog.OkText);
        QVERIFY(w.cancel->isVisible());
        QVERIFY(!w.close->isEnabled());
    }

    // While an image is written nothing closes the dialog: not its buttons, not Escape, not the
    // window's close request. Once the writing ended, Escape closes it.
    void noCloseWhileWriting_data()
    {
        QTest::addColumn<bool>("repair");
        QTest::newRow("a repair writes") << true;
        QTest::newRow("the settings page's update writes") << false;
    }
    void noCloseWhileWriting()
    {
        QFETCH(bool, repair);
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        showLayout(dialog, QStringLiteral("running"));
        if (repair)
            RepairRun::Shared().with([](RepairRun::State &s) { s.RepairBusy = true; });
        else
            state().ReceiverUpdateState = 1;

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        dialog.reject();
        QVERIFY(dialog.isVisible());
        // The buttons as a failure enables them: their clicks are refused all the same, Escape
        // (which now clicks the cancel button) too.
        emit hub()->SigProgress(0, 6);
        w.close->click();
        QVERIFY(dialog.isVisible());
        w.cancel->click();
        QVERIFY(dialog.isVisible());
        QSignalSpy cancelled(w.cancel, SIGNAL(clicked()));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTRY_COMPARE(cancelled.count(), 1);
        QVERIFY(dialog.isVisible());

        RepairRun::Shared().with([](RepairRun::State &s) { s.RepairBusy = false; });
        state().ReceiverUpdateState = 3;
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTRY_VERIFY(!dialog.isVisible());
    }

    // Closing tells the page how the update ended: at 100 % the firmware is current; short of it
    // on the device page the main window goes home, which finds the devices anew; on the home
    // page, or with no bar shown, the dialog only closes. The start button showing OK after the
    // end closes the same way.
    void closeAfterAnUpdate_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("onDevicePage");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("newVersion");
        QTest::addColumn<int>("home");
        QTest::newRow("100 %, close") << "done" << 1 << "CloseButton" << 1 << 0;
        QTest::newRow("100 %, OK") << "done" << 1 << "NewHong_2" << 1 << 0;
        QTest::newRow("99 % on the device page") << "99" << 1 << "CloseButton" << 0 << 1;
        QTest::newRow("99 % on the device page, cancel") << "99" << 1 << "NewHong" << 0 << 1;
        QTest::newRow("99 % on the home page") << "99" << 0 << "CloseButton" << 0 << 0;
        QTest::newRow("no bar") << "notice" << 1 << "CloseButton" << 0 << 0;
        QTest::newRow("no bar, OK") << "notice" << 1 << "NewHong_2" << 0 << 0;
    }
    void closeAfterAnUpdate()
    {
        QFETCH(QString, layout);
        QFETCH(int, onDevicePage);
        QFETCH(QString, button);
        QFETCH(int, newVersion);
        QFETCH(int, home);
        state().OnDevicePage = onDevicePage;
        UpDateRepair dialog;
        dialog.show();
        if (layout == QLatin1String("99")) {
            showLayout(dialog, QStringLiteral("failed"));
            emit hub()->SigProgress(99, 0);
        } else {
            showLayout(dialog, layout);
        }
        QSignalSpy setNewVer(hub(), SIGNAL(SigSetNewVer()));
        QSignalSpy changeMain(hub(), SIGNAL(SigChangeMainDialog(int)));
        QSignalSpy start(hub(), SIGNAL(SigUpdateStart()));

        dialog.findChild<QToolButton *>(button)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(setNewVer.count(), newVersion);
        QCOMPARE(changeMain.count(), home);
        if (home)
            QCOMPARE(changeMain.first().first().toInt(), 0);
        QCOMPARE(start.count(), 0);
    }

    // The start button of the ready layout starts the settings page's update on the device page
    // and the repair elsewhere; a repair with no image found shows that and writes nothing.
    void startButton_data()
    {
        QTest::addColumn<int>("onDevicePage");
        QTest::newRow("device page") << 1;
        QTest::newRow("home page") << 0;
    }
    void startButton()
    {
        QFETCH(int, onDevicePage);
        state().OnDevicePage = onDevicePage;
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        showLayout(dialog, QStringLiteral("ready"));
        QSignalSpy start(hub(), SIGNAL(SigUpdateStart()));
        QSignalSpy repaired(hub(), SIGNAL(SigAutoRepair(int)));
        w.start->click();
        QCOMPARE(start.count(), onDevicePage);
        QVERIFY(dialog.isVisible());
        if (onDevicePage == 0) {
            QCOMPARE(w.message->text(), dialog.NoImageText);
            QCOMPARE(w.start->text(), dialog.OkText);
            QCOMPARE(repaired.count(), 0);
            QCOMPARE(int(state().AutoRepairRunning.load()), 0);
            QCOMPARE(int(state().UpdateIdle.load()), 1);
        }
    }

    // A language change shows at once only in the fixed notice; the message line keeps the old
    // language until the next layout change.
    void languageChange()
    {
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        showLayout(dialog, QStringLiteral("ready"));
        const QString readyEnglish = dialog.ReadyText;
        state().CurrentLanguage = 1;
        emit hub()->SigAllLanguage(1);
        QCOMPARE(w.notice->text(), AutoRepairTexts.text(1, 0, QString()));
        QCOMPARE(w.message->text(), readyEnglish);
        dialog.ShowReady();
        QCOMPARE(w.message->text(), AutoRepairTexts.text(1, 12, QString()));
        QVERIFY(w.message->text() != readyEnglish);
        state().CurrentLanguage = 0;
        emit hub()->SigAllLanguage(0);
    }

    // Every message the dialog may show fits its line in both languages, as does the fixed notice
    // above it: the labels are aligned to the bottom, so a text too long loses its first line.
    void messagesFit_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("en") << 0;
        QTest::newRow("uk") << 1;
    }
    void messagesFit()
    {
        QFETCH(int, language);
        state().CurrentLanguage = language;
        UpDateRepair dialog;
        const Widgets w(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList messages = {dialog.NoDeviceText,          dialog.ManyDevicesText,
                                dialog.MouseRepairDeviceText, dialog.ReceiverRepairDeviceText,
                                dialog.NoImageText,           dialog.WiredConflictText,
                                dialog.WirelessConflictText,  dialog.ReadyText,
                                dialog.RunningText,           dialog.RepairDoneText,
                                dialog.RepairFailText};
        // The settings page's update check puts its own messages into the line.
        for (int entry : {15, 17, 18, 23, 24, 25, 26, 27})
            messages << FormSettingTexts.text(language, entry, QString());
        QStringList tooLong;
        for (const QString &text : messages) {
            QVERIFY(!text.isEmpty());
            w.message->setText(text);
            if (w.message->heightForWidth(w.message->width()) > w.message->height())
                tooLong << text;
        }
        if (w.notice->heightForWidth(w.notice->width()) > w.notice->height())
            tooLong << w.notice->text();
        QVERIFY2(tooLong.isEmpty(), qPrintable(tooLong.join(QStringLiteral(" | "))));
        state().CurrentLanguage = 0;
    }

    // The dialog runs both the update and the repair of a failed update with the same texts, so
    // none of the texts of either run speaks of an update alone.
    void sharedTextsFitBothRuns_data() { messagesFit_data(); }
    void sharedTextsFitBothRuns()
    {
        QFETCH(int, language);
        state().CurrentLanguage = language;
        UpDateRepair dialog;
        const Widgets w(dialog);
        const QStringList texts = {w.notice->text(),      dialog.RepairButtonText,
                                   dialog.ReadyText,      dialog.RunningText,
                                   dialog.RepairDoneText, dialog.RepairFailText};
        const QRegularExpression update(language == 0 ? QStringLiteral("updat")
                                                      : QStringLiteral("онов"),
                                        QRegularExpression::CaseInsensitiveOption);
        for (const QString &text : texts) {
            QVERIFY(!text.isEmpty());
            QVERIFY2(!text.contains(update), qPrintable(text));
        }
        state().CurrentLanguage = 0;
    }

    void screens_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("layout");
        for (int language : {0, 1}) {
            for (const char *layout : {"ready", "running", "done", "failed", "notice"}) {
                QTest::addRow("%s %s", language == 0 ? "en" : "uk", layout)
                    << language << QString::fromLatin1(layout);
            }
        }
    }
    void screens()
    {
        QFETCH(int, language);
        QFETCH(QString, layout);
        state().CurrentLanguage = language;
        UpDateRepair dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        showLayout(dialog, layout);
        QCOMPARE(dialog.size(), QSize(460, 289));
        ZR35_SAVE_SCREEN(
            &dialog, QStringLiteral("update-dialog-%1-%2")
                         .arg(language == 0 ? QStringLiteral("en") : QStringLiteral("uk"), layout));
        state().CurrentLanguage = 0;
    }
};

ZR35_TEST_MAIN(TestUpDateRepair)
#include "tst_updaterepair.moc"
