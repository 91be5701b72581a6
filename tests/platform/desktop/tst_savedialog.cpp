#include "platform/desktop/filedialogs.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

// The toolkit's own save dialog, as a user types a name into it: the name gets the filter's
// suffix, and replacing a file is asked about under the name that will be written.
class TestSaveDialog : public QObject
{
    Q_OBJECT
private slots:
    void typedNameGetsTheSuffix_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new file") << false;
        QTest::newRow("the completed name exists") << true;
    }
    void typedNameGetsTheSuffix()
    {
        QFETCH(bool, existing);
        QTemporaryDir dir;
        const QString completed = dir.filePath(QStringLiteral("typed.bin"));
        if (existing) {
            QFile file(completed);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        bool typed = false;
        QString question;
        int ticks = 0;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (++ticks > 500 && modal) { // no answer in 5 s: give up rather than hang
                modal->close();
                return;
            }
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                question = box->text();
                box->reject(); // do not replace
                return;
            }
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            if (!dialog)
                return;
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!name)
                return;
            if (!typed) {
                typed = true;
                name->setText(QStringLiteral("typed"));
                // Queued: the dialog's question runs a loop of its own, outside this poll.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (!question.isEmpty()) {
                dialog->reject();
            }
        });
        poll.start();
        const QString path = FileDialogs::getSaveFileName(
            nullptr, QStringLiteral("FileSave"), dir.path(), QStringLiteral("File(*.bin)"), nullptr,
            QFileDialog::DontUseNativeDialog);
        poll.stop();
        QVERIFY(typed);
        if (existing) {
            QVERIFY2(question.contains(QLatin1String("typed.bin")), qPrintable(question));
            QCOMPARE(path, QString());
        } else {
            QCOMPARE(question, QString());
            QCOMPARE(path, completed);
        }
    }
};

ZR35_TEST_MAIN(TestSaveDialog)
#include "tst_savedialog.moc"
