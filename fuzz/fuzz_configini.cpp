// The model configuration store on arbitrary Config.ini contents, read through every accessor the
// program uses, and the Base64 identifier decoder on arbitrary text. Beyond the sanitizers, it
// checks two promises callers build on: a decoded identifier holds no line feed or space, and a
// theme colour is always three numbers 0..255.
#include "buttons/model/keysequencedefault.h"
#include "core/configini.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"

#include <QDir>

#include <cstdlib>

namespace {

const char *const groups[] = {"Option", "Drive1", "Drive2", "Drive3"};
const char *const keys[] = {"DeviceTotal",
                            "CID",
                            "VID",
                            "USB_PID",
                            "Wireless_PID",
                            "Wireless2_PID",
                            "Wireless4_PID",
                            "Wireless8_PID",
                            "InterfaceId",
                            "DeviceId",
                            "MID",
                            "Sensor",
                            "KeyNumber",
                            "KeyParam1",
                            "KeyParam6",
                            "DPIMaxGrade",
                            "XIn1",
                            "DPIRange",
                            "DPIColor",
                            "DPIGrade",
                            "Adveanced",
                            "MM",
                            "DM",
                            "D2M",
                            "D4M",
                            "D8M"};
const char *const colorKeys[] = {"LabelColor",         "ButtonColor",           "ComboxTextColor",
                                 "ComboxSelectColor",  "ComboxBackGroundColor", "LinEditColor",
                                 "LinEditColorSecond", "SliderColor",           "UnknownColor"};

void checkIdentifier(const QString &text)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char(' ')))
        std::abort();
}

void checkColor(const QString &rgb)
{
    const QStringList parts = rgb.split(QLatin1Char(','));
    if (parts.size() != 3)
        std::abort();
    for (const QString &part : parts) {
        bool ok = false;
        const int component = part.toInt(&ok, 10);
        if (!ok || component < 0 || component > 255)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(AppDir::filePath(QStringLiteral("usersetting")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = AppDir::filePath(QStringLiteral("usersetting/Config.ini"));
    Fuzz::writeInput(path, data, size);
    ConfigIni::resetForTests(path);
    const ConfigIni *store = ConfigIni::instance();

    for (const char *group : groups) {
        for (const char *key : keys) {
            const QString g = QLatin1String(group), k = QLatin1String(key);
            const QString text = store->value(g, k);
            const QStringList list = store->valueList(g, k);
            store->intValue(g, k);
            if (ConfigIni::isIdentifierKey(k)) {
                checkIdentifier(text);
                for (const QString &element : list)
                    checkIdentifier(element);
            }
        }
    }
    // A model's key-sequence defaults, as a deleted macro's rows read them.
    for (const char *group : groups) {
        for (int i = 1; i <= KeySequenceDefaultSlots; ++i) {
            const QStringList list =
                store->valueList(QLatin1String(group), QStringLiteral("KeyParam%1").arg(i));
            const KeySequenceDefault parsed = ParseKeySequenceDefault(list);
            if (parsed.What == KeySequenceDefault::Combination && parsed.Text != list.value(3))
                std::abort();
            if (parsed.What != KeySequenceDefault::None && list.value(0) != QLatin1String("0x05"))
                std::abort();
        }
    }
    for (const char *key : colorKeys)
        checkColor(store->color(QLatin1String(key)));

    const QString raw = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    checkIdentifier(ConfigIni::decodeIdentifier(raw));
    return 0;
}
