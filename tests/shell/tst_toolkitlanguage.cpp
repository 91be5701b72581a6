#include "core/postmsg.h"
#include "platform/desktop/toolkittranslation.h"
#include "shell/toolkitlanguage.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>

namespace {

// A form of the program's own: it counts the toolkit's language-change events it is given.
class OwnForm : public QWidget
{
public:
    int languageChanges = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++languageChanges;
        QWidget::changeEvent(event);
    }
};

QString translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

bool isCyrillic(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    }
    return false;
}

QStringList labelTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace

// Qt's own dialogs (the file dialogs of the export and import, the DPI colour dialog) speak the
// language the user chose, and switch with it; the program's own forms are left to the language
// tables.
class TestToolkitLanguage : public QObject
{
    Q_OBJECT
private slots:
    void qtDialogsFollowTheChosenLanguage()
    {
        FollowLanguageInToolkitDialogs();
        FollowLanguageInToolkitDialogs(); // a second call adds no second switch
        const char *saveAs = "Save As";
        const char *basicColours = "&Basic colors";
        QCOMPARE(translated("QFileDialog", saveAs), QString::fromLatin1(saveAs));

        // Made before the switch, as the DPI panel keeps its colour dialog.
        OwnForm form;
        form.show();
        QColorDialog colours;
        colours.setOption(QColorDialog::DontUseNativeDialog);
        QVERIFY(labelTexts(&colours).contains(QString::fromLatin1(basicColours)));

        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(ToolkitTranslation::locale(), QStringLiteral("uk"));
        QVERIFY(isCyrillic(translated("QFileDialog", saveAs)));
        QVERIFY(isCyrillic(translated("QColorDialog", "Select Color")));
        QVERIFY(isCyrillic(translated("QColorDialog", basicColours)));
        QVERIFY(labelTexts(&colours).contains(translated("QColorDialog", basicColours)));
        QCOMPARE(form.languageChanges, 0);
        ZR35_SAVE_SCREEN(&colours, "qt-colour-dialog-uk");
        QFileDialog files(nullptr, translated("QFileDialog", saveAs), QDir::homePath(),
                          QStringLiteral("File(*.bin)"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.resize(640, 420);
        ZR35_SAVE_SCREEN(&files, "qt-file-dialog-uk");

        // The same language again changes nothing; English takes Qt's translation away.
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(ToolkitTranslation::locale(), QStringLiteral("uk"));
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        QCOMPARE(ToolkitTranslation::locale(), QString());
        QCOMPARE(translated("QFileDialog", saveAs), QString::fromLatin1(saveAs));
        QVERIFY(labelTexts(&colours).contains(QString::fromLatin1(basicColours)));
        QCOMPARE(form.languageChanges, 0);
    }

    void localeOfEachLanguage()
    {
        QCOMPARE(ToolkitLocale(0), QString());
        QCOMPARE(ToolkitLocale(1), QStringLiteral("uk"));
        QCOMPARE(ToolkitLocale(2), QString());
        QCOMPARE(ToolkitLocale(-1), QString());
    }
};

ZR35_TEST_MAIN(TestToolkitLanguage)
#include "tst_toolkitlanguage.moc"
