#include "platform/desktop/filedialogs.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

class TestFileDialogs : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileDialogs::setHandler(nullptr); }

    void handlerAnswersInsteadOfTheUser_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("picked");
        QTest::newRow("open, a file picked") << false << "chosen.bin";
        QTest::newRow("save, a file picked") << true << "out.bin";
        QTest::newRow("open, cancelled") << false << QString();
    }

    void handlerAnswersInsteadOfTheUser()
    {
        QFETCH(bool, save);
        QFETCH(QString, picked);
        QList<FileDialogs::Request> asked;
        FileDialogs::setHandler([&](const FileDialogs::Request &request) {
            asked.append(request);
            return picked;
        });
        QWidget parent;
        QString selected = QStringLiteral("untouched");
        const QString answer =
            save ? FileDialogs::getSaveFileName(&parent, QStringLiteral("SaveFile"),
                                                QStringLiteral("G:"), QStringLiteral("File(*.bin)"),
                                                &selected)
                 : FileDialogs::getOpenFileName(&parent, QStringLiteral("SelectFile"),
                                                QStringLiteral("G:"), QStringLiteral("File(*.bin)"),
                                                &selected);
        QCOMPARE(answer, picked);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].kind,
                 save ? FileDialogs::Request::Kind::Save : FileDialogs::Request::Kind::Open);
        QCOMPARE(asked[0].parent, &parent);
        QCOMPARE(asked[0].caption,
                 save ? QStringLiteral("SaveFile") : QStringLiteral("SelectFile"));
        QCOMPARE(asked[0].dir, QStringLiteral("G:"));
        QCOMPARE(asked[0].filter, QStringLiteral("File(*.bin)"));
    }

    // With the handler removed the toolkit's own dialog runs again; Escape cancels it.
    void withoutHandlerTheToolkitAsks()
    {
        FileDialogs::setHandler([](const FileDialogs::Request &) { return QStringLiteral("x"); });
        FileDialogs::setHandler(nullptr);
        ModalDriver cancel(ModalDriver::named(QStringLiteral("QFileDialog")), int(Qt::Key_Escape));
        const QString answer = FileDialogs::getOpenFileName(
            nullptr, QStringLiteral("SelectFile"), QDir::tempPath(), QStringLiteral("File(*.bin)"),
            nullptr, QFileDialog::DontUseNativeDialog);
        QVERIFY2(cancel.fired(), qPrintable(cancel.failure()));
        QVERIFY(answer.isEmpty());
    }
};

ZR35_TEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
