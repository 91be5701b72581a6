#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "lighting/lightmodeset.h"
#include "platform/desktop/screencolour.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/lighting/lightbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

QComboBox *modeList(const LightModeSet &dialog)
{
    return child<QComboBox>(&dialog, "LightMod");
}

bool shown(const LightModeSet &dialog, const char *name)
{
    return !child<QWidget>(&dialog, name)->isHidden();
}

QColor boxes(const LightModeSet &dialog)
{
    return QColor(child<QSpinBox>(&dialog, "RSpinBox")->value(),
                  child<QSpinBox>(&dialog, "GSpinBox")->value(),
                  child<QSpinBox>(&dialog, "BSpinBox")->value());
}

QString preview(const LightModeSet &dialog)
{
    return child<QLabel>(&dialog, "labelPreView")->styleSheet();
}

void click(const LightModeSet &dialog, const char *button)
{
    child<QToolButton>(&dialog, button)->click();
}

QImage oneColour(const QColor &colour)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestLightModeSet : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ScreenColour::setGrabForTest({}); }

    // As built: off, the lines in the sliders' places, the colours hidden, the form's own texts.
    void asBuilt()
    {
        LightBench bench;
        LightModeSet dialog;
        QCOMPARE(modeList(dialog)->currentIndex(), 0);
        QCOMPARE(modeList(dialog)->currentText(), QStringLiteral("关闭"));
        QVERIFY(shown(dialog, "line") && shown(dialog, "line_2"));
        QVERIFY(!shown(dialog, "horizontalLight") && !shown(dialog, "horizontalSpeed"));
        QVERIFY(!shown(dialog, "label_7") && !shown(dialog, "toolButtonColorN"));
        QCOMPARE(boxes(dialog), QColor(0, 0, 0));
        QCOMPARE(child<QSlider>(&dialog, "horizontalSpeed")->value(), 1);
        // Built hidden, the dialog takes its sheets when first polished.
        dialog.ensurePolished();
        QVERIFY(preview(dialog).contains("PreviewColor.png"));
        QCOMPARE(missingPictures(&dialog), QStringList());
    }

    void modeRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("look"); // line, line_2, colours, brightness, speed
        QTest::newRow("colour flow") << 1 << "00011";
        QTest::newRow("single-colour breathing") << 2 << "00111";
        QTest::newRow("mixed colours steady") << 3 << "01110";
    }
    void modeRules()
    {
        QFETCH(int, mode);
        QFETCH(QString, look);
        LightBench bench;
        LightModeSet dialog;
        modeList(dialog)->setCurrentIndex(mode);
        const QString seen = QString::number(shown(dialog, "line")) +
                             QString::number(shown(dialog, "line_2")) +
                             QString::number(shown(dialog, "label_7")) +
                             QString::number(shown(dialog, "horizontalLight")) +
                             QString::number(shown(dialog, "horizontalSpeed"));
        QCOMPARE(seen, look);
    }

    // Steps stop at the ends, a preset fills the boxes and the preview, the same preset again
    // changes nothing; a preset click only toggles its own button.
    void colours()
    {
        LightBench bench;
        LightModeSet dialog;
        click(dialog, "ReduceB");
        QCOMPARE(boxes(dialog), QColor(0, 0, 0));
        click(dialog, "toolButtonColorK");
        QCOMPARE(boxes(dialog), QColor(255, 255, 255));
        QVERIFY(preview(dialog).contains("rgb(255,255,255)"));
        click(dialog, "AddR");
        QCOMPARE(boxes(dialog), QColor(255, 255, 255));
        click(dialog, "toolButtonColorA");
        QVERIFY(preview(dialog).contains("rgb(255,0,0)"));
        QVERIFY(child<QToolButton>(&dialog, "toolButtonColorK")->isChecked());
        click(dialog, "toolButtonColorK");
        QVERIFY(!child<QToolButton>(&dialog, "toolButtonColorK")->isChecked());
    }

    // With an online mouse and writing enabled, nothing the user does here reaches the record,
    // the device library or the hub, the colour board included, which picks even while hidden.
    void touchesNothingOutside()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        const FlashDataMap before = DeviceState::instance()->CurrentFlashData.get();
        LightModeSet dialog;
        dialog.show();
        QSignalSpy offline(hub(), &PostMsg::SigMouseOffLineo);
        ScreenColour::setGrabForTest([](const QPoint &) { return oneColour(QColor(9, 8, 7)); });
        QTest::mousePress(&dialog, Qt::LeftButton, {},
                          child<QLabel>(&dialog, "label_7")->geometry().center());
        QCOMPARE(boxes(dialog), QColor(9, 8, 7));
        QVERIFY(preview(dialog).contains("rgb(9,8,7)"));
        for (int mode : {3, 2, 0})
            modeList(dialog)->setCurrentIndex(mode);
        for (const char *button : {"AddR", "AddG", "ReduceB", "toolButtonColorF"})
            click(dialog, button);
        child<QSlider>(&dialog, "horizontalLight")->setValue(7);
        child<QSpinBox>(&dialog, "GSpinBox")->setValue(33);
        QVERIFY(SimulationControl::calls().isEmpty());
        QCOMPARE(offline.size(), 0);
        const FlashDataMap after = DeviceState::instance()->CurrentFlashData.get();
        QVERIFY(memcmp(before.bytes(), after.bytes(), sizeof before) == 0);
    }

    // Texts only when asked, from the picture panels' table; the list keeps its entry.
    void textsWhenAsked()
    {
        LightBench bench;
        LightModeSet dialog;
        modeList(dialog)->setCurrentIndex(4);
        emit hub()->SigAllLanguage(1);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), QStringLiteral("灯光模式"));
        dialog.SlotAllLanguage(1);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), ScreenInfoTexts.text(1, 5, "?"));
        QCOMPARE(modeList(dialog)->itemText(4), ScreenInfoTexts.text(1, 10, "?"));
        QCOMPARE(child<QLabel>(&dialog, "label_12")->text(), ScreenInfoTexts.text(1, 20, "?"));
        QCOMPARE(modeList(dialog)->currentIndex(), 4);
        dialog.SlotAllLanguage(8);
        QCOMPARE(child<QLabel>(&dialog, "label")->text(), ScreenInfoTexts.text(1, 5, "?"));
    }

    // The close button tells the hub once and hides the dialog; shown again, it is as it was.
    void closeKeepsValues()
    {
        LightBench bench;
        LightModeSet dialog;
        dialog.show();
        modeList(dialog)->setCurrentIndex(3);
        click(dialog, "toolButtonColorI");
        QSignalSpy check(hub(), &PostMsg::SigButtonCheck);
        click(dialog, "CloseButton");
        QCOMPARE(check.size(), 1);
        QVERIFY(!dialog.isVisible());
        dialog.show();
        QCOMPARE(modeList(dialog)->currentIndex(), 3);
        QCOMPARE(boxes(dialog), QColor(46, 166, 223));
        QVERIFY(shown(dialog, "line_2") && !shown(dialog, "line"));
    }
};

ZR35_TEST_MAIN(TestLightModeSet)
#include "tst_lightmodeset.moc"
