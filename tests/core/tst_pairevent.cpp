#include "core/devicestate.h"
#include "core/pairevent.h"
#include "core/postmsg.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QSignalSpy>

namespace {

constexpr auto &state = State;

const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

} // namespace

class TestPairEvent : public QObject
{
    Q_OBJECT
private slots:
    // Only a pairing event (type 6) with a payload carries a status; nothing is read past the
    // lengths given.
    void status_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("payloadLength");
        QTest::addColumn<int>("status");
        const QByteArray six = QByteArray::fromHex("a5060000000100");
        QTest::newRow("paired") << six << 7 << QByteArray(1, 3) << 1 << 3;
        QTest::newRow("failed") << six << 7 << QByteArray(1, 2) << 1 << 2;
        QTest::newRow("pairing") << six << 7 << QByteArray(1, 1) << 1 << 1;
        QTest::newRow("two-byte header") << six << 2 << QByteArray("\x03\x00", 2) << 2 << 3;
        QTest::newRow("one-byte header") << six << 1 << QByteArray(1, 3) << 1 << -1;
        QTest::newRow("no header") << QByteArray() << 0 << QByteArray(1, 3) << 1 << -1;
        QTest::newRow("no payload") << six << 7 << QByteArray(1, 3) << 0 << -1;
        QTest::newRow("another type")
            << QByteArray::fromHex("a5150000000100") << 7 << QByteArray(1, 3) << 1 << -1;
    }
    void status()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, headerLength);
        QFETCH(QByteArray, payload);
        QFETCH(int, payloadLength);
        QFETCH(int, status);
        QCOMPARE(PairEvent::StatusOf(header.isEmpty() ? nullptr : bytes(header), headerLength,
                                     bytes(payload), payloadLength),
                 status);
    }

    // An outcome ends the pairing: the dialog's timers stop first, then its button shows the
    // outcome; the device page's flag comes back once, when the pairing took it. A status that is
    // no outcome changes nothing. None of it needs a dialog.
    void outcomes_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("pageTaken");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("paired, page taken") << 3 << true << 2 << QStringList{"stop", "button 1"};
        QTest::newRow("failed, page not taken")
            << 2 << false << 3 << QStringList{"stop", "button 0"};
        QTest::newRow("still pairing") << 1 << true << 1 << QStringList{};
        QTest::newRow("unknown status") << 9 << true << 1 << QStringList{};
    }
    void outcomes()
    {
        QFETCH(int, status);
        QFETCH(bool, pageTaken);
        QFETCH(int, result);
        QFETCH(QStringList, emitted);
        DeviceState::ResetForTest();
        state().PairResult = PairEvent::Pairing;
        state().PairActive = 1;
        state().OnDevicePage = 0;
        state().PairPageRestore = pageTaken ? 1 : 0;
        QStringList heard;
        PostMsg *hub = PostMsg::GetInstance();
        const auto a = connect(hub, &PostMsg::SigTimerStop, this, [&] { heard << "stop"; });
        const auto b = connect(hub, &PostMsg::SigButtonEnable, this,
                               [&](int e) { heard << QStringLiteral("button %1").arg(e); });

        const QByteArray header = QByteArray::fromHex("a5060000000100");
        const QByteArray payload(1, char(status));
        QVERIFY(runOnWorkerThread([&] {
            PairEvent::Handle(bytes(header), header.size(), bytes(payload), payload.size());
        }));
        // Every emission was queued before the thread ended.
        QCoreApplication::processEvents();
        QCOMPARE(heard, emitted);
        disconnect(a);
        disconnect(b);
        const bool ended = !emitted.isEmpty();
        QCOMPARE(state().PairResult.load(), result);
        QCOMPARE(int(state().PairActive.load()), ended ? 0 : 1);
        QCOMPARE(state().OnDevicePage.load(), ended && pageTaken ? 1 : 0);
        QCOMPARE(int(state().PairPageRestore.load()), ended ? 0 : int(pageTaken));

        // Given back once: a second outcome leaves a flag the program has set since.
        state().OnDevicePage = 0;
        PairEvent::GivePageBack();
        QCOMPARE(state().OnDevicePage.load(), !ended && pageTaken ? 1 : 0);
    }
};

ZR35_TEST_MAIN(TestPairEvent)
#include "tst_pairevent.moc"
