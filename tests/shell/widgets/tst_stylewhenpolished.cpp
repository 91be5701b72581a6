#include "shell/widgets/stylewhenpolished.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QPixmap>

// A form's style sheets set on its first polish: nothing before, every sheet before the widget
// is first shown or drawn, once; at once for a widget already polished.
class TestStyleWhenPolished : public QObject
{
    Q_OBJECT
private slots:
    void setOnFirstPolish_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("shown") << 0;
        QTest::newRow("drawn") << 1;
        QTest::newRow("polished") << 2;
    }

    void setOnFirstPolish()
    {
        QFETCH(int, how);
        QWidget form;
        form.resize(60, 30);
        auto *label = new QLabel(QStringLiteral("text"), &form);
        int runs = 0;
        Theme::StyleWhenPolished(&form, [&] {
            ++runs;
            label->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
        });
        // The toolkit's own request that a new window polish itself waits for its first showing.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(runs, 0);
        QVERIFY(label->styleSheet().isEmpty());
        if (how == 0)
            form.show();
        else if (how == 1)
            QVERIFY(!form.grab().isNull());
        else
            form.ensurePolished();
        QCOMPARE(runs, 1);
        QCOMPARE(label->styleSheet(), QStringLiteral("color: rgb(255, 0, 0);"));
        // The label is drawn with its sheet's colour, not the palette's.
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        form.hide();
        form.show();
        form.ensurePolished();
        QCOMPARE(runs, 1);
    }

    void atOnceWhenPolishedAlready()
    {
        QWidget form;
        form.ensurePolished();
        int runs = 0;
        Theme::StyleWhenPolished(&form, [&] { ++runs; });
        QCOMPARE(runs, 1);
    }
};

ZR35_TEST_MAIN(TestStyleWhenPolished)
#include "tst_stylewhenpolished.moc"
