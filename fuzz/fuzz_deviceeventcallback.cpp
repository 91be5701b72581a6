// The device-event callback on arbitrary events, against a device state that has one receiver
// with a mouse selected and read (the simulated bus; its server runs, but once the mouse's record
// is read neither its reads nor its writes are answered, so nothing answers behind the fuzzer's
// back and every input starts from the same mouse) and test receivers on the hub connected as the
// pages connect theirs. Each event is delivered on a thread of its own while this thread serves
// the blocking emissions, as the device library calls the program.
//
// An input is a sequence of up to 16 events, each: one byte whose low five bits give the header
// length (0..31; 0 also passes no header at all), the header bytes, a 16-bit little-endian
// payload length (cut to what is left of the input) and the payload bytes. A callback that does
// not return within 5 s is reported as a crash: it waits for something that never comes.
#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "fuzz/eventsequence.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/workerthread.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MaxEvents = 16;
constexpr int CallbackLimitMs = 5000;

HubRecorder *recorder = nullptr;

// The requests whose answers would come as events of their own.
const char *const ServerReads[] = {"UsbServer_ReadAllFlashData", "UsbServer_ReadBatteryLevel",
                                   "UsbServer_ReadConfig",       "UsbServer_ReadVersion",
                                   "UsbServer_ReadCurrentDPI",   "UsbServer_ReadReportRate",
                                   "UsbServer_ReadDPILed",       "UsbServer_ReadLedBar"};

void answerReads(bool answer)
{
    for (const char *operation : ServerReads)
        SimulationControl::setNoAnswer(QLatin1String(operation), answer ? 0 : -1);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    Fuzz::installShippedConfig();
    QDir().mkpath(UserDir::filePath(QStringLiteral("Device_Info")));
    if (!LinkFixture::loadDevices(LinkFixture::receiverWithMouse())) {
        std::fprintf(stderr, "cannot load the simulated devices\n");
        std::abort();
    }
    // The mouse keeps the record it starts with, whatever the events make the program send.
    SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), -1);
    recorder = new HubRecorder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Every input starts from the same state: the device as selected on the home page, its record
    // read by the program as the device holds it.
    answerReads(true);
    if (!LinkFixture::selectDevice(LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1))) {
        std::fprintf(stderr, "the simulated mouse's record could not be read\n");
        std::abort();
    }
    answerReads(false);
    DeviceState::instance()->ShowBatteryValueSetting = 1;
    SimulationControl::clearLog();
    recorder->clear();

    for (const Fuzz::Event &event : Fuzz::eventsOf(data, size, MaxEvents)) {
        const bool returned = runOnWorkerThread(
            [event] {
                const auto *header =
                    event.hasHeader
                        ? reinterpret_cast<const unsigned char *>(event.header.constData())
                        : nullptr;
                DeviceEventCallback(
                    header, int(event.header.size()),
                    reinterpret_cast<const unsigned char *>(event.payload.constData()),
                    int(event.payload.size()));
            },
            CallbackLimitMs);
        if (!returned) {
            std::fprintf(stderr, "the device-event callback did not return within %d ms\n",
                         CallbackLimitMs);
            std::abort();
        }
    }
    // Queued (non-blocking) emissions of the last event reach the receivers now, not during the
    // next input.
    QCoreApplication::processEvents();
    return 0;
}
