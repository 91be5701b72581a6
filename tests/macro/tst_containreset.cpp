#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/containreset.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QToolButton>

namespace {
void fillRows(TextTable &table, const QString &name)
{
    table.clear();
    for (const char *language : {"en", "uk"}) {
        QStringList row;
        for (int entry = 0; entry < 5; ++entry)
            row << QStringLiteral("%1 %2 %3").arg(QLatin1String(language), name).arg(entry);
        table.appendRow(row);
    }
}

QString textOf(QWidget *dialog, const char *name)
{
    if (auto *label = dialog->findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    return dialog->findChild<QToolButton *>(QLatin1String(name))->text();
}
} // namespace

class TestContainReset : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        fillRows(ContainResetTexts, QStringLiteral("ContainReset"));
        fillRows(DialogChangeTexts, QStringLiteral("DialogChange"));
        fillRows(QuestionTexts, QStringLiteral("Question"));
    }

    void answer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << "OK" << 0 << true;
        QTest::newRow("Return") << "" << int(Qt::Key_Return) << true;
        QTest::newRow("Cancel") << "Cancel" << 0 << false;
        QTest::newRow("close") << "CloseButton" << 0 << false;
        QTest::newRow("Escape") << "" << int(Qt::Key_Escape) << false;
    }
    void answer()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, confirmed);
        ContainReset dialog;
        const auto named = ModalDriver::named(QStringLiteral("ContainReset"));
        // A key reaches a shortcut only once the window is active.
        const ModalDriver::Match active = [named](QWidget *modal) {
            return named(modal) && QApplication::activeWindow() == modal;
        };
        std::unique_ptr<ModalDriver> driver(key ? new ModalDriver(active, key)
                                                : new ModalDriver(named, button));
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY2(driver->fired(), qPrintable(driver->failure()));
        QCOMPARE(dialog.Confirmed, confirmed);
    }

    void picturesAreShipped()
    {
        ContainReset dialog;
        QVERIFY(!referencedPictures(&dialog).isEmpty());
        QCOMPARE(missingPictures(&dialog), QStringList());
    }

    void texts()
    {
        DeviceState::instance()->CurrentLanguage = 0;
        ContainReset dialog;
        QCOMPARE(textOf(&dialog, "label"), QStringLiteral("en ContainReset 0"));
        QCOMPARE(textOf(&dialog, "OK"), QStringLiteral("en DialogChange 4"));
        QCOMPARE(textOf(&dialog, "Cancel"), QStringLiteral("en Question 3"));
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(textOf(&dialog, "label"), QStringLiteral("uk ContainReset 0"));
        QCOMPARE(textOf(&dialog, "OK"), QStringLiteral("uk DialogChange 4"));
        QCOMPARE(textOf(&dialog, "Cancel"), QStringLiteral("uk Question 3"));
        dialog.SetText(QStringLiteral("Repair the receiver?"));
        QCOMPARE(textOf(&dialog, "label"), QStringLiteral("Repair the receiver?"));
    }

    // Last: replaces the fixture rows with the shipped language files.
    void shippedTexts()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        DeviceState::instance()->CurrentLanguage = 0;
        ContainReset dialog;
        const QString english = textOf(&dialog, "label");
        const QString ok = textOf(&dialog, "OK");
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QVERIFY(!english.trimmed().isEmpty());
        QVERIFY(english != textOf(&dialog, "label"));
        QVERIFY(ok != QLatin1String("确定"));
        QVERIFY(ok != textOf(&dialog, "OK"));
    }
};

ZR35_TEST_MAIN(TestContainReset)
#include "tst_containreset.moc"
