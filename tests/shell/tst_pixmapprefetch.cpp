#include "shell/dialogchange.h"
#include "shell/pixmapprefetch.h"
#include "tests/support/testmain.h"

#include <QFrame>
#include <QPixmapCache>
#include <QTemporaryDir>

class TestPixmapPrefetch : public QObject
{
    Q_OBJECT
private slots:
    void init() { QPixmapCache::clear(); }

    // What was decoded beside the GUI thread is what loading the file by name gives, pixel for
    // pixel, without a second decode: the same cached pixmap. The home page's background and a
    // picture with transparent pixels.
    void loadingFindsThePrefetchedPicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("home background") << DialogChange::BackgroundPicture();
        QTest::newRow("transparent")
            << AppDir::filePath(QStringLiteral("Picture/Dialog/Close.png"));
    }
    void loadingFindsThePrefetchedPicture()
    {
        QFETCH(QString, file);
        const QImage decodedHere(file);
        QVERIFY(!decodedHere.isNull());
        PixmapPrefetch prefetch(file);
        const QPixmap delivered = prefetch.deliver();
        QVERIFY(!delivered.isNull());
        const QPixmap loaded(file);
        QCOMPARE(loaded.cacheKey(), delivered.cacheKey());
        QCOMPARE(loaded.toImage(), QPixmap::fromImage(decodedHere).toImage());
        // Once only.
        QVERIFY(prefetch.deliver().isNull());
    }

    // A style sheet that names the picture draws the prefetched pixmap.
    void styleSheetDrawsIt()
    {
        const QString file = DialogChange::BackgroundPicture();
        QFrame plain;
        plain.setFixedSize(1020, 700);
        plain.setObjectName(QStringLiteral("frameChange"));
        plain.setStyleSheet(QStringLiteral("#frameChange{border-image: url(%1);}").arg(file));
        const QImage decodedByTheSheet = plain.grab().toImage();
        QPixmapCache::clear();

        PixmapPrefetch prefetch(file);
        QVERIFY(!prefetch.deliver().isNull());
        QFrame prefetched;
        prefetched.setFixedSize(1020, 700);
        prefetched.setObjectName(QStringLiteral("frameChange"));
        prefetched.setStyleSheet(plain.styleSheet());
        QCOMPARE(prefetched.grab().toImage(), decodedByTheSheet);
    }

    // Nothing to read: nothing cached, loading fails as it would have. Cached already: no decode.
    void missingOrCachedFile()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("none.png"));
        PixmapPrefetch none(missing);
        QVERIFY(none.deliver().isNull());
        QVERIFY(QPixmap(missing).isNull());

        const QString file = DialogChange::BackgroundPicture();
        const QPixmap first(file);
        PixmapPrefetch again(file);
        QVERIFY(again.deliver().isNull());
        QCOMPARE(QPixmap(file).cacheKey(), first.cacheKey());
    }

    // Asked for nothing, the decode is waited for when the prefetch goes.
    void unusedPrefetchEnds() { PixmapPrefetch unused(DialogChange::BackgroundPicture()); }
};

ZR35_TEST_MAIN(TestPixmapPrefetch)
#include "tst_pixmapprefetch.moc"
