#include "platform/appdir.h"
#include "platform/desktop/picturesource.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

class TestPictureCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_app.isValid());
        QDir(m_app.path()).mkpath(QStringLiteral("Picture/Dialog"));
        QImage picture(4, 4, QImage::Format_ARGB32);
        picture.fill(Qt::gray);
        QVERIFY(picture.save(m_app.filePath(QStringLiteral("Picture/Dialog/Close.png"))));
        AppDir::setOverride(m_app.path());
    }

    void cleanupTestCase() { AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR)); }

    void findsTheMissingOne_data()
    {
        QTest::addColumn<QString>("styleSheet");
        QTest::addColumn<QStringList>("missing");
        const QString present = AppDir::filePath(QStringLiteral("Picture/Dialog/Close.png"));
        const QString absent = AppDir::filePath(QStringLiteral("Picture/Dialog/Min.png"));
        QTest::newRow("background-image and border-image")
            << "#CloseButton{background-image: url(" + present +
                   ");}QToolButton:hover{border-image: url(" + absent + ");}"
            << QStringList{absent};
        QTest::newRow("quoted, indicator image")
            << "QCheckBox::indicator:checked {image: url(\"" + absent +
                   "\");}QCheckBox::indicator:unchecked {image: url('" + present + "');}"
            << QStringList{absent};
        QTest::newRow("relative to the app folder")
            << "QLabel{background-image: url(Picture/Dialog/Close.png);}"
               "QLabel:hover{background-image: url(Picture/Dialog/Min.png);}"
            << QStringList{absent};
        QTest::newRow("all present") << "#a{border-image: url(" + present + ");}" << QStringList{};
    }

    void findsTheMissingOne()
    {
        QFETCH(QString, styleSheet);
        QFETCH(QStringList, missing);
        QWidget form;
        auto *inner = new QWidget(&form);
        auto *button = new QWidget(inner);
        button->setStyleSheet(styleSheet);
        QCOMPARE(missingPictures(&form), missing);
    }

    void labelPictures()
    {
        QWidget form;
        auto *shown = new QLabel(&form);
        auto *lost = new QLabel(&form);
        QVERIFY(PictureSource::setLabelPicture(
            shown, AppDir::filePath(QStringLiteral("Picture/Dialog/Close.png"))));
        QVERIFY(!PictureSource::setLabelPicture(
            lost, AppDir::filePath(QStringLiteral("Picture/Dialog/Logo.png"))));
        QCOMPARE(referencedPictures(&form).size(), 2);
        QCOMPARE(missingPictures(&form),
                 QStringList{AppDir::filePath(QStringLiteral("Picture/Dialog/Logo.png"))});
    }

private:
    QTemporaryDir m_app;
};

ZR35_TEST_MAIN(TestPictureCheck)
#include "tst_picturecheck.moc"
