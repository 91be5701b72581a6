// The device link's own cost: the full read round trip, one setting change, the configuration
// image, the device cache. Run through bench/run.sh (a Release build).
#include "bench/benchsupport.h"
#include "core/blockingconnect.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"

#include <QApplication>
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>

namespace {

// Stands in for the pages: takes the records, the form and the profile the way they are
// connected (blocking), and counts what arrived.
class PagesStandIn : public QObject
{
    Q_OBJECT
public:
    PagesStandIn()
    {
        ConnectBlocking(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
                        SLOT(SlotRecord(FlashDataMap)));
        ConnectBlocking(SIGNAL(SigUpDataLightLight(FlashDataMap)), this,
                        SLOT(SlotRecord(FlashDataMap)));
        ConnectBlocking(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
                        SLOT(SlotRecord(FlashDataMap)));
        ConnectBlocking(SIGNAL(SigForm()), this, SLOT(SlotForm()));
        ConnectBlocking(SIGNAL(SigUpDataConfigUI(int, int, bool)), this,
                        SLOT(SlotConfig(int, int, bool)));
    }
    int forms = 0;
    int configs = 0;
    FlashDataMap last{};

private slots:
    void SlotRecord(const FlashDataMap &record) { last = record; }
    void SlotForm() { ++forms; }
    void SlotConfig(int, int, bool) { ++configs; }
};

// The receiver is the current device, the device server runs on it with the program's callback
// and the mouse's record has been read, as after a tile click.
bool selectReceiver(int latencyMs)
{
    if (!BenchSupport::loadDevices(BenchSupport::OneReceiverSet, latencyMs))
        return false;
    DeviceState::ResetForTest();
    const QByteArray path = SimulationControl::receiverPath(QStringLiteral("R"));
    DeviceAllInfo device;
    device.Path = QString::fromLatin1(path);
    device.Vid = QStringLiteral("0x3D7A");
    device.Pid = QStringLiteral("0x1240");
    device.Cid = 12;
    device.Mid = 10;
    device.Kind = 1;
    device.Wired = DeviceAllInfo::WiredFromKind(1);
    device.Online = 1;
    State().Selection.select(device);
    State().DeviceCacheName.set(DeviceCacheFileName(12, 10));
    State().OnDevicePage = 1;
    State().WriteEnabled = 1;
    return DeviceLink::StartServerForSelection() && DeviceLink::RequestFullRead() &&
           BenchSupport::serveUntil([] { return DeviceLink::RecordIsRead(); });
}

// From the request to the pages having handled SigForm. The follow-up reads the record asks for
// are let in between rounds, outside the timing. The simulated transfer time of one round trip
// is the reply's latency plus the two synchronous receiver reads made before the pages are told
// (its LED and its long-range mode): three transfers.
void BM_FullReadRoundTrip(benchmark::State &st)
{
    const int latencyMs = int(st.range(0));
    if (!selectReceiver(latencyMs)) {
        st.SkipWithError("no device");
        return;
    }
    PagesStandIn pages;
    for (auto _ : st) {
        const int forms = pages.forms + 1;
        const int configs = pages.configs + 1;
        DeviceLink::RequestFullRead();
        if (!BenchSupport::serveUntil([&] { return pages.forms == forms; })) {
            st.SkipWithError("no answer");
            break;
        }
        st.PauseTiming();
        BenchSupport::serveUntil([&] { return pages.configs == configs; });
        st.ResumeTiming();
    }
    st.counters["transfer_ms"] = 3.0 * latencyMs;
    DeviceLink::StopServer();
}
BENCHMARK(BM_FullReadRoundTrip)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick of the round trip: the same transfers on the same path with none of the
// program's work. A callback of its own takes the whole-configuration reply and makes the two
// receiver reads; the figure is the transfer time as the library delivers it on this machine
// (sleeps overshoot their nominal length by a fraction of a millisecond each).
std::atomic<int> transferRepliesSeen{0};
void transferOnlyCallback(const unsigned char *header, int headerLength, const unsigned char *,
                          int payloadLength)
{
    if (headerLength < 5 || header[1] != 8 || payloadLength != FullConfigurationSize)
        return;
    const QByteArray path = SimulationControl::receiverPath(QStringLiteral("R"));
    unsigned char rgb[DongleRgbSize] = {};
    unsigned char longRange = 0;
    UsbFinderC_Get4KDongleRGBValue(path.constData(), rgb);
    UsbFinderC_GetLongRangeMode(path.constData(), &longRange);
    ++transferRepliesSeen;
}

void BM_TransferOnly(benchmark::State &st)
{
    const int latencyMs = int(st.range(0));
    if (!BenchSupport::loadDevices(BenchSupport::OneReceiverSet, latencyMs)) {
        st.SkipWithError("no device");
        return;
    }
    const QByteArray path = SimulationControl::receiverPath(QStringLiteral("R"));
    UsbServerC_Start(path.constData(), path.constData(), transferOnlyCallback);
    for (auto _ : st) {
        const int seen = transferRepliesSeen.load() + 1;
        UsbServer_ReadAllFlashData();
        while (transferRepliesSeen.load() < seen)
            QThread::usleep(20);
    }
    UsbServer_Exit();
}
BENCHMARK(BM_TransferOnly)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// One setting from the write helper to the record the virtual mouse holds, at zero latency.
void BM_SettingChange(benchmark::State &st)
{
    if (!selectReceiver(0)) {
        st.SkipWithError("no device");
        return;
    }
    int value = 1;
    for (auto _ : st) {
        value = value % 200 + 1;
        if (!WriteSleepTime(value)) {
            st.SkipWithError("write refused");
            break;
        }
    }
    const QByteArray held = SimulationControl::storedRecord(QStringLiteral("M"));
    if (quint8(held.at(offsetof(FlashDataMap, SleepTime))) != value)
        st.SkipWithError("the mouse does not hold the last value");
    DeviceLink::StopServer();
}
BENCHMARK(BM_SettingChange)->Unit(benchmark::kMicrosecond)->UseRealTime();

FlashDataMap sampleRecord()
{
    FlashDataMap record{};
    const QByteArray factory = SimulationControl::storedRecord(QStringLiteral("M"));
    if (factory.size() == int(FlashDataMap::Size))
        std::memcpy(record.bytes(), factory.constData(), FlashDataMap::Size);
    return record;
}

// The device packs the record into its image; the program parses the image back.
void BM_ImagePackParse(benchmark::State &st)
{
    BenchSupport::loadDevices(BenchSupport::OneReceiverSet, 0);
    const FlashDataMap record = sampleRecord();
    FlashDataMap parsed{};
    for (auto _ : st) {
        const QByteArray image = ConfigurationImage::encode(record.bytes());
        const bool ok =
            ProtocolDataParser(reinterpret_cast<const unsigned char *>(image.constData()), &parsed);
        benchmark::DoNotOptimize(ok);
    }
    if (std::memcmp(parsed.bytes(), record.bytes(), FlashDataMap::Size) != 0)
        st.SkipWithError("the record did not come back");
}
BENCHMARK(BM_ImagePackParse)->Unit(benchmark::kMicrosecond);

// A device cache save (a whole new file in place of the old one) and its load.
void BM_CacheSaveLoad(benchmark::State &st)
{
    BenchSupport::loadDevices(BenchSupport::OneReceiverSet, 0);
    const FlashDataMap record = sampleRecord();
    const QString name = DeviceCacheFileName(12, 10);
    FlashDataMap loaded{};
    for (auto _ : st) {
        SaveDeviceCache(name, record);
        benchmark::DoNotOptimize(LoadDeviceCache(name, &loaded));
    }
}
BENCHMARK(BM_CacheSaveLoad)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::prepareProcess();
    QApplication app(argc, argv);
    BenchSupport::prepareApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#include "bench_link.moc"
