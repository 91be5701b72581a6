#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/groupkey.h"
#include "macro/keyboardhook.h"
#include "macro/model/keyvocabulary.h"
#include "platform/desktop/keyhook.h"
#include "platform/desktop/screenmetrics.h"
#include "tests/macro/macrobench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

int virtualKeyOf(const QString &name)
{
    for (const KeyRow &row : KeyTable()) {
        if (!name.isEmpty() && row.name == name)
            return row.virtualKey;
    }
    // Keys the table does not name: F13, and the keypad's 5 without Num Lock (the empty name).
    if (name == QLatin1String("F13"))
        return 0x7C;
    if (name == QLatin1String("Clear"))
        return 0x0C;
    return -1;
}

QLineEdit *field(GroupKey &dialog)
{
    return child<QLineEdit>(&dialog, "lineEdit");
}

bool hookInstalled()
{
    return KeyboardHook(KeyboardHook::GroupKeyDialog).IsInstalled();
}

} // namespace

// The key-combination dialog, driven by keys as the keyboard hook reports them.
class TestGroupKey : public QObject
{
    Q_OBJECT
private:
    qint64 now = 0;

    // "A" types A, "+A" presses it, "-A" releases it, "@2001" lets 2001 ms pass.
    void play(const QString &keys)
    {
        for (const QString &token : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (token.startsWith(QLatin1Char('@'))) {
                now += token.mid(1).toLongLong();
                continue;
            }
            const bool pressOnly = token.startsWith(QLatin1Char('+'));
            const bool releaseOnly = token.startsWith(QLatin1Char('-')) && token.size() > 1;
            const int vk = virtualKeyOf(pressOnly || releaseOnly ? token.mid(1) : token);
            QVERIFY2(vk >= 0, qPrintable(token));
            if (!releaseOnly)
                pressKey(vk);
            if (!pressOnly)
                releaseKey(vk);
        }
    }

private slots:
    void initTestCase() { FillMacroTexts(); }
    void init()
    {
        setLanguage(0);
        now = 0;
    }

    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("field");
        QTest::newRow("three keys") << "X Y Z"
                                    << "X+Y+Z";
        QTest::newRow("a fourth starts again") << "X Y Z W"
                                               << "W";
        QTest::newRow("the same key again") << "A A"
                                            << "A";
        QTest::newRow("back to the first") << "A B A"
                                           << "A+B";
        // Keys are compared whole: F1 does not hold F, nor Num1 the 1.
        QTest::newRow("F1 then F") << "F1 F"
                                   << "F1+F";
        QTest::newRow("Num1 then 1") << "Num1 1"
                                     << "Num1+1";
        QTest::newRow("Del then D") << "Del D"
                                    << "Del+D";
        QTest::newRow("keypad plus whole") << "Num+ Num-"
                                           << "Num++Num-";
        // The button page counts a part at every "+": with Num+ and A the field is full.
        QTest::newRow("keypad plus fills two parts") << "Num+ A B"
                                                     << "B";
        QTest::newRow("held key added once") << "+A +A +A -A"
                                             << "A";
        QTest::newRow("modifier keys add nothing") << "LShift RCtrl LAlt RWin A"
                                                   << "A";
        QTest::newRow("unnamed keys add nothing") << "F13 Clear A"
                                                  << "A";
        QTest::newRow("Esc is a key") << "Esc"
                                      << "Esc";
        // Three keys held: a modifier or an unnamed key starts an empty combination.
        QTest::newRow("after three, a modifier empties") << "A B C LShift"
                                                         << "";
        // Two seconds from the combination's first key, not from the last.
        QTest::newRow("within the window") << "A @1000 B @1000 C"
                                           << "A+B+C";
        QTest::newRow("past the window") << "A @1000 B @1001 C"
                                         << "C";
        QTest::newRow("2000 ms still counts") << "A @2000 B"
                                              << "A+B";
        QTest::newRow("held past the window") << "+A @2001 +A"
                                              << "A";
        QTest::newRow("window from the new first key") << "A @2500 B @1500 C"
                                                       << "B+C";
    }
    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, field);
        GroupKey dialog;
        dialog.SetClock([this] { return now; });
        play(keys);
        QCOMPARE(::field(dialog)->text(), field);
    }

    void confirm_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("text");
        QTest::newRow("Shift and Ctrl with A")
            << QStringList{"Shift", "Ctrl"} << "A" << true << "Shift+Ctrl+A";
        QTest::newRow("Win alone") << QStringList{"Win"} << "" << true << "Win";
        QTest::newRow("keys alone") << QStringList() << "A B" << true << "A+B";
        QTest::newRow("nothing") << QStringList() << "" << true << "";
        QTest::newRow("all four boxes")
            << QStringList{"Shift", "Ctrl", "Alt", "Win"} << "" << false << "";
        QTest::newRow("two boxes and two keys")
            << QStringList{"Shift", "Alt"} << "A B" << false << "";
        // The button page counts a part at every "+": the keypad's plus is two.
        QTest::newRow("Num+ and two boxes")
            << QStringList{"Shift", "Ctrl"} << "Num+" << false << "";
        QTest::newRow("Num+ and one box") << QStringList{"Ctrl"} << "Num+" << true << "Ctrl+Num+";
    }
    void confirm()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, keys);
        QFETCH(bool, accepted);
        QFETCH(QString, text);
        GroupKey dialog;
        dialog.SetClock([this] { return now; });
        bool noticeOverDialog = false;
        ModalAction user(QStringLiteral("GroupKey"), [&](QWidget *shown) {
            for (const QString &box : boxes)
                shown->findChild<QCheckBox *>(box)->setChecked(true);
            play(keys);
            if (accepted) {
                child<QToolButton>(shown, "NewHong")->click();
                return;
            }
            // The notice covers the dialog; once it is closed the field starts again and the
            // dialog stays, its boxes as they were.
            ModalAction notice(QStringLiteral("GroupMaxThree"), [&](QWidget *over) {
                noticeOverDialog = over->geometry().topLeft() == shown->geometry().topLeft();
                child<QToolButton>(over, "NewHong")->click();
            });
            child<QToolButton>(shown, "NewHong")->click();
            QVERIFY(notice.done());
            QVERIFY(shown->isVisible());
            QVERIFY(child<QLineEdit>(shown, "lineEdit")->text().isEmpty());
            QCOMPARE(shown->findChild<QCheckBox *>(boxes.first())->isChecked(), true);
            QVERIFY(hookInstalled());
            // The next key starts a combination of its own.
            play(QStringLiteral("B"));
            QCOMPARE(child<QLineEdit>(shown, "lineEdit")->text(), QStringLiteral("B"));
            child<QToolButton>(shown, "NewHong_2")->click();
        });
        dialog.exec();
        QVERIFY(user.done());
        QCOMPARE(dialog.Confirmed, accepted);
        QCOMPARE(dialog.KeyText, text);
        if (!accepted)
            QVERIFY(noticeOverDialog);
        QVERIFY(!hookInstalled());
    }

    void endings_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Cancel") << "NewHong_2";
        QTest::newRow("close") << "CloseButton";
    }
    void endings()
    {
        QFETCH(QString, button);
        GroupKey dialog;
        ModalAction user(QStringLiteral("GroupKey"), [&](QWidget *shown) {
            play(QStringLiteral("A B"));
            // Escape and F12 do not end it.
            QTest::keyClick(shown, Qt::Key_Escape);
            QTest::keyClick(shown, Qt::Key_F12);
            QVERIFY(shown->isVisible());
            shown->findChild<QToolButton *>(button)->click();
        });
        dialog.exec();
        QVERIFY(user.done());
        QVERIFY(!dialog.Confirmed);
        QVERIFY(!hookInstalled());
    }

    void pastedTextIsUpperCase()
    {
        GroupKey dialog;
        dialog.show();
        QApplication::clipboard()->setText(QStringLiteral("ctrl+a"));
        field(dialog)->paste();
        QCOMPARE(field(dialog)->text(), QStringLiteral("CTRL+A"));
        QTest::keyClicks(field(dialog), QStringLiteral("xyz"));
        QCOMPARE(field(dialog)->text(), QStringLiteral("CTRL+A"));
    }

    // However the dialog ends, no hook stays behind it.
    void noHookOutlivesTheDialog()
    {
        {
            GroupKey dialog;
            QVERIFY(hookInstalled());
        }
        QVERIFY(!hookInstalled());
        KeyHook::inject(0x41, KeyHook::KeyDown); // reaches no dialog
        KeyHook::inject(0x41, KeyHook::KeyUp);
    }

    void fontsAt120Dpi()
    {
        ScreenMetrics::setHorizontalDpiOverride(120);
        GroupKey dialog;
        ScreenMetrics::setHorizontalDpiOverride(0);
        for (const char *name : {"label", "Shift", "Ctrl", "Alt", "Win", "NewHong", "NewHong_2"}) {
            const auto *widget = dialog.findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(qAbs(widget->font().pointSizeF() - 8.8) < 1e-4, name);
        }
        QCOMPARE(field(dialog)->font().pointSizeF(),
                 child<QWidget>(&dialog, "groupKeyA")->font().pointSizeF());
    }

    void shipped_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void shipped()
    {
        QFETCH(int, language);
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        setLanguage(language);
        GroupKey dialog;
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), GroupKeyTexts.text(language, 0, {}));
        QCOMPARE(child<QToolButton>(&dialog, "NewHong")->text(),
                 QuestionTexts.text(language, 2, {}));
        QCOMPARE(child<QCheckBox>(&dialog, "Shift")->text(), QStringLiteral("shift"));
        dialog.show();
        child<QCheckBox>(&dialog, "Ctrl")->setChecked(true);
        play(QStringLiteral("A F1"));
        ZR35_SAVE_SCREEN(&dialog, QStringLiteral("macro-groupkey-%1").arg(language));
        FillMacroTexts();
    }
};

ZR35_TEST_MAIN(TestGroupKey)
#include "tst_groupkey.moc"
