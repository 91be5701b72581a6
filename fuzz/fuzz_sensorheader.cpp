// The sensor definition header reader and the DPI codec on arbitrary header files. The target
// reads the file twice, encodes a fixed set of DPI values for the first chip the file has a table
// for (and for a chip without a table that packs high code bits) over two- and four-range models,
// and decodes every code byte with the flags the program writes; the button page's DPI-lock codes
// convert both ways for the same chips. Beyond the sanitizers it checks
// the promises the program relies on: reading is repeatable, a table code is always a byte, and a
// value the editor shows is what its stored bytes read back as.
#include "buttons/model/dpicodes.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"
#include "sensor/model/dpicodec.h"
#include "sensor/model/sensorheader.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

SensorDefines readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        std::abort();
    return ReadSensorHeader(&file);
}

// The chip of the first entry named SENSOR_<chip>_DPI..., or an empty text.
QString firstChip(const SensorDefines &defines)
{
    const QString start = QStringLiteral("SENSOR_");
    for (const QString &name : defines.DefineNames) {
        const int end = name.indexOf(QLatin1String("_DPI"), start.size());
        if (name.startsWith(start) && end > start.size())
            return name.mid(start.size(), end - start.size());
    }
    return QString();
}

void check(const SensorModel &model)
{
    static const int values[] = {-50,   0,     40,    50,    400,   800,    12000,     12001,
                                 12100, 12800, 20000, 26000, 35000, 100000, 2147483647};
    for (const int dpi : values) {
        const DpiEncoding encoding = EncodeDpi(dpi, model);
        if (!encoding.Valid)
            continue;
        if (encoding.CodeX < 0 || encoding.CodeX > 255 || encoding.Flags < 0 ||
            encoding.Flags > 255)
            std::abort();
        if (encoding.Dpi != DecodeDpi(encoding.CodeX, encoding.Flags, model))
            std::abort();
    }
}

// The button page's DPI-lock codes take any header and any value; a value the chip's table
// names is stored as its first entry's code.
void checkLockCodes(const SensorDefines &defines, const QString &chip)
{
    for (const int dpi : {-100, 0, 50, 100, 400, 800, 1200, 2147483647}) {
        const int code = DpiToCode(dpi, chip, defines.DefineNames, defines.DefineValues);
        CodeToDpi(code, chip, defines.DefineNames, defines.DefineValues);
    }
    for (int code = -1; code <= 256; ++code)
        CodeToDpi(code, chip, defines.DefineNames, defines.DefineValues);
    const QString key = QStringLiteral("SENSOR_") + chip + QStringLiteral("_DPI_400");
    const int at = defines.DefineNames.indexOf(key);
    if (at < 0)
        return;
    const int code = DpiToCode(400, chip, defines.DefineNames, defines.DefineValues);
    if (code != defines.DefineValues.at(at))
        std::abort();
}

// Decoding does not depend on the ranges: once per chip.
void decodeEveryCode(const SensorModel &model)
{
    for (int code = 0; code <= 255; ++code) {
        for (const int flags : {0x00, 0x22, 0x66})
            DecodeDpi(code, flags, model);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(UserDir::path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = UserDir::filePath(QStringLiteral("driver_sensor.h"));
    Fuzz::writeInput(path, data, size);

    const SensorDefines defines = readFile(path);
    if (!(readFile(path) == defines))
        std::abort();
    if (defines.DefineNames.size() != defines.DefineValues.size() ||
        defines.SensorFeatureLists.size() != 6)
        std::abort();

    SensorModel model;
    model.DefineNames = defines.DefineNames;
    model.DefineValues = defines.DefineValues;
    for (const QString &chip : {firstChip(defines), QStringLiteral("3395")}) {
        model.SensorChip = chip;
        checkLockCodes(defines, chip);
        decodeEveryCode(model);
        model.DpiRangeTable.Load(
            QStringLiteral("50,12000,50,12100,26000,100,22").split(QLatin1Char(',')));
        check(model);
        model.DpiRangeTable.Load(
            QStringLiteral("50,10000,50,10100,20000,100,20100,30000,100,30200,40000,200,33")
                .split(QLatin1Char(',')));
        check(model);
    }
    return 0;
}
