#include "core/configini.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/desktop/screenmetrics.h"
#include "shell/dialogs/deleteconfirm.h"
#include "shell/dialogs/inportfail.h"
#include "shell/dialogs/leftbuttononly.h"
#include "shell/dialogs/lessthree.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/questiondialogb.h"
#include "shell/dialogs/repair.h"
#include "shell/dialogs/updatewarning.h"
#include "tests/shell/dialogs/noticetexts.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QToolButton>

#include <memory>

namespace {
std::unique_ptr<QDialog> makeNotice(const QString &name)
{
    if (name == QLatin1String("QuestiondialogB"))
        return std::make_unique<QuestiondialogB>();
    if (name == QLatin1String("LeftButtonOnly"))
        return std::make_unique<LeftButtonOnly>();
    if (name == QLatin1String("RePair"))
        return std::make_unique<RePair>();
    if (name == QLatin1String("DeleteConfirm"))
        return std::make_unique<DeleteConfirm>();
    if (name == QLatin1String("InportFail"))
        return std::make_unique<InportFail>();
    if (name == QLatin1String("UpDateWarning"))
        return std::make_unique<UpDateWarning>();
    if (name == QLatin1String("LessThree"))
        return std::make_unique<LessThree>();
    return nullptr;
}

bool confirmedOf(QDialog *dialog)
{
    if (auto *d = qobject_cast<RePair *>(dialog))
        return d->Confirmed;
    if (auto *d = qobject_cast<DeleteConfirm *>(dialog))
        return d->Confirmed;
    return false;
}

QString textOf(QDialog *dialog, const QString &objectName)
{
    if (auto *label = dialog->findChild<QLabel *>(objectName))
        return label->text();
    if (auto *button = dialog->findChild<QToolButton *>(objectName))
        return button->text();
    return QStringLiteral("<no widget %1>").arg(objectName);
}

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

QString writeConfig(const QByteArray &option)
{
    const QString path = QDir::home().filePath(QStringLiteral("Config.ini"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("[Option]\n" + option);
    return path;
}
} // namespace

class TestNoticeDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillNoticeTexts(); }
    void init()
    {
        DeviceState::instance()->CurrentLanguage = 0;
        DeviceState::instance()->ImportResult = 0;
    }

