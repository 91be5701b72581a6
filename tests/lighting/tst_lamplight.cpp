#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "lighting/lamplight.h"
#include "lighting/lightlook.h"
#include "platform/appdir.h"
#include "platform/desktop/screencolour.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/lighting/lightbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// A record from the device, as the device-event callback delivers it: from a thread of its own.
bool fromDevice(const FlashDataMap &record)
{
    return runOnWorkerThread([record] { emit hub()->SigUpDataLightLight(record); });
}

QComboBox *modeList(const LampLight &page)
{
    return child<QComboBox>(&page, "LightMod");
}

QSpinBox *box(const LampLight &page, const char *name)
{
    return child<QSpinBox>(&page, name);
}

bool shown(const LampLight &page, const char *name)
{
    return !child<QWidget>(&page, name)->isHidden();
}

QColor boxes(const LampLight &page)
{
    return QColor(box(page, "RSpinBox")->value(), box(page, "GSpinBox")->value(),
                  box(page, "BSpinBox")->value());
}

QColor colourOf(const FlashDataMap &record)
{
    return QColor(record.LightRed, record.LightGreen, record.LightBlue);
}

// Puts a colour into the boxes as a fill does: nothing written.
void showColour(const QColor &colour)
{
    QVERIFY(fromDevice(LightBench::record([&](FlashDataMap &r) {
        r.LightRed = quint8(colour.red());
        r.LightGreen = quint8(colour.green());
        r.LightBlue = quint8(colour.blue());
    })));
}

