#include "shell/widgets/fontscaling.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QToolTip>

namespace {
// The factor is computed in single precision, so sizes match to a few decimals only.
bool near(double actual, double expected)
{
    return qAbs(actual - expected) < 1e-4;
}

QFont fontOf(double points)
{
    QFont f;
    f.setPointSizeF(points);
    return f;
}
} // namespace

class TestFontScaling : public QObject
{
    Q_OBJECT
private slots:
    void fontFactorIsExactAt96()
    {
        QCOMPARE(FontFactor(96), 1.0);
        QVERIFY(near(FontFactor(120), 0.8));
        QVERIFY(near(FontFactor(144), 2.0 / 3.0));
    }

    void everyFontIsScaledOnce_data()
    {
        QTest::addColumn<bool>("mainWindowWalk");
        QTest::newRow("form") << false;
        QTest::newRow("main window") << true;
    }
    void everyFontIsScaledOnce()
    {
        QFETCH(bool, mainWindowWalk);
        QWidget root;
        root.setFont(fontOf(11));
        auto *panel = new QWidget(&root); // inherits
        auto *label = new QLabel(panel);  // inherits through two levels
        auto *own = new QLabel(panel);    // a font of its own
        own->setFont(fontOf(9));
        auto *ownChild = new QWidget(own); // inherits the own font
        const double factor = FontFactor(120);
        mainWindowWalk ? ScaleWidgetFont(&root, factor) : ScaleFormFont(&root, factor);
        QVERIFY(near(root.font().pointSizeF(), 8.8));
        QVERIFY(near(panel->font().pointSizeF(), 8.8));
        QVERIFY(near(label->font().pointSizeF(), 8.8));
        QVERIFY(near(own->font().pointSizeF(), 7.2));
        QVERIFY(near(ownChild->font().pointSizeF(), 7.2));
        // Inheriting widgets keep following their parent.
        QVERIFY(!label->testAttribute(Qt::WA_SetFont));
    }

    void nothingChangesAt96Dpi()
    {
        QWidget root;
        root.setFont(fontOf(11));
        auto *label = new QLabel(&root);
        ScaleFormFont(&root, FontFactor(96));
        QCOMPARE(root.font().pointSizeF(), 11.0);
        QCOMPARE(label->font().pointSizeF(), 11.0);
        QVERIFY(!label->testAttribute(Qt::WA_SetFont));
    }

    void mainWindowWalkHasTwoExceptions()
    {
        QWidget root;
        root.setFont(fontOf(11));
        auto *receive = new QWidget(&root);
        receive->setObjectName(QStringLiteral("Receive_2"));
        auto *below = new QLabel(receive);
        auto *noApear = new QLabel(&root);
        noApear->setObjectName(QStringLiteral("NoApear"));
        noApear->setFont(fontOf(10));
        ScaleWidgetFont(&root, FontFactor(120));
        QCOMPARE(receive->font().pointSizeF(), 11.0);
        QVERIFY(near(below->font().pointSizeF(), 8.8));
        QVERIFY(near(noApear->font().pointSizeF(), 8.0));
        QCOMPARE(QToolTip::font(), noApear->font());

        QWidget form;
        form.setFont(fontOf(11));
        auto *named = new QWidget(&form);
        named->setObjectName(QStringLiteral("Receive_2"));
        ScaleFormFont(&form, FontFactor(120));
        QVERIFY(near(named->font().pointSizeF(), 8.8));
    }
};

ZR35_TEST_MAIN(TestFontScaling)
#include "tst_fontscaling.moc"
