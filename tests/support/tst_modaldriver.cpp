#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>

#include <memory>

namespace {

// A plain dialog with the buttons the notice dialogs have.
class OkDialog : public QDialog
{
public:
    OkDialog()
    {
        setObjectName(QStringLiteral("NoticeDialog"));
        auto *ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("OK"));
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        auto *hidden = new QPushButton(QStringLiteral("Hidden"), this);
        hidden->setObjectName(QStringLiteral("Hidden"));
        hidden->hide();
        connect(hidden, &QPushButton::clicked, this, &QDialog::accept);
        ok->move(0, 30);
    }
};

// One whose "Stuck" button does nothing and which ignores Escape.
class KeepsOpenDialog : public OkDialog
{
public:
    KeepsOpenDialog()
    {
        auto *stuck = new QPushButton(QStringLiteral("Stuck"), this);
        stuck->setObjectName(QStringLiteral("Stuck"));
    }

protected:
    void keyPressEvent(QKeyEvent *event) override { event->accept(); }
};

} // namespace

class TestModalDriver : public QObject
{
    Q_OBJECT
private slots:
    void answersTheDialog_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("fired");
        QTest::addColumn<int>("result");
        QTest::newRow("ok button, by object name") << "NoticeDialog"
                                                   << "OK" << 0 << true << int(QDialog::Accepted);
        QTest::newRow("ok button, by class") << "QDialog"
                                             << "OK" << 0 << true << int(QDialog::Accepted);
        QTest::newRow("escape key")
            << "NoticeDialog" << QString() << int(Qt::Key_Escape) << true << int(QDialog::Rejected);
        QTest::newRow("another dialog") << "QuestionDialog"
                                        << "OK" << 0 << false << int(QDialog::Rejected);
        QTest::newRow("no such button") << "NoticeDialog"
                                        << "Cancel" << 0 << false << int(QDialog::Rejected);
        QTest::newRow("hidden button") << "NoticeDialog"
                                       << "Hidden" << 0 << false << int(QDialog::Rejected);
    }

    void answersTheDialog()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, fired);
        QFETCH(int, result);
        const int limit = fired ? 5000 : 300;
        const auto driver =
            key ? std::make_unique<ModalDriver>(ModalDriver::named(dialog), key, limit)
                : std::make_unique<ModalDriver>(ModalDriver::named(dialog), button, limit);
        OkDialog box;
        QCOMPARE(box.exec(), result);
        QCOMPARE(driver->fired(), fired);
        QCOMPARE(driver->failure().isEmpty(), fired);
    }

    // A button or a key that does not close its dialog: the test fails within the limit with the
    // reason, instead of exec() blocking until the test runner gives up.
    void answerThatDoesNotClose_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("failure");
        QTest::newRow("button") << "Stuck" << 0 << "pressed \"Stuck\", but the dialog stayed open";
        QTest::newRow("key") << QString() << int(Qt::Key_Escape)
                             << "pressed \"Esc\", but the dialog stayed open";
    }
    void answerThatDoesNotClose()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, failure);
        KeepsOpenDialog box;
        const ModalDriver::Match dialog = ModalDriver::named(QStringLiteral("NoticeDialog"));
        const auto driver = key ? std::make_unique<ModalDriver>(dialog, key, 300)
                                : std::make_unique<ModalDriver>(dialog, button, 300);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(box.exec(), int(QDialog::Rejected));
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY(!driver->fired());
        QCOMPARE(driver->failure(), failure);
    }

    void predicateSeesTheDialog()
    {
        QString seen;
        ModalDriver driver(
            [&seen](QWidget *modal) {
                seen = modal->windowTitle();
                return modal->windowTitle() == QLatin1String("Second");
            },
            QStringLiteral("OK"));
        OkDialog first;
        first.setWindowTitle(QStringLiteral("First"));
        ModalDriver closeFirst(ModalDriver::named(QStringLiteral("NoticeDialog")),
                               int(Qt::Key_Escape), 300);
        // The first dialog does not match the predicate, so only the second driver answers it.
        QCOMPARE(first.exec(), int(QDialog::Rejected));
        QVERIFY(!driver.fired());
        QCOMPARE(seen, QStringLiteral("First"));
        OkDialog second;
        second.setWindowTitle(QStringLiteral("Second"));
        QCOMPARE(second.exec(), int(QDialog::Accepted));
        QVERIFY(driver.fired());
    }

    void firesOnce()
    {
        ModalDriver driver(ModalDriver::named(QStringLiteral("NoticeDialog")),
                           QStringLiteral("OK"));
        OkDialog first;
        QCOMPARE(first.exec(), int(QDialog::Accepted));
        QVERIFY(driver.fired());
        ModalDriver closer(ModalDriver::named(QStringLiteral("NoticeDialog")), int(Qt::Key_Escape));
        OkDialog second;
        // Had the first driver pressed OK again, this would be accepted.
        QCOMPARE(second.exec(), int(QDialog::Rejected));
        QVERIFY(closer.fired());
    }
};

ZR35_TEST_MAIN(TestModalDriver)
#include "tst_modaldriver.moc"
