#include "shell/widgets/pageframe.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QFrame>
#include <QGridLayout>

// The device pages lie on the main window's dark picture; the panel that holds a page must add
// no edge of its own, or a light line runs along the page's left and top.
class TestPageFrame : public QObject
{
    Q_OBJECT
private slots:
    void panelDrawsNoEdge()
    {
        QWidget page;
        page.setAutoFillBackground(true);
        QPalette dark = page.palette();
        dark.setColor(QPalette::Window, QColor(20, 20, 24));
        page.setPalette(dark);
        QGridLayout *layout = nullptr;
        QFrame *panel = PageFrame::build(&page, "Page", "PagePanel", &layout);
        QVERIFY(panel);
        QCOMPARE(page.objectName(), QStringLiteral("Page"));
        ZR35_SAVE_SCREEN(&page, QStringLiteral("pageframe-empty"));
        const QImage image = page.grab().toImage();
        const QColor inside = image.pixelColor(PageFrame::Width / 2, PageFrame::Height / 2);
        for (const QPoint &edge :
             {QPoint(0, PageFrame::Height / 2), QPoint(PageFrame::Width / 2, 0),
              QPoint(PageFrame::Width - 1, PageFrame::Height / 2),
              QPoint(PageFrame::Width / 2, PageFrame::Height - 1)}) {
            QCOMPARE(image.pixelColor(edge).name(), inside.name());
        }
    }
};

ZR35_TEST_MAIN(TestPageFrame)
#include "tst_pageframe.moc"