    void picturesAreShipped_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char *name : {"QuestiondialogB", "LeftButtonOnly", "RePair", "DeleteConfirm",
                                 "InportFail", "UpDateWarning", "LessThree"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void picturesAreShipped()
    {
        QFETCH(QString, dialog);
        auto notice = makeNotice(dialog);
        // A notice built long before it shows takes its styles when first polished.
        notice->ensurePolished();
        QVERIFY(!referencedPictures(notice.get()).isEmpty());
        QCOMPARE(missingPictures(notice.get()), QStringList());
    }

    // Every notice is its dark picture from edge to edge: no strip of the toolkit's light window
    // colour, whatever the size of its panel.
    void paintedToItsEdges_data() { picturesAreShipped_data(); }
    void paintedToItsEdges()
    {
        QFETCH(QString, dialog);
        auto notice = makeNotice(dialog);
        ZR35_SAVE_SCREEN(notice.get(), QStringLiteral("notice-%1").arg(dialog));
        const QImage image = notice->grab().toImage();
        QCOMPARE(image.size(), QSize(NoticeFrame::Width, NoticeFrame::Height));
        QStringList light;
        for (int y : {2, 70, image.height() - 5, image.height() - 2}) {
            // Clear of the message, which is light text in the middle.
            for (int x : {3, 20, image.width() - 4}) {
                if (image.pixelColor(x, y).lightness() > 128)
                    light << QStringLiteral("(%1,%2)").arg(x).arg(y);
            }
        }
        QVERIFY2(light.isEmpty(), qPrintable(light.join(QLatin1Char(' '))));
    }

    void answers_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("RePair close") << "RePair"
                                      << "CloseButton" << 0 << false;
        QTest::newRow("RePair cancel") << "RePair"
                                       << "Cancel" << 0 << false;
        QTest::newRow("RePair escape") << "RePair"
                                       << "" << int(Qt::Key_Escape) << false;
        QTest::newRow("RePair ok") << "RePair"
                                   << "OK" << 0 << true;
        QTest::newRow("DeleteConfirm close") << "DeleteConfirm"
                                             << "CloseButton" << 0 << false;
        QTest::newRow("DeleteConfirm escape") << "DeleteConfirm"
                                              << "" << int(Qt::Key_Escape) << false;
        QTest::newRow("DeleteConfirm ok") << "DeleteConfirm"
                                          << "NewHong" << 0 << true;
        QTest::newRow("QuestiondialogB close") << "QuestiondialogB"
                                               << "CloseButton" << 0 << false;
        QTest::newRow("LeftButtonOnly escape") << "LeftButtonOnly"
                                               << "" << int(Qt::Key_Escape) << false;
        QTest::newRow("InportFail ok") << "InportFail"
                                       << "NewHong" << 0 << false;
        QTest::newRow("LessThree close") << "LessThree"
                                         << "CloseButton" << 0 << false;
        QTest::newRow("UpDateWarning return") << "UpDateWarning"
                                              << "" << int(Qt::Key_Return) << false;
        QTest::newRow("UpDateWarning ok") << "UpDateWarning"
                                          << "NewHong" << 0 << false;
    }
    // Every button closes its notice, so exec() reports a rejection even after a confirmation:
    // callers read Confirmed.
    void answers()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, confirmed);
        auto notice = makeNotice(dialog);
        QVERIFY(notice);
        const auto named = ModalDriver::named(dialog);
        // A key reaches a shortcut only once the window is active.
        const ModalDriver::Match active = [named](QWidget *modal) {
            return named(modal) && QApplication::activeWindow() == modal;
        };
        std::unique_ptr<ModalDriver> driver(key ? new ModalDriver(active, key)
                                                : new ModalDriver(named, button));
        QCOMPARE(notice->exec(), int(QDialog::Rejected));
        QVERIFY2(driver->fired(), qPrintable(driver->failure()));
        QVERIFY(!notice->isVisible());
        QCOMPARE(confirmedOf(notice.get()), confirmed);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("entry");
        QTest::newRow("QuestiondialogB") << "QuestiondialogB"
                                         << "label"
                                         << "QuestionBTexts" << 0;
        QTest::newRow("LeftButtonOnly") << "LeftButtonOnly"
                                        << "label"
                                        << "ButtonOnlyTexts" << 0;
        QTest::newRow("RePair label") << "RePair"
                                      << "label"
                                      << "RePairTexts" << 0;
        QTest::newRow("RePair OK") << "RePair"
                                   << "OK"
                                   << "QuestionTexts" << 2;
        QTest::newRow("RePair Cancel") << "RePair"
                                       << "Cancel"
                                       << "QuestionTexts" << 3;
        QTest::newRow("DeleteConfirm") << "DeleteConfirm"
                                       << "label"
                                       << "DeleteConfirmTexts" << 0;
        QTest::newRow("DeleteConfirm OK") << "DeleteConfirm"
                                          << "NewHong"
                                          << "QuestionTexts" << 2;
        QTest::newRow("InportFail OK") << "InportFail"
                                       << "NewHong"
                                       << "QuestionTexts" << 2;
        QTest::newRow("UpDateWarning OK") << "UpDateWarning"
                                          << "NewHong"
                                          << "QuestionTexts" << 2;
        QTest::newRow("LessThree") << "LessThree"
                                   << "label"
                                   << "LessThreeTexts" << 0;
        QTest::newRow("LessThree OK") << "LessThree"
                                      << "NewHong"
                                      << "QuestionTexts" << 2;
    }
    void texts()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, widget);
        QFETCH(QString, table);
        QFETCH(int, entry);
        auto notice = makeNotice(dialog);
        QCOMPARE(textOf(notice.get(), widget), noticeText(0, table, entry));
        setLanguage(1);
        QCOMPARE(textOf(notice.get(), widget), noticeText(1, table, entry));
        // A language without a row keeps what the widget shows.
        setLanguage(5);
        QCOMPARE(textOf(notice.get(), widget), noticeText(1, table, entry));
        setLanguage(0);
    }

    void importFailureNamesItsCause_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unreadable") << 1 << noticeText(0, QStringLiteral("InportFailTexts"), 0);
        QTest::newRow("other sensor") << 2 << noticeText(0, QStringLiteral("InportFailTexts"), 1);
        QTest::newRow("no failure") << 0 << QStringLiteral("Config does not match the device");
    }
    void importFailureNamesItsCause()
    {
        QFETCH(int, result);
        QFETCH(QString, expected);
        DeviceState::instance()->ImportResult = result;
        InportFail notice;
        QCOMPARE(textOf(&notice, QStringLiteral("label")), expected);
    }

    void updateWarningKeepsTheCallersMessage()
    {
        UpDateWarning notice;
        notice.SetText(QStringLiteral("Update the receiver first"));
        setLanguage(1);
        QCOMPARE(textOf(&notice, QStringLiteral("label")),
                 QStringLiteral("Update the receiver first"));
        QCOMPARE(textOf(&notice, QStringLiteral("NewHong")),
                 noticeText(1, QStringLiteral("QuestionTexts"), 2));
        setLanguage(0);
    }

    void themeColours()
    {
        ConfigIni::resetForTests(writeConfig("LabelColor=255,255,255\nButtonColor=0,0,0\n"));
        DeleteConfirm notice;
        notice.ensurePolished();
        auto *label = notice.findChild<QLabel *>(QStringLiteral("label"));
        auto *button = notice.findChild<QToolButton *>(QStringLiteral("NewHong"));
        label->ensurePolished();
        button->ensurePolished();
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));

        // A short colour falls back to the theme's default instead of an unusable style sheet.
        ConfigIni::resetForTests(writeConfig("LabelColor=255,255\n"));
        RePair other;
        auto *otherLabel = other.findChild<QLabel *>(QStringLiteral("label"));
        QVERIFY(otherLabel->styleSheet().contains(QRegularExpression("rgb\\(\\d+,\\d+,\\d+\\)")));
        ConfigIni::resetForTests(QString());
    }

    void fontsFollowTheScreen_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("points");
        QTest::newRow("96") << "DeleteConfirm" << 96 << 11.0;
        QTest::newRow("120") << "DeleteConfirm" << 120 << 8.8;
        QTest::newRow("LessThree 120") << "LessThree" << 120 << 7.2;
    }
    void fontsFollowTheScreen()
    {
        QFETCH(QString, dialog);
        QFETCH(int, dpi);
        QFETCH(double, points);
        ScreenMetrics::setHorizontalDpiOverride(dpi);
        auto notice = makeNotice(dialog);
        ScreenMetrics::setHorizontalDpiOverride(0);
        const auto *label = notice->findChild<QLabel *>(QStringLiteral("label"));
        QVERIFY(qAbs(label->font().pointSizeF() - points) < 1e-4);
    }

    void placedByTheCallersOffset()
    {
        QWidget caller;
        caller.setGeometry(100, 50, 1020, 700);
        LeftButtonOnly notice;
        NoticeFrame::place(&notice, &caller, NoticeOffset::LeftButtonOnly);
        QCOMPARE(notice.pos(), QPoint(100 + 360 - 50, 50 + 280 - 70));
        // Halves are truncated toward zero, also for a caller narrower than the notice.
        caller.setGeometry(0, 0, 299, 139);
        NoticeFrame::place(&notice, &caller, NoticeOffset::LessThree);
        QCOMPARE(notice.pos(), QPoint(0 - 409, 0 - 202));
    }
};

ZR35_TEST_MAIN(TestNoticeDialogs)
#include "tst_noticedialogs.moc"
