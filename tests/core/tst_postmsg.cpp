#include "core/blockingconnect.h"
#include "core/postmsg.h"

#include "tests/support/ownprocess.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QtTest>

#include <atomic>
#include <cstring>
#include <thread>

namespace {
const char GuardChildVariable[] = "ZR35_POSTMSG_GUARD_CHILD";

// A page that fills itself from a record, slowly enough that an emitter that did not wait would
// return before it is done.
class RecordPage : public QObject
{
    Q_OBJECT

public:
    std::atomic<int> filled{0};
    std::atomic<bool> ranOnGuiThread{false};
    std::atomic<bool> recordIntact{false};
    std::atomic<int> modeSeen{-1};
    unsigned char expected = 0;

public slots:
    void SlotRecord(const FlashDataMap &record)
    {
        ranOnGuiThread = QThread::currentThread() == qApp->thread();
        const auto *bytes = reinterpret_cast<const unsigned char *>(&record);
        bool intact = true;
        for (size_t i = 0; i < sizeof record; ++i)
            intact = intact && bytes[i] == expected;
        recordIntact = intact;
        QThread::msleep(30);
        ++filled;
    }

    void SlotRGBValue(const DongleRGB &record) { modeSeen = record.Mode; }

    void SlotForm() {}
};
} // namespace

class TestPostMsg : public QObject
{
    Q_OBJECT

private slots:
    // The pages, the dialogs and the device link connect to the hub by signature strings, which
    // the compiler does not check: a signal renamed or given other arguments would leave a
    // connection that Qt refuses at run time with no more than a warning. Every hub signal the
    // program's sources name exists, with the arguments named.
    void everySignalTheProgramNamesExists()
    {
        const QDir root(QStringLiteral(ZR35_TEST_SOURCE_DIR "/../.."));
        // SIGNAL(SigX(...)), in connect calls and in the signal tables of ConnectBlocking.
        const QRegularExpression named(
            QStringLiteral(R"(SIGNAL\s*\(\s*(Sig\w*\s*\([^)]*\))\s*\))"));
        int checked = 0;
        for (const char *folder : {"core", "platform", "shell", "sensor", "macro", "buttons",
                                   "lighting", "settings", "app"}) {
            QDirIterator files(root.filePath(QLatin1String(folder)),
                               {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                               QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile file(files.next());
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                auto matches = named.globalMatch(QString::fromUtf8(file.readAll()));
                while (matches.hasNext()) {
                    const QByteArray signature =
                        QMetaObject::normalizedSignature(matches.next().captured(1).toLatin1());
                    QVERIFY2(PostMsg::staticMetaObject.indexOfSignal(signature) >= 0,
                             qPrintable(file.fileName() + QLatin1String(": ") + signature));
                    ++checked;
                }
            }
        }
        // The hub is how the lower layers reach the pages: far more than a handful are named.
        QVERIFY2(checked > 20, qPrintable(QString::number(checked)));
    }

    // The device-event callback emits a full record to three pages; the emission returns only
    // after every page has filled itself, on the GUI thread, from an intact copy.
    void blockingEmissionReturnsAfterEverySlotRan()
    {
        RecordPage pages[3];
        for (RecordPage &page : pages) {
            page.expected = 0x5A;
            QVERIFY(ConnectBlocking(SIGNAL(SigUpDataLightSensor(FlashDataMap)), &page,
                                    SLOT(SlotRecord(FlashDataMap))));
        }

        std::atomic<bool> done{false};
        std::atomic<int> filledWhenEmitReturned{-1};
        std::thread callback([&] {
            FlashDataMap record;
            std::memset(&record, 0x5A, sizeof record);
            emit PostMsg::GetInstance()->SigUpDataLightSensor(record);
            filledWhenEmitReturned = pages[0].filled + pages[1].filled + pages[2].filled;
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done.load(), 10000);
        callback.join();

        QCOMPARE(filledWhenEmitReturned.load(), 3);
        for (RecordPage &page : pages) {
            QVERIFY(page.ranOnGuiThread);
            QVERIFY(page.recordIntact);
        }
    }

    // The receiver-LED record travels as a copy, like every record: the page reads its own while
    // the emitter waits, never the shared record behind the lock.
    void receiverLedRecordTravelsAsACopy()
    {
        RecordPage settingsPage;
        QVERIFY(ConnectBlocking(SIGNAL(SigRGBValue(DongleRGB)), &settingsPage,
                                SLOT(SlotRGBValue(DongleRGB))));
        DeviceState *state = DeviceState::instance();
        state->CurrentDongleRGB.with([](DongleRGB &record) { record.Mode = 1; });

        std::atomic<int> modeAfterEmit{-1};
        std::thread callback([&] {
            emit PostMsg::GetInstance()->SigRGBValue(state->CurrentDongleRGB.get());
            modeAfterEmit = state->CurrentDongleRGB.get().Mode;
        });
        QTRY_COMPARE_WITH_TIMEOUT(modeAfterEmit.load(), 1, 10000);
        callback.join();
        QCOMPARE(settingsPage.modeSeen.load(), 1);
    }

    void blockingEmissionOnGuiThreadFailsLoudly()
    {
        const OwnProcessRun child = runTestFunctionAlone(
            QStringLiteral("emitBlockingOnGuiThreadInChild"), GuardChildVariable);
        QVERIFY(child.finished);
        QVERIFY(child.failed);
        const QByteArray &output = child.output;
        QVERIFY2(output.contains("blocking signal SigForm() emitted on the GUI thread"),
                 output.constData());
    }

    // Runs only inside the child of the test above: the guard must end the process before the
    // emission waits for its own thread.
    void emitBlockingOnGuiThreadInChild()
    {
        if (!qEnvironmentVariableIsSet(GuardChildVariable))
            QSKIP("runs in the child process of blockingEmissionOnGuiThreadFailsLoudly");
        RecordPage settingsPage;
        QVERIFY(ConnectBlocking(SIGNAL(SigForm()), &settingsPage, SLOT(SlotForm())));
        emit PostMsg::GetInstance()->SigForm();
        QFAIL("the blocking emission on the GUI thread was not stopped");
    }
};

ZR35_TEST_MAIN(TestPostMsg)
#include "tst_postmsg.moc"
