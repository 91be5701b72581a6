// The device cache loader on arbitrary file contents. Beyond the sanitizers, it checks the
// loader's promise: a load that succeeds gives exactly the record's bytes after the length
// prefix, and one that fails leaves the destination as it was.
#include "core/devicecache.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"

#include <QDir>

#include <cstdlib>
#include <cstring>

namespace {
constexpr std::size_t PrefixSize = 4;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    // The program makes the folder at start-up; the loader relies on it.
    QDir().mkpath(UserDir::filePath(QStringLiteral("Device_Info")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString name = DeviceCacheFileName(0x0C, 0x0A);
    Fuzz::writeInput(DeviceCachePath(name), data, size);

    FlashDataMap record = Fuzz::markedRecord();
    if (LoadDeviceCache(name, &record)) {
        if (size < PrefixSize + FlashDataMap::Size ||
            std::memcmp(record.bytes(), data + PrefixSize, FlashDataMap::Size) != 0)
            std::abort();
    } else if (!Fuzz::isMarked(record)) {
        std::abort();
    }
    return 0;
}
