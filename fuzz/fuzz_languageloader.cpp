// The language-file loader on arbitrary file contents. An input is up to three files separated by
// NUL bytes (no XML document holds one): 0-English.xml, Ukrainian.xml and Net.xml in that order;
// fewer parts leave the later files missing, as on a damaged installation. Every table is then
// read back entry by entry, as the forms do.
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "fuzz/fuzzsupport.h"
#include "platform/appdir.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {
const char *const fileNames[] = {"0-English.xml", "Ukrainian.xml", "Net.xml"};
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    QDir().mkpath(AppDir::filePath(QStringLiteral("Language")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString folder = AppDir::filePath(QStringLiteral("Language"));
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)).split('\0');
    for (int i = 0; i < 3; ++i) {
        const QString path = QDir(folder).filePath(QLatin1String(fileNames[i]));
        if (i < parts.size()) {
            const QByteArray &part = parts.at(i);
            Fuzz::writeInput(path, reinterpret_cast<const std::uint8_t *>(part.constData()),
                             std::size_t(part.size()));
        } else {
            QFile::remove(path);
        }
    }
    ReloadLanguageFilesForTest(folder);

    for (const LanguageSection &section : LanguageCatalogue()) {
        const TextTable &table = *section.table;
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int entry = 0; entry <= table.entryCount(row); ++entry)
                table.text(row, entry, QString());
        }
    }
    return 0;
}
