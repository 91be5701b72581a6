// The registry value UpdateFailInfo on arbitrary text: the input is stored as the value and read
// back through the one parser every reader uses (the home page's Repair button, the update check,
// the repair check). Beyond the sanitizers it checks the parser's promises: reading writes nothing
// (the text stays as it was), the registry route and the text give the same answer, a record has
// exactly four items, and a record written back as the program writes it reads as the same record.
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "fuzz/fuzzsupport.h"

#include <cstdlib>

namespace {

bool same(const UpdateFailRecord &a, const UpdateFailRecord &b)
{
    return a.Target == b.Target && a.ReceiverCode == b.ReceiverCode && a.Cid == b.Cid &&
           a.Mid == b.Mid;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    RegistryValues::SetUpdateFailInfo(
        QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    const QString stored = RegistryValues::UpdateFailInfo();

    UpdateFailRecord record;
    const bool parsed = ReadUpdateFailRecord(&record);
    if (RegistryValues::UpdateFailInfo() != stored || HasUpdateFailRecord() != parsed)
        std::abort();
    UpdateFailRecord fromText;
    if (ParseUpdateFailInfo(stored, &fromText) != parsed)
        std::abort();
    if (!parsed) {
        RegistryValues::RemoveUpdateFailInfo();
        return 0;
    }
    if (!same(record, fromText) || stored.count(QLatin1Char(',')) != 3)
        std::abort();
    UpdateFailRecord again;
    if (!ParseUpdateFailInfo(
            UpdateFailInfoText(record.Target, record.ReceiverCode, record.Cid, record.Mid),
            &again) ||
        !same(record, again))
        std::abort();
    RegistryValues::RemoveUpdateFailInfo();
    return 0;
}
