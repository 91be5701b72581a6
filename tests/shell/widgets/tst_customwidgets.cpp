#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/mylineedit.h"
#include "shell/widgets/myprogressbar.h"
#include "shell/widgets/myslider.h"
#include "shell/widgets/mytoolbutton.h"
#include "tests/support/testmain.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace {
// Counts the events of type QEvent::User + 1 that the slider sends to its parent.
class JumpCounter : public QWidget
{
public:
    int jumps = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User + 1)
            ++jumps;
        return QWidget::event(e);
    }
};

void sendMouse(QWidget *w, QEvent::Type type, Qt::MouseButton button, QPoint pos = {5, 5})
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

// Waits until each timer of `bar` that runs now has fired a few times more: a value that has not
// moved by then is held, not merely late.
bool runningTimersTick(const QObject &bar, int ticks = 3)
{
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QTimer *timer : bar.findChildren<QTimer *>()) {
        if (timer->isActive())
            spies.push_back(std::make_unique<QSignalSpy>(timer, &QTimer::timeout));
    }
    return !spies.empty() && QTest::qWaitFor([&] {
        return std::all_of(spies.begin(), spies.end(), [&](const std::unique_ptr<QSignalSpy> &spy) {
            return spy->count() >= ticks;
        });
    });
}
} // namespace

class TestCustomWidgets : public QObject
{
    Q_OBJECT
private slots:
    void sliderJumpsToThePressedPosition_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("quarter") << 0 << 100 << 200 << 50 << 25;
        QTest::newRow("last pixel truncates") << 0 << 100 << 200 << 199 << 99;
        QTest::newRow("dpi range") << 400 << 16000 << 300 << 150 << 8200;
        QTest::newRow("left edge") << 400 << 16000 << 300 << 0 << 400;
    }
    void sliderJumpsToThePressedPosition()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, width);
        QFETCH(int, x);
        QFETCH(int, expected);
        JumpCounter parent;
        auto *slider = new MySlider(&parent);
        slider->setOrientation(Qt::Horizontal);
        slider->setRange(minimum, maximum);
        slider->setValue(maximum);
        slider->setGeometry(0, 0, width, 20);
        QSignalSpy changed(slider, &QSlider::valueChanged);
        sendMouse(slider, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(x, 10));
        QCOMPARE(slider->value(), expected);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(parent.jumps, 1);
    }

    void sliderWithoutWidthKeepsItsValue()
    {
        MySlider slider;
        slider.setRange(0, 100);
        slider.setValue(40);
        slider.resize(0, 0);
        sendMouse(&slider, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(0, 0));
        QCOMPARE(slider.value(), 40);
    }

    void comboBoxRemembersTheIndexAtThePress()
    {
        MyConmboBox box;
        box.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        box.setCurrentIndex(1);
        box.show();
        QCOMPARE(box.pressIndex, 0);
        sendMouse(&box, QEvent::MouseButtonPress, Qt::LeftButton);
        box.hidePopup();
        box.setCurrentIndex(2);
        QCOMPARE(box.pressIndex, 1);
        sendMouse(&box, QEvent::MouseButtonPress, Qt::LeftButton);
        box.hidePopup();
        QCOMPARE(box.pressIndex, 2);
    }

    void toolButtonTellsPressFromDoubleClick()
    {
        MyToolButton button;
        button.setCheckable(true);
        QSignalSpy clicked(&button, &QToolButton::clicked);
        sendMouse(&button, QEvent::MouseButtonPress, Qt::RightButton);
        sendMouse(&button, QEvent::MouseButtonDblClick, Qt::RightButton);
        QVERIFY(clicked.isEmpty());
        QVERIFY(!button.isChecked());

        sendMouse(&button, QEvent::MouseButtonPress, Qt::LeftButton);
        sendMouse(&button, QEvent::MouseButtonRelease, Qt::LeftButton);
        sendMouse(&button, QEvent::MouseButtonDblClick, Qt::LeftButton);
        sendMouse(&button, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(clicked.at(0).at(0).toBool(), false);
        QCOMPARE(clicked.at(1).at(0).toBool(), true);
        QVERIFY(button.isChecked());
    }

    void lineEditIgnoresTheKeyboard()
    {
        MyLineEdit edit;
        edit.setText(QStringLiteral("Ctrl+A"));
        QTest::keyClicks(&edit, QStringLiteral("xy"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("Ctrl+A"));
    }

    void progressBarStops_data()
    {
        QTest::addColumn<int>("stages");
        QTest::addColumn<QVector<int>>("stops");
        QTest::newRow("3") << 3 << QVector<int>{0, 33, 66, 100};
        QTest::newRow("4") << 4 << QVector<int>{0, 25, 50, 75, 100};
        QTest::newRow("1") << 1 << QVector<int>{0, 100};
        QTest::newRow("0") << 0 << QVector<int>{0, 100};
    }
    void progressBarStops()
    {
        QFETCH(int, stages);
        QFETCH(QVector<int>, stops);
        MyProgressBar bar;
        bar.mSetStages(7);
        bar.mSetStages(stages);
        QCOMPARE(bar.stops(), stops);
    }

    void progressBarShowsOneDecimal()
    {
        MyProgressBar bar;
        bar.mSetValue(7);
        QCOMPARE(bar.format(), QStringLiteral("7.0%"));
        bar.mSetValue(37);
        QCOMPARE(bar.format(), QStringLiteral("37.0%"));
    }

    void progressBarCreepsAndCatchesUp()
    {
        MyProgressBar bar;
        bar.mStart(4, 1);
        QTRY_COMPARE(bar.value(), 24);
        // Held one short of the stage's end while the creep goes on ticking.
        QVERIFY(runningTimersTick(bar));
        QCOMPARE(bar.value(), 24);

        bar.mUpdate();
        QTRY_COMPARE(bar.value(), 49);
        QVERIFY(runningTimersTick(bar));
        QCOMPARE(bar.value(), 49);

        bar.mUpdate();
        bar.mUpdate();
        bar.mUpdate();
        QTRY_COMPARE(bar.value(), 100);
        QCOMPARE(bar.stage(), 4);
        const auto timers = bar.findChildren<QTimer *>();
        QCOMPARE(timers.size(), 2);
        QTRY_VERIFY(!timers.at(0)->isActive() && !timers.at(1)->isActive());

        bar.mUpdate();
        QCOMPARE(bar.stage(), 4);
        QCOMPARE(bar.value(), 100);
    }

    void progressBarUpdateBeforeStartDoesNothing()
    {
        MyProgressBar bar;
        bar.mUpdate();
        QCOMPARE(bar.stage(), 0);
        QCOMPARE(bar.value(), 0);
    }
};

ZR35_TEST_MAIN(TestCustomWidgets)
#include "tst_customwidgets.moc"
