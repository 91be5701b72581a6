#include "fuzz/fuzzsupport.h"

#include "core/configini.h"
#include "platform/appdir.h"
#include "tests/support/isolatedhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
QCoreApplication *application = nullptr;
// The application sees only the program name: libFuzzer's own flags are not Qt's.
int applicationArgc = 1;
constexpr std::uint8_t Marker = 0xA5;

// Qt's warnings about malformed input (an unknown variant type in an INI value, ...) are what the
// inputs are made to provoke; printing them would only slow fuzzing down. A fatal message still
// aborts after this handler, so it is found as a crash.
void dropMessages(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

void Fuzz::initialise(int *argc, char ***argv, Application kind)
{
    if (application)
        return;
    Q_UNUSED(argc);
    // Kept for the whole run and removed at exit, like a test's temporary HOME.
    static IsolatedHome home;
    qInstallMessageHandler(dropMessages);
    if (kind == Application::Gui) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = new QGuiApplication(applicationArgc, *argv);
    } else {
        application = new QCoreApplication(applicationArgc, *argv);
    }
    const QString appFolder = home.path() + QStringLiteral("/app");
    QDir().mkpath(appFolder);
    AppDir::setOverride(appFolder);
}

void Fuzz::installShippedConfig()
{
    const QString target = AppDir::filePath(QStringLiteral("usersetting/Config.ini"));
    QDir().mkpath(AppDir::filePath(QStringLiteral("usersetting")));
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(ZR35_SOURCE_DIR "/assets/usersetting/Config.ini"), target)) {
        std::fprintf(stderr, "cannot copy the shipped Config.ini\n");
        std::abort();
    }
    ConfigIni::resetForTests(target);
}

void Fuzz::writeInput(const QString &path, const std::uint8_t *data, std::size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the fuzz input to %s\n", qPrintable(path));
        std::abort();
    }
}

FlashDataMap Fuzz::markedRecord()
{
    FlashDataMap record;
    std::memset(record.bytes(), Marker, FlashDataMap::Size);
    return record;
}

bool Fuzz::isMarked(const FlashDataMap &record)
{
    return std::all_of(record.bytes(), record.bytes() + FlashDataMap::Size,
                       [](std::uint8_t byte) { return byte == Marker; });
}
