#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/groupmaxthree.h"
#include "macro/keynumberlimit.h"
#include "macro/makemacro.h"
#include "macro/samemacro.h"
#include "platform/desktop/screenmetrics.h"
#include "tests/macro/macrobench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include <memory>

namespace {

std::unique_ptr<QDialog> makeNotice(const QString &name)
{
    if (name == QLatin1String("MakeMacro"))
        return std::make_unique<MakeMacro>();
    if (name == QLatin1String("SameMacro"))
        return std::make_unique<SameMacro>();
    if (name == QLatin1String("GroupMaxThree"))
        return std::make_unique<GroupMaxThree>();
    if (name == QLatin1String("KeyNumberLimit"))
        return std::make_unique<KeyNumberLimit>();
    return nullptr;
}

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

} // namespace

class TestMacroNotices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillMacroTexts(); }
    void init() { setLanguage(0); }

    void form_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QRect>("label");
        QTest::addColumn<int>("confirmX");
        QTest::addColumn<QString>("table");
        QTest::newRow("MakeMacro") << "MakeMacro"
                                   << "MakeMacroA" << QRect(6, 29, 291, 71) << 100 << "MakeMacro";
        QTest::newRow("SameMacro") << "SameMacro"
                                   << "SameMacroA" << QRect(0, 10, 301, 91) << 100 << "SameMacro";
        QTest::newRow("GroupMaxThree") << "GroupMaxThree"
                                       << "MaxThree" << QRect(0, 30, 301, 71) << 105 << "MaxThree";
        QTest::newRow("KeyNumberLimit") << "KeyNumberLimit"
                                        << "LimitA" << QRect(0, 30, 301, 71) << 100 << "Limit";
    }
    void form()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, frame);
        QFETCH(QRect, label);
        QFETCH(int, confirmX);
        QFETCH(QString, table);
        auto notice = makeNotice(dialog);
        QCOMPARE(notice->objectName(), dialog);
        QCOMPARE(notice->size(), QSize(300, 140));
        QVERIFY(notice->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(child<QFrame>(notice.get(), qPrintable(frame)));
        QCOMPARE(child<QLabel>(notice.get(), "label")->geometry(), label);
        QCOMPARE(child<QToolButton>(notice.get(), "NewHong")->geometry(),
                 QRect(confirmX, 110, 90, 24));
        QCOMPARE(child<QToolButton>(notice.get(), "CloseButton")->geometry(),
                 QRect(275, 5, 20, 20));
        QCOMPARE(child<QLabel>(notice.get(), "label")->text(), fixtureText(0, table, 0));
        QCOMPARE(child<QToolButton>(notice.get(), "NewHong")->text(),
                 fixtureText(0, QStringLiteral("Question"), 2));
        setLanguage(1);
        QCOMPARE(child<QLabel>(notice.get(), "label")->text(), fixtureText(1, table, 0));
        QCOMPARE(child<QToolButton>(notice.get(), "NewHong")->text(),
                 fixtureText(1, QStringLiteral("Question"), 2));
        QVERIFY(!referencedPictures(notice.get()).isEmpty());
        QCOMPARE(missingPictures(notice.get()), QStringList());
    }

    // The confirm button, the close button and Esc all just close a notice.
    void answers_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        for (const char *dialog : {"MakeMacro", "SameMacro", "GroupMaxThree", "KeyNumberLimit"}) {
            for (const char *button : {"NewHong", "CloseButton", ""})
                QTest::addRow("%s %s", dialog, *button ? button : "Esc") << dialog << button;
        }
    }
    void answers()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        auto notice = makeNotice(dialog);
        const auto named = ModalDriver::named(dialog);
        std::unique_ptr<ModalDriver> driver(button.isEmpty()
                                                ? new ModalDriver(named, Qt::Key_Escape)
                                                : new ModalDriver(named, button));
        QCOMPARE(notice->exec(), int(QDialog::Rejected));
        QVERIFY2(driver->fired(), qPrintable(driver->failure()));
        QVERIFY(!notice->isVisible());
    }

    void sameMacroTakesTheCallersText()
    {
        SameMacro notice;
        notice.SetText(QStringLiteral("\"Burst\" already exists"));
        QCOMPARE(child<QLabel>(&notice, "label")->text(),
                 QStringLiteral("\"Burst\" already exists"));
    }

    // Every widget is scaled once for the screen, whatever it inherits.
    void fontsFollowTheScreen_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("points");
        QTest::newRow("96") << 96 << 11.0;
        QTest::newRow("120") << 120 << 8.8;
    }
    void fontsFollowTheScreen()
    {
        QFETCH(int, dpi);
        QFETCH(double, points);
        ScreenMetrics::setHorizontalDpiOverride(dpi);
        KeyNumberLimit notice;
        ScreenMetrics::setHorizontalDpiOverride(0);
        for (const char *name : {"label", "NewHong"}) {
            const auto *widget = notice.findChild<QWidget *>(QLatin1String(name));
            QVERIFY2(qAbs(widget->font().pointSizeF() - points) < 1e-4, name);
        }
    }

    // Last: replaces the fixture rows with the shipped language files.
    void shippedTexts_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("language");
        for (const char *dialog : {"MakeMacro", "SameMacro", "GroupMaxThree", "KeyNumberLimit"}) {
            QTest::addRow("%s en", dialog) << dialog << 0;
            QTest::addRow("%s uk", dialog) << dialog << 1;
        }
    }
    void shippedTexts()
    {
        QFETCH(QString, dialog);
        QFETCH(int, language);
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        setLanguage(language);
        auto notice = makeNotice(dialog);
        const TextTable *table = dialog == QLatin1String("MakeMacro")       ? &MakeMacroTexts
                                 : dialog == QLatin1String("SameMacro")     ? &SameMacroTexts
                                 : dialog == QLatin1String("GroupMaxThree") ? &MaxThreeTexts
                                                                            : &LimitTexts;
        const QString shipped = table->text(language, 0, QString());
        QVERIFY(!shipped.isEmpty());
        QCOMPARE(child<QLabel>(notice.get(), "label")->text(), shipped);
        ZR35_SAVE_SCREEN(notice.get(),
                         QStringLiteral("macro-notice-%1-%2").arg(dialog.toLower()).arg(language));
    }
};

ZR35_TEST_MAIN(TestMacroNotices)
#include "tst_macronotices.moc"
