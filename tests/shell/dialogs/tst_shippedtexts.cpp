#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/postmsg.h"
#include "shell/dialogs/deleteconfirm.h"
#include "shell/dialogs/findnewver.h"
#include "shell/dialogs/inportfail.h"
#include "shell/dialogs/leftbuttononly.h"
#include "shell/dialogs/lessthree.h"
#include "shell/dialogs/mouseoffline.h"
#include "shell/dialogs/progress.h"
#include "shell/dialogs/questiondialogb.h"
#include "shell/dialogs/repair.h"
#include "shell/dialogs/updatewarning.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QToolButton>

#include <functional>
#include <memory>

using Factory = std::function<QDialog *()>;
Q_DECLARE_METATYPE(Factory)

namespace {
QString shown(QDialog *dialog, const QString &widget)
{
    if (auto *label = dialog->findChild<QLabel *>(widget))
        return label->text();
    return dialog->findChild<QToolButton *>(widget)->text();
}
} // namespace

// The notices against the language files as shipped: every text a notice reads by position is
// there, in English and in Ukrainian.
class TestShippedTexts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LoadLanguageFiles();
        DeviceState::instance()->ImportResult = 1;
    }

    void bothLanguages_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::addColumn<QString>("widget");
        QTest::newRow("QuestiondialogB") << Factory([] { return new QuestiondialogB; }) << "label";
        QTest::newRow("LeftButtonOnly") << Factory([] { return new LeftButtonOnly; }) << "label";
        QTest::newRow("RePair") << Factory([] { return new RePair; }) << "label";
        QTest::newRow("RePair OK") << Factory([] { return new RePair; }) << "OK";
        QTest::newRow("RePair Cancel") << Factory([] { return new RePair; }) << "Cancel";
        QTest::newRow("DeleteConfirm") << Factory([] { return new DeleteConfirm; }) << "label";
        QTest::newRow("InportFail") << Factory([] { return new InportFail; }) << "label";
        QTest::newRow("LessThree") << Factory([] { return new LessThree; }) << "label";
        QTest::newRow("UpDateWarning OK") << Factory([] { return new UpDateWarning; }) << "NewHong";
        QTest::newRow("MouseOffLine") << Factory([] { return new MouseOffLine; }) << "label";
        QTest::newRow("Progress OK") << Factory([] { return new Progress; }) << "NewHong";
        QTest::newRow("FindNewVer") << Factory([] { return new FindNewVer; }) << "label";
    }
    void bothLanguages()
    {
        QFETCH(Factory, make);
        QFETCH(QString, widget);
        DeviceState::instance()->CurrentLanguage = 0;
        std::unique_ptr<QDialog> notice(make());
        const QString english = shown(notice.get(), widget);
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        const QString ukrainian = shown(notice.get(), widget);
        QVERIFY(!english.trimmed().isEmpty());
        QVERIFY(!ukrainian.trimmed().isEmpty());
        QVERIFY2(english != ukrainian, qPrintable(english));
        QVERIFY2(english != QLatin1String("确定") && english != QLatin1String("取消"),
                 "the shipped English text did not replace the form's default");
    }
};

ZR35_TEST_MAIN(TestShippedTexts)
#include "tst_shippedtexts.moc"
