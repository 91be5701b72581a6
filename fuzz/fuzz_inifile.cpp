// The reader every INI file of the program and of the simulated device library goes through, on
// arbitrary bytes. Beyond the sanitizers it checks what the stores build on: every value read is
// text (never an object QSettings decoded from "@Variant(...)" or its kin), and a store that
// writes the values back reads them back as they were.
#include "fuzz/fuzzsupport.h"
#include "platform/inifile.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

bool isText(const QVariant &value)
{
    if (value.userType() == QMetaType::QString)
        return true;
    return value.userType() == QMetaType::QStringList;
}

// What does not come back: a control character, which the writer turns into a "\x" escape that
// the reader then leaves out, and a character beyond the 16-bit range, which QSettings' INI writer
// codes one half at a time and so loses (it always did). Every other value must come back under
// its key.
bool comesBack(const QVariant &value)
{
    const QStringList texts = value.toStringList() << value.toString();
    for (const QString &text : texts) {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x20 || ch.isSurrogate())
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = QDir::home().filePath(QStringLiteral("input.ini"));
    static const QString copy = QDir::home().filePath(QStringLiteral("written.ini"));
    Fuzz::writeInput(path, data, size);
    const IniFile file(path);
    const QSettings::SettingsMap &values = file.values();
    for (const QVariant &value : values) {
        if (!isText(value))
            std::abort();
    }
    file.childGroups();
    for (const QString &group : file.childGroups())
        file.childKeys(group);

    if (!IniFile::write(copy, values))
        std::abort();
    const IniFile back(copy);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (comesBack(it.value()) && back.value(it.key()) != it.value())
            std::abort();
    }
    return 0;
}
