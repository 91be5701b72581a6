#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/questiondialog.h"
#include "platform/desktop/screenmetrics.h"
#include "tests/macro/macrobench.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

QLineEdit *field(QuestionDialog &dialog)
{
    return child<QLineEdit>(&dialog, "lineEdit");
}

void commit(QWidget *widget, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

} // namespace

// The dialog that names a macro: what a typed, pasted or committed name becomes, and what the
// page gets back.
class TestQuestionDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillMacroTexts(); }
    void init() { setLanguage(0); }

    void typed_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("name");
        // A blank typed at the end takes every blank out, so the next letter follows on.
        QTest::newRow("blank typed") << "ab c"
                                     << "abc";
        QTest::newRow("punctuation") << "a-b.c/d=e[f]g;h'i,j`k*l+m\\n"
                                     << "abcdefghijklmn";
        QTest::newRow("31 letters")
            << QString(31, QLatin1Char('q')) << QString(30, QLatin1Char('q'));
        QTest::newRow("digits") << "fire 2"
                                << "fire2";
    }
    void typed()
    {
        QFETCH(QString, keys);
        QFETCH(QString, name);
        QuestionDialog dialog;
        dialog.show();
        QTest::keyClicks(field(dialog), keys);
        QCOMPARE(field(dialog)->text(), name);
        child<QToolButton>(&dialog, "NewHong")->click();
        QCOMPARE(dialog.EnteredName, name);
    }

    void pasted_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("name");
        QTest::newRow("blank inside kept") << "burst fire"
                                           << "burst fire";
        QTest::newRow("blank at the end") << "burst fire "
                                          << "burstfire";
        QTest::newRow("up a folder") << "../x"
                                     << "..x";
        QTest::newRow("backslash and tab") << "a\\b\tc\nd"
                                           << "abcd";
        // Two bytes a letter: the 16th does not fit.
        QTest::newRow("Ukrainian cut on a letter")
            << QStringLiteral("Привітаннядрузям") << QStringLiteral("Привітаннядрузя");
        QTest::newRow("Ukrainian after a letter")
            << QStringLiteral("aПривітаннядрузям") << QStringLiteral("aПривітаннядруз");
    }
    void pasted()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, name);
        QuestionDialog dialog;
        dialog.show();
        QApplication::clipboard()->setText(clipboard);
        field(dialog)->paste();
        QCOMPARE(field(dialog)->text(), name);
        QVERIFY(name.toUtf8().size() <= 30);
    }

    void committedByAnInputMethod()
    {
        QuestionDialog dialog;
        dialog.show();
        commit(field(dialog), QStringLiteral("宏"));
        commit(field(dialog), QStringLiteral("，"));
        commit(field(dialog), QStringLiteral("。"));
        commit(field(dialog), QStringLiteral("/"));
        commit(field(dialog), QStringLiteral("一"));
        QCOMPARE(field(dialog)->text(), QStringLiteral("宏一"));
    }

    void shiftTakesTheFieldAway()
    {
        QuestionDialog dialog;
        dialog.show();
        QTest::keyClicks(field(dialog), QStringLiteral("ab"));
        QTest::keyPress(field(dialog), Qt::Key_Shift);
        QVERIFY(!field(dialog)->isEnabled());
        QTest::keyClicks(field(dialog), QStringLiteral("C:"));
        QTest::keyRelease(&dialog, Qt::Key_Shift);
        QVERIFY(field(dialog)->isEnabled());
        QTest::keyClicks(field(dialog), QStringLiteral("d"));
        QCOMPARE(field(dialog)->text(), QStringLiteral("abd"));
    }

    void result_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("OK") << "Greeting"
                            << "NewHong"
                            << "Greeting";
        QTest::newRow("OK, empty") << ""
                                   << "NewHong"
                                   << "";
        QTest::newRow("OK, dot") << "."
                                 << "NewHong"
                                 << "";
        QTest::newRow("OK, dot dot") << ".."
                                     << "NewHong"
                                     << "";
        QTest::newRow("Cancel") << "Greeting"
                                << "NewHong_2"
                                << "";
        QTest::newRow("close") << "Greeting"
                               << "CloseButton"
                               << "";
    }
    void result()
    {
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, name);
        QuestionDialog dialog;
        dialog.EnteredName = QStringLiteral("stale");
        ModalAction user(QStringLiteral("QuestionDialog"), [&](QWidget *shown) {
            child<QLineEdit>(shown, "lineEdit")->setText(text);
            shown->findChild<QToolButton *>(button)->click();
        });
        dialog.exec();
        QVERIFY(user.done());
        QCOMPARE(dialog.EnteredName, name);
    }

    // Return and Escape are plain keys here: only the buttons end the dialog.
    void returnAndEscapeDoNotClose()
    {
        QuestionDialog dialog;
        dialog.show();
        QTest::keyClick(field(dialog), Qt::Key_Return);
        QTest::keyClick(field(dialog), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    void questions()
    {
        QuestionDialog dialog;
        dialog.SetQuestionText(0);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), fixtureText(0, "Question", 0));
        dialog.SetQuestionText(1);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), fixtureText(0, "Question", 1));
        QCOMPARE(child<QToolButton>(&dialog, "NewHong")->text(), fixtureText(0, "Question", 2));
        QCOMPARE(child<QToolButton>(&dialog, "NewHong_2")->text(), fixtureText(0, "Question", 3));
        setLanguage(1);
        dialog.SetQuestionText(0);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), fixtureText(1, "Question", 0));
    }

    void fontsAt120Dpi()
    {
        ScreenMetrics::setHorizontalDpiOverride(120);
        QuestionDialog dialog;
        ScreenMetrics::setHorizontalDpiOverride(0);
        for (const char *name : {"label", "NewHong", "NewHong_2"}) {
            const auto *widget = dialog.findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(qAbs(widget->font().pointSizeF() - 8.8) < 1e-4, name);
        }
        // The field is left out of the scaling: it shows the size of its scaled panel.
        QCOMPARE(field(dialog)->font().pointSizeF(),
                 child<QWidget>(&dialog, "Question")->font().pointSizeF());
    }

    void shipped_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("question");
        QTest::newRow("English, new") << 0 << 0;
        QTest::newRow("English, rename") << 0 << 1;
        QTest::newRow("Ukrainian, new") << 1 << 0;
        QTest::newRow("Ukrainian, rename") << 1 << 1;
    }
    void shipped()
    {
        QFETCH(int, language);
        QFETCH(int, question);
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        setLanguage(language);
        QuestionDialog dialog;
        dialog.SetQuestionText(question);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(),
                 QuestionTexts.text(language, question, QString()));
        dialog.show();
        field(dialog)->setText(language == 0 ? QStringLiteral("Burst fire")
                                             : QStringLiteral("Серія пострілів"));
        ZR35_SAVE_SCREEN(&dialog,
                         QStringLiteral("macro-questiondialog-%1-%2").arg(question).arg(language));
        FillMacroTexts();
    }
};

ZR35_TEST_MAIN(TestQuestionDialog)
#include "tst_questiondialog.moc"
