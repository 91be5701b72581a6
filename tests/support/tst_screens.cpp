#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>

class TestScreens : public QObject
{
    Q_OBJECT
private slots:
    void savesWhatTheWidgetShows()
    {
        QLabel form(QStringLiteral("Sample"));
        form.setStyleSheet(QStringLiteral("background: rgb(10, 200, 5);"));
        form.resize(120, 40);
        QCOMPARE(saveScreen(&form, QStringLiteral("tst_screens_sample")), QString());
        const QImage saved(screensFolder() + QStringLiteral("/tst_screens_sample.png"));
        QCOMPARE(saved.size(), QSize(120, 40));
        QCOMPARE(saved.pixelColor(2, 2), QColor(10, 200, 5));
    }

    void refusesWhatShowsNothing()
    {
        QWidget sizeless;
        sizeless.resize(0, 0);
        QVERIFY(!saveScreen(&sizeless, QStringLiteral("tst_screens_sizeless")).isEmpty());

        QWidget transparent;
        transparent.setAttribute(Qt::WA_TranslucentBackground);
        transparent.resize(50, 50);
        QVERIFY(!saveScreen(&transparent, QStringLiteral("tst_screens_transparent")).isEmpty());
        QVERIFY(
            !QFileInfo::exists(screensFolder() + QStringLiteral("/tst_screens_transparent.png")));

        QVERIFY(!saveScreen(nullptr, QStringLiteral("tst_screens_none")).isEmpty());
    }
};

ZR35_TEST_MAIN(TestScreens)
#include "tst_screens.moc"
