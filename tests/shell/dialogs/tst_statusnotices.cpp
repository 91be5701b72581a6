#include "core/devicestate.h"
#include "core/postmsg.h"
#include "shell/dialogs/deleteconfirm.h"
#include "shell/dialogs/findnewver.h"
#include "shell/dialogs/mouseoffline.h"
#include "shell/dialogs/progress.h"
#include "tests/shell/dialogs/noticetexts.h"
#include "tests/support/child.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QToolButton>

namespace {
QString labelText(QWidget *dialog)
{
    return child<QLabel>(dialog, "label")->text();
}

QString prefix(int language)
{
    return noticeText(language, QStringLiteral("ProgressTexts"), 0);
}
} // namespace

class TestStatusNotices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillNoticeTexts(); }
    void init()
    {
        DeviceState *state = DeviceState::instance();
        state->CurrentLanguage = 0;
        state->MouseOffLineMode = 0;
        state->UpdateChecking = 0;
    }

    void offlineNoticeTextFollowsTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("ukrainian");
        const QString table = QStringLiteral("MouseOffLineTexts");
        QTest::newRow("offline") << 0 << noticeText(0, table, 0) << noticeText(1, table, 0);
        QTest::newRow("time-out") << 1 << noticeText(0, table, 1) << noticeText(1, table, 1);
        const QString fallback = QStringLiteral("   The mouse is offline. Please move first");
        QTest::newRow("other") << 2 << fallback << fallback;
    }
    void offlineNoticeTextFollowsTheMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, english);
        QFETCH(QString, ukrainian);
        DeviceState::instance()->MouseOffLineMode = mode;
        MouseOffLine notice;
        QCOMPARE(labelText(&notice), english);
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(labelText(&notice), ukrainian);
        QCOMPARE(child<QToolButton>(&notice, "NewHong")->text(),
                 noticeText(1, QStringLiteral("QuestionTexts"), 2));
    }

    void offlineNoticeUsesItsOwnButtonPictures()
    {
        MouseOffLine notice;
        const QString style = child<QToolButton>(&notice, "NewHong")->styleSheet();
        QVERIFY(style.contains(QLatin1String("/ConFirm.png")));
        QVERIFY(style.contains(QLatin1String("/ConFirmClick.png")));
    }

    // The offline notice names its own pictures, but its OK button must look like the OK button
    // of every other notice: the same accent ground, not a neutral grey.
    void offlineNoticeButtonLooksLikeTheOthers()
    {
        MouseOffLine offline;
        DeleteConfirm other(nullptr);
        ZR35_SAVE_SCREEN(&offline, QStringLiteral("notice-offline"));
        ZR35_SAVE_SCREEN(&other, QStringLiteral("notice-deleteconfirm"));
        QToolButton *offlineButton = child<QToolButton>(&offline, "NewHong");
        QToolButton *otherButton = child<QToolButton>(&other, "NewHong");
        // A point of the button's ground left of its centred caption.
        const QPoint ground(6, otherButton->height() / 2);
        const QColor offlineColour = offlineButton->grab().toImage().pixelColor(ground);
        const QColor otherColour = otherButton->grab().toImage().pixelColor(ground);
        QVERIFY2(otherColour.blue() > otherColour.red() + 20,
                 qPrintable(otherColour.name())); // the accent is a blue
        QCOMPARE(offlineColour.name(), otherColour.name());
    }

    void picturesAreShipped()
    {
        MouseOffLine offline;
        Progress progress;
        FindNewVer newVersion;
        for (QWidget *notice : {static_cast<QWidget *>(&offline), static_cast<QWidget *>(&progress),
                                static_cast<QWidget *>(&newVersion)}) {
            QVERIFY(!referencedPictures(notice).isEmpty());
            QCOMPARE(missingPictures(notice), QStringList());
        }
    }

    void offlineNoticeClosesWhenTheMouseReturns()
    {
        MouseOffLine notice;
        QTimer::singleShot(50, PostMsg::GetInstance(), &PostMsg::SigCloseOffOnline);
        QElapsedTimer clock;
        clock.start();
        notice.exec();
        QVERIFY(clock.elapsed() < 4000);
        QVERIFY(!notice.isVisible());
    }

    void offlineNoticeClosesOnEscape()
    {
        MouseOffLine notice;
        ModalDriver escape(ModalDriver::named(QStringLiteral("MouseOffLine")), Qt::Key_Escape);
        notice.exec();
        QVERIFY(escape.fired());
    }

    void progressStartsAtOnePercent()
    {
        Progress dialog;
        QCOMPARE(labelText(&dialog), prefix(0) + QStringLiteral(": 1%"));
        QCOMPARE(child<QProgressBar>(&dialog, "progressBar_2")->value(), 0);
        QVERIFY(child<QToolButton>(&dialog, "NewHong")->isHidden());
    }

    void progressReports_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("buttonShown");
        const QString table = QStringLiteral("ProgressTexts");
        QTest::newRow("running") << 55 << 0 << 55 << prefix(0) + QStringLiteral(": 55%") << false;
        QTest::newRow("failed") << 40 << 1 << 40 << noticeText(0, table, 2) << true;
        QTest::newRow("succeeded") << 10 << 2 << 100 << noticeText(0, table, 1) << true;
        QTest::newRow("reset") << 70 << 4 << 0 << prefix(0) + QStringLiteral(": 0%") << false;
    }
    void progressReports()
    {
        QFETCH(int, value);
        QFETCH(int, kind);
        QFETCH(int, bar);
        QFETCH(QString, label);
        QFETCH(bool, buttonShown);
        Progress dialog;
        dialog.SlotProgress(value, kind);
        QCOMPARE(child<QProgressBar>(&dialog, "progressBar_2")->value(), bar);
        QCOMPARE(labelText(&dialog), label);
        QCOMPARE(!child<QToolButton>(&dialog, "NewHong")->isHidden(), buttonShown);
    }

    void progressClosingAfterFailureGoesHome()
    {
        QSignalSpy home(PostMsg::GetInstance(), &PostMsg::SigChangeMainDialog);
        QSignalSpy proceed(PostMsg::GetInstance(), &PostMsg::SigContinue);
        Progress dialog;
        dialog.show();
        dialog.SlotProgress(30, 1);
        child<QToolButton>(&dialog, "CloseButton")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(home.count(), 1);
        QCOMPARE(home.at(0).at(0).toInt(), 0);
        QCOMPARE(proceed.count(), 0);
    }

    void progressClosingOtherwiseContinues()
    {
        QSignalSpy home(PostMsg::GetInstance(), &PostMsg::SigChangeMainDialog);
        QSignalSpy proceed(PostMsg::GetInstance(), &PostMsg::SigContinue);
        Progress dialog;
        dialog.show();
        dialog.SlotProgress(100, 2);
        child<QToolButton>(&dialog, "NewHong")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(proceed.count(), 1);
        QCOMPARE(home.count(), 0);
        QCOMPARE(labelText(&dialog), prefix(0) + QStringLiteral(": 0%"));
        QCOMPARE(child<QProgressBar>(&dialog, "progressBar_2")->value(), 0);
    }

    void progressIgnoresCloseWhileChecking()
    {
        DeviceState::instance()->UpdateChecking = 1;
        Progress dialog;
        dialog.show();
        child<QToolButton>(&dialog, "CloseButton")->click();
        emit PostMsg::GetInstance()->SigCloseProgress();
        QVERIFY(dialog.isVisible());
        dialog.SlotProgress(100, 2);
        child<QToolButton>(&dialog, "NewHong")->click();
        QVERIFY(!dialog.isVisible());
    }

    void newFirmwareNoticeTexts()
    {
        FindNewVer notice;
        const QString table = QStringLiteral("NewVerTexts");
        QCOMPARE(labelText(&notice), noticeText(0, table, 0));
        QCOMPARE(child<QCheckBox>(&notice, "NoApear")->text(), noticeText(0, table, 1));
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(labelText(&notice), noticeText(1, table, 0));
        QCOMPARE(child<QCheckBox>(&notice, "NoApear")->text(), noticeText(1, table, 1));
        QCOMPARE(child<QToolButton>(&notice, "NewHong")->text(),
                 noticeText(1, QStringLiteral("QuestionTexts"), 2));
    }
};

ZR35_TEST_MAIN(TestStatusNotices)
#include "tst_statusnotices.moc"
