#include "shell/widgets/dialogbuttonicons.h"
#include "tests/support/testmain.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// The style of a desktop that puts icons on dialog buttons, counting the icons it is asked for.
class CountingStyle : public QProxyStyle
{
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    mutable int lookups = 0;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        ++lookups;
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

QImage drawn(QWidget &widget)
{
    widget.resize(widget.sizeHint());
    return widget.grab().toImage();
}

} // namespace

// A dialog's OK and Cancel icons are looked up when first drawn, and are then the icons the
// style gives; every other icon comes from the style at once.
class TestDialogButtonIcons : public QObject
{
    Q_OBJECT
private slots:
    void iconsLookedUpOnFirstUseAsTheStyleGivesThem_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("OK") << int(QStyle::SP_DialogOkButton);
        QTest::newRow("Cancel") << int(QStyle::SP_DialogCancelButton);
    }

    void iconsLookedUpOnFirstUseAsTheStyleGivesThem()
    {
        QFETCH(int, which);
        const auto pixmap = QStyle::StandardPixmap(which);
        auto *base = new CountingStyle;
        DialogButtonIcons style(base);
        CountingStyle reference;
        const QIcon expected = reference.standardIcon(pixmap, nullptr, nullptr);
        QVERIFY(!expected.isNull());

        const QIcon icon = style.standardIcon(pixmap);
        QCOMPARE(base->lookups, 0);
        QVERIFY(!icon.isNull());
        QCOMPARE(base->lookups, 0);
        for (const int extent : {16, 24, 32}) {
            for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                QCOMPARE(icon.actualSize(QSize(extent, extent), mode),
                         expected.actualSize(QSize(extent, extent), mode));
                QCOMPARE(icon.pixmap(extent, mode).toImage(),
                         expected.pixmap(extent, mode).toImage());
            }
        }
        QCOMPARE(icon.availableSizes(), expected.availableSizes());
        QCOMPARE(icon.name(), expected.name());
        QCOMPARE(base->lookups, 1);
    }

    void otherIconsComeAtOnce()
    {
        auto *base = new CountingStyle;
        DialogButtonIcons style(base);
        QStyleOption option;
        for (const auto pixmap : {QStyle::SP_MessageBoxWarning, QStyle::SP_DialogHelpButton})
            QVERIFY(!style.standardIcon(pixmap).isNull());
        QCOMPARE(base->lookups, 2);
        style.standardIcon(QStyle::SP_DialogOkButton, &option);
        QCOMPARE(base->lookups, 3);
    }

    // A button box made under the style asks for no icon until it is drawn, and is drawn as the
    // desktop's style draws it.
    void buttonBoxDrawnTheSame()
    {
        auto *base = new CountingStyle;
        DialogButtonIcons style(base);
        QDialogButtonBox box;
        box.setStyle(&style);
        box.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(base->lookups, 0);
        QVERIFY(!box.button(QDialogButtonBox::Ok)->icon().isNull());

        CountingStyle reference;
        QDialogButtonBox expected;
        expected.setStyle(&reference);
        expected.setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QVERIFY(reference.lookups >= 2);

        QCOMPARE(box.sizeHint(), expected.sizeHint());
        QCOMPARE(base->lookups, 0);
        const QImage picture = drawn(box);
        QCOMPARE(picture, drawn(expected));
        QCOMPARE(base->lookups, 2);
    }
};

ZR35_TEST_MAIN(TestDialogButtonIcons)
#include "tst_dialogbuttonicons.moc"
