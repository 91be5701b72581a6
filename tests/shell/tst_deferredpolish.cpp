#include "shell/deferredpolish.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

bool polished(const QWidget *widget)
{
    return widget->testAttribute(Qt::WA_WState_Polished);
}

// A window of two pages, the second hidden behind the first; the second page's label takes its
// font size from its style sheet, which only polishing applies.
struct TwoPages
{
    QWidget window;
    QStackedWidget *stack = new QStackedWidget(&window);
    QWidget *front = new QWidget(stack);
    QWidget *back = new QWidget(stack);
    QLabel *frontLabel = new QLabel(QStringLiteral("front"), front);
    QLabel *backLabel = new QLabel(QStringLiteral("back"), back);
    DeferredPolish deferred{back};

    TwoPages()
    {
        (new QVBoxLayout(&window))->addWidget(stack);
        stack->addWidget(front);
        stack->addWidget(back);
        backLabel->setStyleSheet(QStringLiteral("QLabel { font-size: 31px; }"));
        window.resize(300, 200);
    }
    void show()
    {
        deferred.holdWhile([this] { window.show(); });
    }
};

} // namespace

class TestDeferredPolish : public QObject
{
    Q_OBJECT
private slots:
    void heldWhileTheWindowShowsAndPaintsUntilThePartShows()
    {
        TwoPages pages;
        pages.show();
        QVERIFY(polished(pages.frontLabel));
        QVERIFY(!polished(pages.back));
        QVERIFY(!polished(pages.backLabel));
        QVERIFY(pages.deferred.holding());
        // Painted, then idle: the hidden page is still not polished, nothing of it is decoded.
        QVERIFY(QTest::qWaitForWindowExposed(&pages.window));
        QVERIFY(!pages.window.grab().isNull());
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!polished(pages.back));
        QVERIFY(!polished(pages.backLabel));
        QCOMPARE(pages.backLabel->font().pixelSize(), -1);
        QVERIFY(pages.deferred.holding());
        pages.stack->setCurrentIndex(1);
        QVERIFY(polished(pages.back));
        QVERIFY(polished(pages.backLabel));
        QCOMPARE(pages.backLabel->font().pixelSize(), 31);
        QVERIFY(!pages.deferred.holding());
    }

    void deliveredBeforeTheHiddenPartIsShown()
    {
        TwoPages pages;
        pages.show();
        QVERIFY(!polished(pages.backLabel));
        // No event loop in between: the page must not show unpolished.
        pages.stack->setCurrentIndex(1);
        QVERIFY(polished(pages.back));
        QVERIFY(polished(pages.backLabel));
        QCOMPARE(pages.backLabel->font().pixelSize(), 31);
    }

    // A widget made in the part after the part was polished (as a list is filled after its
    // scroll area showed it) is not reached by the part's polish: the toolkit's request that it
    // polish itself at the next turn of the event loop waits too, and the part's first showing
    // polishes it, shown or not.
    void aWidgetMadeLaterWaitsForThePart()
    {
        TwoPages pages;
        pages.show();
        auto *late = new QLabel(QStringLiteral("late"), pages.back);
        late->setStyleSheet(QStringLiteral("QLabel { font-size: 27px; }"));
        auto *lateHidden = new QLabel(QStringLiteral("hidden"), pages.back);
        lateHidden->setStyleSheet(QStringLiteral("QLabel { font-size: 23px; }"));
        lateHidden->hide();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QVERIFY(!polished(late));
        QVERIFY(!polished(lateHidden));
        QCOMPARE(late->font().pixelSize(), -1);
        pages.stack->setCurrentIndex(1);
        QVERIFY(polished(late));
        QCOMPARE(late->font().pixelSize(), 27);
        QVERIFY(polished(lateHidden));
        QCOMPARE(lateHidden->font().pixelSize(), 23);
    }

    void aWidgetGoneMeanwhileIsSkipped()
    {
        TwoPages pages;
        pages.show();
        delete pages.backLabel;
        pages.deferred.release();
        QVERIFY(polished(pages.back));
        // Released once: a second window show holds nothing back.
        pages.window.hide();
        pages.show();
        QVERIFY(!pages.deferred.holding());
    }
};

ZR35_TEST_MAIN(TestDeferredPolish)
#include "tst_deferredpolish.moc"