QImage oneColour(const QColor &colour)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestLampLight : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        ScreenColour::setGrabForTest({});
        state().CurrentLanguage = 0;
    }

    // An online mouse with writing enabled: building the page must not switch its light off.
    void buildingWritesNothing()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        QVERIFY(LightBench::sent().isEmpty());
        QCOMPARE(modeList(page)->currentIndex(), 0);
        QVERIFY(shown(page, "line") && shown(page, "line_2"));
        QVERIFY(!shown(page, "horizontalLight") && !shown(page, "RSpinBox"));
        QCOMPARE(missingPictures(&page), QStringList());
    }

    void modeRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("look"); // line, line_2, colours, brightness, speed
        QTest::newRow("off") << 0 << "11000";
        QTest::newRow("colour flow") << 1 << "00011";
        QTest::newRow("single-colour breathing") << 2 << "00111";
        QTest::newRow("mixed colours steady") << 3 << "01110";
        QTest::newRow("neon") << 4 << "00011";
        QTest::newRow("mixed colours breathing") << 5 << "00011";
    }
    void modeRules()
    {
        QFETCH(int, mode);
        QFETCH(QString, look);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        modeList(page)->setCurrentIndex(mode == 0 ? 1 : 0);
        modeList(page)->setCurrentIndex(mode);
        const QString seen = QString::number(shown(page, "line")) +
                             QString::number(shown(page, "line_2")) +
                             QString::number(shown(page, "label_7")) +
                             QString::number(shown(page, "horizontalLight")) +
                             QString::number(shown(page, "horizontalSpeed"));
        QCOMPARE(seen, look);
        QCOMPARE(shown(page, "LightSpinBox_2"), shown(page, "horizontalLight"));
        QCOMPARE(shown(page, "SpeedSpinBox_2"), shown(page, "horizontalSpeed"));
        QCOMPARE(shown(page, "toolButtonColorN"), shown(page, "label_7"));
        QVERIFY(shown(page, "label_2") && shown(page, "label_3"));
    }

    // A mode switches the light on with that effect; off clears the on byte only, so the effect
    // is kept for the next time the light comes on. Both stay in the mouse over a restart.
    void modeWrites_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("lightOn");
        QTest::addColumn<int>("lightMode");
        QTest::newRow("off keeps the effect") << 0 << 0 << 3;
        QTest::newRow("single-colour breathing") << 2 << 1 << 2;
        QTest::newRow("mixed colours breathing") << 5 << 1 << 5;
    }
    void modeWrites()
    {
        QFETCH(int, mode);
        QFETCH(int, lightOn);
        QFETCH(int, lightMode);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        modeList(page)->setCurrentIndex(3);
        QCOMPARE(int(LightBench::stored().LightMode), 3);
        modeList(page)->setCurrentIndex(mode);
        QCOMPARE(LightBench::sent().size(), 2);
        SimulationControl::restartBus();
        const FlashDataMap kept = LightBench::stored();
        QCOMPARE(int(kept.LightOn), lightOn);
        QCOMPARE(int(kept.LightMode), lightMode);
    }

    // What a record shows: the mode only while the light is on, the steps one above the stored
    // byte within 1..10, the idle time only when it is one of the list's.
    void showsRecord_data()
    {
        QTest::addColumn<int>("lightOn");
        QTest::addColumn<int>("lightMode");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("sleepTime");
        QTest::addColumn<int>("shownMode");
        QTest::addColumn<int>("shownBrightness");
        QTest::addColumn<int>("sleepItem");
        QTest::newRow("light off") << 0 << 3 << 4 << 30 << 0 << 5 << 3;
        QTest::newRow("on in mode 0") << 1 << 0 << 0 << 6 << 0 << 1 << 2;
        QTest::newRow("mode 6: no entry") << 1 << 6 << 9 << 240 << -1 << 10 << 10;
        QTest::newRow("byte 12, 50 s") << 1 << 2 << 12 << 5 << 2 << 10 << 0;
    }
    void showsRecord()
    {
        QFETCH(int, lightOn);
        QFETCH(int, lightMode);
        QFETCH(int, brightness);
        QFETCH(int, sleepTime);
        QFETCH(int, shownMode);
        QFETCH(int, shownBrightness);
        QFETCH(int, sleepItem);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        // Before: mode 4 and the first idle time.
        QVERIFY(fromDevice(LightBench::record([](FlashDataMap &r) {
            r.LightOn = 1;
            r.LightMode = 4;
            r.SleepTime = 1;
        })));
        QVERIFY(fromDevice(LightBench::record([&](FlashDataMap &r) {
            r.LightOn = quint8(lightOn);
            r.LightMode = quint8(lightMode);
            r.LightBrightness = quint8(brightness);
            r.SleepTime = quint8(sleepTime);
        })));
        QCOMPARE(modeList(page)->currentIndex(), shownMode);
        QCOMPARE(child<QSlider>(&page, "horizontalLight")->value(), shownBrightness);
        QCOMPARE(box(page, "LightSpinBox_2")->value(), shownBrightness);
        QCOMPARE(child<QComboBox>(&page, "StopClose")->currentIndex(), sleepItem);
        if (shownMode < 0) // the look of mode 4 stays
            QVERIFY(!shown(page, "line") && shown(page, "horizontalSpeed"));
        QVERIFY(LightBench::sent().isEmpty());
    }

    // Neither a fill, from the device or from the parameter dialog, nor the reset writes; the
    // dialog's record leaves the sliders disabled until the next record from the device.
    void fillsAndResetWriteNothing()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        auto *light = child<QSlider>(&page, "horizontalLight");
        const FlashDataMap record = LightBench::record([](FlashDataMap &r) {
            r.LightOn = 1;
            r.LightMode = 2;
            r.LightRed = 10;
            r.LightSpeed = 3;
        });
        emit hub()->SigUpDataLightUIA(record);
        QVERIFY(!light->isEnabled());
        QCOMPARE(box(page, "SpeedSpinBox_2")->value(), 4);
        QVERIFY(runOnWorkerThread([] { emit hub()->SigFormReset(); }));
        QCOMPARE(modeList(page)->currentIndex(), 1);
        QCOMPARE(light->value(), 10);
        QCOMPARE(child<QSlider>(&page, "horizontalSpeed")->value(), 8);
        QVERIFY(child<QToolButton>(&page, "RippeControl")->isChecked());
        QCOMPARE(child<QComboBox>(&page, "StopClose")->currentIndex(), 2);
        QCOMPARE(box(page, "RSpinBox")->value(), 10);
        QVERIFY(!light->isEnabled());
        QVERIFY(fromDevice(record));
        QVERIFY(light->isEnabled());
        QVERIFY(LightBench::sent().isEmpty());
        QCOMPARE(state().LightFilling.load(), quint8(0));
    }

    // A drag only moves the number; letting go at 10 writes 9.
    void sliderWritesOnRelease()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        modeList(page)->setCurrentIndex(1);
        SimulationControl::clearLog();
        auto *light = child<QSlider>(&page, "horizontalLight");
        light->setSliderDown(true);
        light->setSliderPosition(10);
        QCOMPARE(box(page, "LightSpinBox_2")->value(), 10);
        QVERIFY(LightBench::sent().isEmpty());
        light->setSliderDown(false);
        QCOMPARE(LightBench::sent().size(), 1);
        QCOMPARE(int(LightBench::stored().LightBrightness), 9);
        child<QSlider>(&page, "horizontalSpeed")->setValue(3);
        QCOMPARE(int(LightBench::stored().LightSpeed), 2);
        child<QSlider>(&page, "horizontalSpeed")->setValue(1);
        QCOMPARE(int(LightBench::stored().LightSpeed), 0);
    }

    // The light off while moving follows the user's click; set from a record it writes nothing.
    void offWhileMoving()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        page.show();
        auto *toggle = child<QToolButton>(&page, "RippeControl");
        const bool before = toggle->isChecked();
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(int(LightBench::stored().LightOffWhileMoving), before ? 0 : 1);
    }

    // Preset A from green writes the colour as the boxes change, red first: yellow, then red.
    void presetWritesEachBox()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        showColour(QColor(0, 255, 0));
        child<QToolButton>(&page, "toolButtonColorA")->click();
        const QVector<FlashDataMap> sent = LightBench::sent();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(colourOf(sent.at(0)), QColor(255, 255, 0));
        QCOMPARE(colourOf(sent.at(1)), QColor(255, 0, 0));
        QVERIFY(child<QToolButton>(&page, "toolButtonColorA")->isChecked());
        // The same preset again changes no box and writes nothing.
        child<QToolButton>(&page, "toolButtonColorA")->click();
        QCOMPARE(LightBench::sent().size(), 2);
        QVERIFY(child<QLabel>(&page, "labelPreView")->styleSheet().contains("rgb(255,0,0)"));
        SimulationControl::restartBus();
        QCOMPARE(colourOf(LightBench::stored()), QColor(255, 0, 0));
    }

    void stepButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QColor>("from");
        QTest::addColumn<QColor>("to"); // invalid: nothing changes or is written
        QTest::newRow("plus") << "AddG" << QColor(1, 2, 3) << QColor(1, 3, 3);
        QTest::newRow("minus") << "ReduceB" << QColor(1, 2, 3) << QColor(1, 2, 2);
        QTest::newRow("plus at 255") << "AddR" << QColor(255, 0, 0) << QColor();
        QTest::newRow("minus at 0") << "ReduceR" << QColor(0, 9, 9) << QColor();
    }
    void stepButtons()
    {
        QFETCH(QString, button);
        QFETCH(QColor, from);
        QFETCH(QColor, to);
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        showColour(from);
        child<QToolButton>(&page, qPrintable(button))->click();
        QCOMPARE(boxes(page), to.isValid() ? to : from);
        QCOMPARE(LightBench::sent().size(), to.isValid() ? 1 : 0);
    }

    // A mouse that does not answer: the buttons and the board tell the user and change nothing.
    void offlineGuard()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        page.show();
        showColour(QColor(1, 2, 3));
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        ScreenColour::setGrabForTest([](const QPoint &) { return oneColour(Qt::white); });
        QSignalSpy offline(hub(), &PostMsg::SigMouseOffLineo);
        child<QToolButton>(&page, "AddR")->click();
        child<QToolButton>(&page, "toolButtonColorK")->click();
        QTest::mousePress(&page, Qt::LeftButton, {},
                          child<QLabel>(&page, "label_7")->geometry().center());
        QCOMPARE(offline.size(), 3);
        QCOMPARE(boxes(page), QColor(1, 2, 3));
        QVERIFY(LightBench::sent().isEmpty());
        // With writing disabled the device is not even asked.
        state().WriteEnabled = 0;
        SimulationControl::clearLog();
        child<QToolButton>(&page, "AddR")->click();
        QCOMPARE(boxes(page), QColor(2, 2, 3));
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbFinderC_GetDeviceOnLine")).isEmpty());
        QCOMPARE(offline.size(), 3);
    }

    // The board takes the colour under the pointer, with any button; without a screen grab the
    // page's own drawing there. A double click's second press picks nothing more.
    void boardPicks()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QPoint onBoard = child<QLabel>(&page, "label_7")->geometry().center();
        QPoint grabbedAt;
        ScreenColour::setGrabForTest([&](const QPoint &at) {
            grabbedAt = at;
            return oneColour(QColor(12, 34, 56));
        });
        QTest::mousePress(&page, Qt::RightButton, {}, onBoard);
        QCOMPARE(grabbedAt, page.mapToGlobal(onBoard));
        QCOMPARE(boxes(page), QColor(12, 34, 56));
        QCOMPARE(colourOf(LightBench::stored()), QColor(12, 34, 56));
        QVERIFY(child<QLabel>(&page, "labelPreView")->styleSheet().contains("rgb(12,34,56)"));

        ScreenColour::setGrabForTest([](const QPoint &) { return QImage(); });
        const QColor own = page.grab(QRect(onBoard, QSize(1, 1))).toImage().pixelColor(0, 0);
        QTest::mousePress(&page, Qt::LeftButton, {}, onBoard);
        QCOMPARE(boxes(page), own);
        QCOMPARE(colourOf(LightBench::stored()), own);
    }

    // A press on a board of one colour picks that colour from the screen itself. Also run on an
    // invisible X server at scale factors 1 and 2, where the toolkit maps the pointer's position
    // to the screen's pixels.
    void oneColourBoard()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        state().WriteEnabled = 0;
        LampLight page;
        modeList(page)->setCurrentIndex(2);
        auto *board = child<QLabel>(&page, "label_7");
        board->setStyleSheet(QStringLiteral("#label_7{background-color: rgb(10,200,30);}"));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const QPoint onBoard = board->geometry().center();
        QTRY_VERIFY((QTest::mousePress(&page, Qt::LeftButton, {}, onBoard),
                     boxes(page) == QColor(10, 200, 30)));
        // On X the colour came from the screen's own pixels, not from the page's drawing.
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QCOMPARE(ScreenColour::screenPixel(page.mapToGlobal(onBoard)), QColor(10, 200, 30));
    }

    // No pixel anywhere (no grab, the point outside the page's drawing): nothing changes.
    void noColourWritesNothing()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        page.show();
        showColour(QColor(7, 8, 9));
        ScreenColour::setGrabForTest([](const QPoint &) { return QImage(); });
        const QPoint onBoard = child<QLabel>(&page, "label_7")->geometry().center();
        QMouseEvent press(QEvent::MouseButtonPress, onBoard, page.mapToGlobal(QPoint(-50, -50)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&page, &press);
        QCOMPARE(boxes(page), QColor(7, 8, 9));
        QVERIFY(LightBench::sent().isEmpty());
    }

    // A press off the boxes takes the focus from the box being typed in; the typed value stays.
    void pressReleasesFocus()
    {
        LightBench bench;
        QVERIFY(bench.ok() && LightBench::selectMouse());
        LampLight page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.activateWindow();
        modeList(page)->setCurrentIndex(2);
        QSpinBox *red = box(page, "RSpinBox");
        red->setFocus();
        QTRY_VERIFY(red->hasFocus());
        red->selectAll();
        QTest::keyClicks(red, "7");
        QTest::mousePress(&page, Qt::LeftButton, {}, QPoint(20, 600));
        QVERIFY(!red->hasFocus());
        QCOMPARE(red->value(), 7);
    }

    // The preset buttons show the colours they set, in both forms' sizes, and the board is a
    // gradient of many colours, since a press on it picks what it shows.
    void pictures_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("page") << "Light";
        QTest::newRow("dialog") << "ScreeInfo";
    }
    void pictures()
    {
        QFETCH(QString, form);
        const QString folder = AppDir::path() + QStringLiteral("/Picture/") + form + '/';
        for (int i = 0; i < LightLook::Presets; ++i) {
            const QImage preset(folder +
                                QStringLiteral("Color%1.png").arg(LightLook::PresetLetter(i)));
            QVERIFY(!preset.isNull());
            QCOMPARE(preset.pixelColor(preset.rect().center()), LightLook::PresetColour(i));
        }
        const QImage board(folder + QStringLiteral("ColorBoard.png"));
        QSet<QRgb> colours;
        for (int x = 0; x < board.width(); ++x)
            colours.insert(board.pixel(x, board.height() / 2));
        QVERIFY2(colours.size() > board.width() / 2, qPrintable(QString::number(colours.size())));
    }

    // The page's texts follow the language signal; entry 7 of its row is shown nowhere.
    void texts()
    {
        LightBench bench;
        LampLight page;
        emit hub()->SigAllLanguage(1);
        QCOMPARE(child<QLabel>(&page, "label")->text(), LightTexts.text(1, 0, "?"));
        QCOMPARE(modeList(page)->itemText(5), LightTexts.text(1, 6, "?"));
        QCOMPARE(child<QLabel>(&page, "label_12")->text(), LightTexts.text(1, 28, "?"));
        QCOMPARE(child<QComboBox>(&page, "StopClose")->itemText(10), LightTexts.text(1, 22, "?"));
        const QString unused = LightTexts.text(1, 7, QString());
        for (QLabel *label : page.findChildren<QLabel *>())
            QVERIFY(unused.isEmpty() || label->text() != unused);
        page.SlotAllLanguage(9); // a language the tables lack keeps the texts
        QCOMPARE(child<QLabel>(&page, "label")->text(), LightTexts.text(1, 0, "?"));
    }
};

ZR35_TEST_MAIN(TestLampLight)
#include "tst_lamplight.moc"
