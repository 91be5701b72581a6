// The settings-import reader on arbitrary file contents, for the first model of the shipped
// Config.ini (its sensor, eight DPI stages). Beyond the sanitizers it checks the reader's promises:
// a file that is not accepted leaves the record untouched, and an accepted record survives the
// program's own export and import unchanged.
#include "core/recordlimits.h"
#include "core/settingsfile.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"

#include <QDir>

#include <cstdlib>
#include <cstring>

namespace {
const QString Sensor = QStringLiteral("OPT5100");
constexpr int DpiMaxGrade = 8;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(UserDir::path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = UserDir::filePath(QStringLiteral("imported.bin"));
    static const QString exported = UserDir::filePath(QStringLiteral("exported.bin"));
    Fuzz::writeInput(path, data, size);

    FlashDataMap record = Fuzz::markedRecord();
    const SettingsFile::Result result = SettingsFile::Read(path, Sensor, DpiMaxGrade, &record);
    if (result != SettingsFile::Accepted) {
        if (!Fuzz::isMarked(record))
            std::abort();
        return 0;
    }

    // An accepted record holds only what the pages can show (its event counts fit their
    // records, so readers of the events stop there).
    if (!RecordLimits::WithinPages(record) || record.DpiStageCount > DpiMaxGrade ||
        !SettingsFile::Write(exported, record, Sensor))
        std::abort();
    FlashDataMap again;
    if (SettingsFile::Read(exported, Sensor, DpiMaxGrade, &again) != SettingsFile::Accepted ||
        std::memcmp(again.bytes(), record.bytes(), FlashDataMap::Size) != 0)
        std::abort();
    return 0;
}
