#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/devicelib/simulationcontrol.h"
#include "settings/ledinfo.h"
#include "tests/settings/settingsbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr auto &state = State;

bool reportLed(int mode)
{
    state().CurrentDongleRGB.with([mode](DongleRGB &rgb) { rgb.Mode = quint8(mode); });
    return runOnWorkerThread(
        [] { emit PostMsg::GetInstance()->SigRGBValue(state().CurrentDongleRGB.get()); });
}

// The mode whose box is checked; 0 for none.
int checkedMode(const LedInfo &panel)
{
    const char *boxes[] = {"ReUntil", "ReUntil_2", "ReUntil_3"};
    for (int i = 0; i < 3; ++i) {
        if (child<QCheckBox>(&panel, boxes[i])->isChecked())
            return i + 1;
    }
    return 0;
}

} // namespace

class TestLedInfo : public QObject
{
    Q_OBJECT
private slots:
    // The panel is never shown, yet it follows every report for a kind-1 receiver of a model
    // with the LED: mode 2 after mode 1 moves the check. It writes nothing to the receiver.
    void followsTheReports()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        LedInfo panel;
        QCOMPARE(checkedMode(panel), 0);
        QVERIFY(reportLed(1));
        QCOMPARE(checkedMode(panel), 1);
        QVERIFY(reportLed(2));
        QCOMPARE(checkedMode(panel), 2);
        QVERIFY(!panel.isVisible());
        QVERIFY(SimulationControl::calls(QStringLiteral("UsbFinderC_Set4KDongleRGB")).isEmpty());
    }

    // Reports the panel leaves alone: another connection or model, or a mode it has no box for.
    void reportsThatChangeNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("driveIndex");
        QTest::addColumn<int>("mode");
        QTest::newRow("mouse on its cable") << 2 << 0 << 3;
        QTest::newRow("receiver of another kind") << 4 << 0 << 3;
        QTest::newRow("model without the LED (-1)") << 1 << 2 << 3;
        QTest::newRow("mode 0") << 1 << 0 << 0;
        QTest::newRow("mode 4") << 1 << 0 << 4;
    }
    void reportsThatChangeNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, driveIndex);
        QFETCH(int, mode);
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        LedInfo panel;
        QVERIFY(reportLed(1));
        SettingsBench::select(receiverPath(), kind, driveIndex);
        QVERIFY(reportLed(mode));
        QCOMPARE(checkedMode(panel), 1);
    }

    // The panel keeps its own texts until asked for a language, and takes the page's LED texts
    // then; a language change on the hub does not reach it.
    void textsOnlyWhenAsked()
    {
        SettingsBench bench(ReceiverWithMouse);
        state().CurrentLanguage = 1;
        LedInfo panel;
        auto *heading = child<QLabel>(&panel, "label_14");
        const QString own = heading->text();
        QVERIFY(own != FormSettingTexts.text(1, 19, own));
        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(heading->text(), own);
        panel.UpDataLanguage();
        QCOMPARE(heading->text(), FormSettingTexts.text(1, 19, "?"));
        QCOMPARE(child<QTextEdit>(&panel, "textEdit_3")->toPlainText(),
                 FormSettingTexts.text(1, 21, "?"));
        panel.SlotAllLanguage(7); // a language the tables do not have keeps the texts
        QCOMPARE(heading->text(), FormSettingTexts.text(1, 19, "?"));
        state().CurrentLanguage = 0;
    }

    // Its close button tells the hub, then hides the panel; its boxes change only their look.
    void closeAndBoxes()
    {
        SettingsBench bench(ReceiverWithMouse);
        SettingsBench::select(receiverPath(), 1);
        LedInfo panel;
        panel.show();
        QCOMPARE(missingPictures(&panel), QStringList());
        QSignalSpy check(PostMsg::GetInstance(), &PostMsg::SigButtonCheck);
        QSignalSpy rgb(PostMsg::GetInstance(), &PostMsg::SigRGBValue);
        child<QCheckBox>(&panel, "ReUntil_3")->click();
        QCOMPARE(checkedMode(panel), 3);
        QCOMPARE(rgb.size(), 0);
        QVERIFY(SimulationControl::calls().isEmpty());
        child<QToolButton>(&panel, "CloseButton")->click();
        QCOMPARE(check.size(), 1);
        QVERIFY(!panel.isVisible());
    }
};

ZR35_TEST_MAIN(TestLedInfo)
#include "tst_ledinfo.moc"
