// One file in <app>/bin through the program's image lookup (FirmwareImages::FindFirmwareFile) and
// through the simulated device's check (UsbUpgradeC_FindBootDevices, UsbUpgrade_Start), against
// a receiver and a mouse on its cable of the shipped Config.ini's first model, one version older
// than the shipped images. Input byte 0 chooses the mode: with bit 0 set the header's writer
// seals the rest of the input (mark, payload length and both CRC-32s), so that the fields behind
// them are reached (random bytes almost never carry a valid checksum); the rest is the file.
//
// Beyond the sanitizers it checks the promises of both readers: the lookup takes a file under its
// own header's fields exactly when the file is a size an image can have, and holds its bytes
// unchanged; an image the device refuses changes no device (versions, boot mode, what is listed).
// An accepted image runs to its end, and the devices are put back for the next input.
#include "core/firmwareimages.h"
#include "core/record/firmwareheader.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"

#include <QDir>
#include <QSemaphore>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const QByteArray DevicesIni = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\nVersion=0x0101\n"
                              "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\nVersion=0x0104\n"
                              "Cable=true\nCableVID=0x3D7A\nCablePID=0x1201\n";
constexpr int UpgradeLimitMs = 5000;

QString setFile;
QSemaphore upgradeEnded;

int onUpgrade(unsigned char *message)
{
    if (message[0] == 7 && message[1] == 2)
        upgradeEnded.release();
    return 0;
}

// What a refused image must leave as it was.
struct Devices
{
    int receiverVersion;
    int mouseVersion;
    int receiverBootMode;
    int mouseBootMode;
    QStringList listed;

    bool operator==(const Devices &other) const
    {
        return receiverVersion == other.receiverVersion && mouseVersion == other.mouseVersion &&
               receiverBootMode == other.receiverBootMode && mouseBootMode == other.mouseBootMode &&
               listed == other.listed;
    }
};

Devices devicesNow()
{
    QStringList listed;
    for (const char *pid : {"0x1240", "0x1201"}) {
        int count = 0;
        const char *const *paths = UsbFinderC_FindHidDevicesByDeviceId("0x3D7A", pid, 1, 5, &count);
        for (int i = 0; i < count; ++i)
            listed << QString::fromLatin1(paths[i]);
    }
    return {SimulationControl::firmwareVersion(QStringLiteral("R")),
            SimulationControl::firmwareVersion(QStringLiteral("M")),
            SimulationControl::bootMode(QStringLiteral("R")),
            SimulationControl::bootMode(QStringLiteral("M")), listed};
}

void loadDevices()
{
    // The state an accepted upgrade stored must not come back with the set.
    QDir(SimulationControl::stateFolder()).removeRecursively();
    if (!SimulationControl::loadDeviceSet(setFile)) {
        std::fprintf(stderr, "cannot load the simulated devices\n");
        std::abort();
    }
    SimulationControl::setLatency(0);
    SimulationControl::setUpgradeStepDelay(0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    Fuzz::installShippedConfig();
    QDir().mkpath(AppDir::filePath(QStringLiteral("bin")));
    QDir().mkpath(UserDir::path());
    SimulationControl::setStateFolder(UserDir::filePath(QStringLiteral("simulation")));
    setFile = UserDir::filePath(QStringLiteral("devices.ini"));
    Fuzz::writeInput(setFile, reinterpret_cast<const std::uint8_t *>(DevicesIni.constData()),
                     std::size_t(DevicesIni.size()));
    loadDevices();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::vector<std::uint8_t> file(data + 1, data + size);
    if (data[0] & 1)
        FirmwareHeader::Seal(file.data(), file.size());
    Fuzz::writeInput(AppDir::filePath(QStringLiteral("bin/image.bin")), file.data(), file.size());
    const QByteArray bytes(reinterpret_cast<const char *>(file.data()), int(file.size()));

    FirmwareHeader header;
    if (FirmwareHeader::Read(file.data(), file.size(), &header)) {
        const bool found = FirmwareImages::FindFirmwareFile(header.Target, QString(),
                                                            FirmwareImages::ModelNameText(header),
                                                            header.Cid, header.Mid);
        const bool imageSized =
            file.size() > FirmwareHeader::Size && file.size() <= FirmwareHeader::MaxImageSize;
        if (found != imageSized ||
            (found && FirmwareImages::FirmwareImageList() != QList<QByteArray>{bytes}))
            std::abort();
    }

    const auto *image = reinterpret_cast<const unsigned char *>(bytes.constData());
    int waiting = -1;
    UsbUpgradeC_FindBootDevices(image, bytes.size(), &waiting);
    if (waiting != 0) // both devices are in normal mode
        std::abort();

    const Devices before = devicesNow();
    if (!UsbUpgrade_Start(image, bytes.size(), &onUpgrade, 10000)) {
        if (!(devicesNow() == before))
            std::abort();
        return 0;
    }
    if (!upgradeEnded.tryAcquire(1, UpgradeLimitMs)) {
        std::fprintf(stderr, "an accepted upgrade did not end within %d ms\n", UpgradeLimitMs);
        std::abort();
    }
    loadDevices();
    return 0;
}
