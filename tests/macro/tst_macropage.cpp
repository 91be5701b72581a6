#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QToolButton>

// The recording states the device page and the main window follow.
class TestMacroPage : public QObject
{
    Q_OBJECT
private:
    DeviceState *state = DeviceState::instance();

    static QToolButton *button(Macro &page, const char *name)
    {
        return page.findChild<QToolButton *>(QLatin1String(name));
    }

private slots:
    void init() { state->MacroRecording = 0; }

    void recordingIsAnnounced_data()
    {
        QTest::addColumn<bool>("leavePage"); // ended by leaving the device page, not by Stop
        QTest::newRow("stop button") << false;
        QTest::newRow("device page left") << true;
    }
    void recordingIsAnnounced()
    {
        QFETCH(bool, leavePage);
        Macro page;
        QSignalSpy record(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        button(page, "StartRecord")->click();
        QCOMPARE(state->MacroRecording.load(), quint8(1));
        QCOMPARE(record.size(), 1);
        QCOMPARE(record.at(0).at(0).toInt(), 0);
        QVERIFY(!button(page, "StartRecord")->isEnabled());

        if (leavePage)
            emit PostMsg::GetInstance()->SigSetMacroPage();
        else
            button(page, "StopRecord")->click();
        QCOMPARE(state->MacroRecording.load(), quint8(0));
        QCOMPARE(record.size(), 2);
        QCOMPARE(record.at(1).at(0).toInt(), 1);
        QVERIFY(button(page, "StartRecord")->isEnabled());
    }

    void leavingWithoutRecordingStillUnlocks()
    {
        Macro page;
        QSignalSpy record(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        emit PostMsg::GetInstance()->SigSetMacroPage();
        QCOMPARE(record.size(), 1);
        QCOMPARE(record.at(0).at(0).toInt(), 1);
    }
};

ZR35_TEST_MAIN(TestMacroPage)
#include "tst_macropage.moc"
