#include "core/devicestate.h"

#include "tests/support/testmain.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace {
// The record as bytes: the tests need whole-record patterns, not its fields.
unsigned char *bytesOf(FlashDataMap &record)
{
    return reinterpret_cast<unsigned char *>(&record);
}

const unsigned char *bytesOf(const FlashDataMap &record)
{
    return reinterpret_cast<const unsigned char *>(&record);
}

bool isUniform(const FlashDataMap &record)
{
    const unsigned char *bytes = bytesOf(record);
    for (size_t i = 1; i < sizeof(FlashDataMap); ++i) {
        if (bytes[i] != bytes[0])
            return false;
    }
    return true;
}
} // namespace

class TestDeviceState : public QObject
{
    Q_OBJECT

private slots:
    void init() { DeviceState::ResetForTest(); }

    void wiredFromKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("wired");
        QTest::newRow("receiver class 1") << 0 << 0;
        QTest::newRow("receiver with its own LED") << 1 << 0;
        QTest::newRow("cable") << 2 << 1;
        QTest::newRow("cable 3") << 3 << 1;
        QTest::newRow("receiver class 2") << 4 << 0;
        QTest::newRow("receiver class 8") << 5 << 0;
        QTest::newRow("receiver bits plus 0x08") << 0x0D << 1;
        QTest::newRow("all bits") << 0xFF << 1;
    }

    void wiredFromKind()
    {
        QFETCH(int, kind);
        QFETCH(int, wired);
        QCOMPARE(int(DeviceAllInfo::WiredFromKind(quint8(kind))), wired);
    }

    void resetForTestRestoresInitialValues()
    {
        DeviceState *state = DeviceState::instance();
        state->UpdateIdle = 0;
        state->ReadAllPending.request();
        state->OnDevicePage = 1;
        state->CurrentLanguage = 1;
        state->DevicePath.set("a");
        state->ConfigRereadTimer.with([](ThrottleClock &timer) { timer.start(); });
        DeviceAllInfo device;
        device.Vid = QStringLiteral("0x3D7A");
        device.ReceiverId = {1, 2, 3};
        state->CurrentDeviceInfo.set(device);
        state->CurrentFlashData.with([](FlashDataMap &record) { bytesOf(record)[100] = 7; });

        DeviceState::ResetForTest();

        QCOMPARE(DeviceState::instance(), state);
        QCOMPARE(int(state->UpdateIdle), 1);
        QVERIFY(!state->ReadAllPending.pending());
        QCOMPARE(int(state->OnDevicePage), 0);
        QCOMPARE(int(state->CurrentLanguage), 0);
        QVERIFY(state->DevicePath.get().isEmpty());
        QVERIFY(!state->ConfigRereadTimer.get().isValid());
        QCOMPARE(state->CurrentDeviceInfo.get().Vid, QStringLiteral("0"));
        QVERIFY(state->CurrentDeviceInfo.get().ReceiverId.isEmpty());
        const FlashDataMap record = state->CurrentFlashData.get();
        QVERIFY(isUniform(record));
        QCOMPARE(int(bytesOf(record)[0]), 0);
    }

    // The GUI thread, the service pass and callback threads replace and change the record and
    // the description at the same time: no reader may see a half-written value and no in-place
    // change may be lost.
    void concurrentAccessKeepsValuesWhole()
    {
        DeviceState *state = DeviceState::instance();
        constexpr int Writers = 3;
        constexpr int Readers = 3;
        constexpr int Rounds = 300;
        std::atomic<int> tornRecords{0};
        std::atomic<int> mixedDescriptions{0};
        std::atomic<int> mixedPaths{0};

        std::vector<std::thread> threads;
        for (int w = 0; w < Writers; ++w) {
            threads.emplace_back([state, w] {
                for (int round = 0; round < Rounds; ++round) {
                    const unsigned char fill = static_cast<unsigned char>(w * Rounds + round);
                    FlashDataMap record;
                    std::memset(bytesOf(record), fill, sizeof record);
                    state->CurrentFlashData.set(record);
                    DeviceAllInfo device;
                    device.Path = QStringLiteral("/dev/hidraw%1").arg(int(fill));
                    device.Vid = QString::number(int(fill));
                    state->CurrentDeviceInfo.set(device);
                    state->DevicePath.set(QByteArray(fill % 40 + 1, char('a' + w)));
                    if (round & 1)
                        state->ReadAllPending.request();
                    else
                        state->ReadAllPending.clear();
                    state->ImportResult.fetch_add(1);
                }
            });
        }
        for (int r = 0; r < Readers; ++r) {
            threads.emplace_back([&, state] {
                for (int round = 0; round < Rounds; ++round) {
                    if (!isUniform(state->CurrentFlashData.get()))
                        ++tornRecords;
                    const DeviceAllInfo device = state->CurrentDeviceInfo.get();
                    if (device.Path != QStringLiteral("/dev/hidraw%1").arg(device.Vid) &&
                        !device.Path.isEmpty())
                        ++mixedDescriptions;
                    const QByteArray path = state->DevicePath.get();
                    if (!path.isEmpty() && path.count(path.at(0)) != path.size())
                        ++mixedPaths;
                    (void)state->ReadAllPending.pending();
                }
            });
        }
        for (auto &thread : threads)
            thread.join();
        threads.clear();

        // A counter kept inside the record, changed in place from several threads at once.
        state->CurrentFlashData.set(FlashDataMap());
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([state] {
                for (int round = 0; round < Rounds; ++round) {
                    state->CurrentFlashData.with([](FlashDataMap &record) {
                        quint32 counter;
                        std::memcpy(&counter, bytesOf(record), sizeof counter);
                        ++counter;
                        std::memcpy(bytesOf(record), &counter, sizeof counter);
                    });
                }
            });
        }
        for (auto &thread : threads)
            thread.join();

        QCOMPARE(tornRecords.load(), 0);
        QCOMPARE(mixedDescriptions.load(), 0);
        QCOMPARE(mixedPaths.load(), 0);
        QCOMPARE(int(state->ImportResult), Writers * Rounds);
        quint32 counter = 0;
        const FlashDataMap record = state->CurrentFlashData.get();
        std::memcpy(&counter, bytesOf(record), sizeof counter);
        QCOMPARE(counter, quint32(4 * Rounds));
    }

    // A pass reads the selection once: the description and the path it gets belong to one
    // device, and a new device, a new path or a page left gives a new generation, while a change
    // of the description that keeps the device does not.
    void selectionIsReadWhole()
    {
        DeviceState::ResetForTest();
        DeviceSelection &selection = DeviceState::instance()->Selection;
        constexpr int Rounds = 2000;
        std::atomic<int> mixed{0};
        std::atomic<bool> done{false};
        std::thread selector([&] {
            for (int round = 0; round < Rounds; ++round) {
                DeviceAllInfo device;
                device.Path = QStringLiteral("sim/device-%1").arg(round);
                selection.select(device);
            }
            done = true;
        });
        std::thread pass([&] {
            quint64 last = 0;
            while (!done.load()) {
                const DeviceSelection::Snapshot seen = selection.get();
                if (seen.Info.Path.toLatin1() != seen.Path || seen.Generation < last)
                    ++mixed;
                last = seen.Generation;
            }
        });
        selector.join();
        pass.join();
        QCOMPARE(mixed.load(), 0);

        const quint64 before = selection.generation();
        DeviceState::instance()->CurrentDeviceInfo.with(
            [](DeviceAllInfo &info) { info.Online = 1; });
        DeviceState::instance()->DevicePath.set(selection.get().Path);
        QCOMPARE(selection.generation(), before);
        DeviceState::instance()->DevicePath.set("sim/elsewhere");
        QCOMPARE(selection.generation(), before + 1);
        selection.renew();
        QCOMPARE(selection.generation(), before + 2);
        QVERIFY(!selection.updateIf(before, [](DeviceAllInfo &info) { info.Online = 0; }));
        QCOMPARE(int(selection.get().Info.Online), 1);
    }

    // Each request for a pass counts: one made while a pass runs is still owed when it ends.
    void passRequestsAreCounted()
    {
        PassRequests requests;
        QVERIFY(!requests.pending());
        requests.request();
        const quint64 serving = requests.begin();
        requests.request(); // while the pass runs
        requests.served(serving);
        QVERIFY(requests.pending());
        requests.served(requests.begin());
        QVERIFY(!requests.pending());
        requests.request();
        requests.clear();
        QVERIFY(!requests.pending());
    }
};

ZR35_TEST_MAIN(TestDeviceState)
#include "tst_devicestate.moc"
