#include "platform/desktop/urlopener.h"
#include "tests/support/testmain.h"

class TestUrlOpener : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { UrlOpener::setHandler({}); }

    void opensOnlyValidLinks_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<bool>("handed");
        QTest::newRow("web link") << QUrl(QStringLiteral("https://example.com/support")) << true;
        QTest::newRow("tolerant text") << QUrl(QStringLiteral("https://example.com/a b")) << true;
        QTest::newRow("empty") << QUrl() << false;
        QTest::newRow("invalid") << QUrl(QStringLiteral("http://[bad"), QUrl::StrictMode) << false;
    }
    void opensOnlyValidLinks()
    {
        QFETCH(QUrl, url);
        QFETCH(bool, handed);
        QList<QUrl> opened;
        UrlOpener::setHandler([&](const QUrl &u) {
            opened << u;
            return true;
        });
        QCOMPARE(UrlOpener::open(url), handed);
        QCOMPARE(opened, handed ? QList<QUrl>{url} : QList<QUrl>{});
    }

    void reportsTheHandlersResult()
    {
        UrlOpener::setHandler([](const QUrl &) { return false; });
        QVERIFY(!UrlOpener::open(QUrl(QStringLiteral("https://example.com"))));
    }
};

ZR35_TEST_MAIN(TestUrlOpener)
#include "tst_urlopener.moc"
