// Writes the program's firmware images at build time:
//   zr35_firmwaregen <assets folder> <built-in device set> <output folder>
// For every model of <assets folder>/usersetting/Config.ini: one mouse image named by its MM and
// one receiver image for each of DM, D2M, D4M and D8M it names. Each carries the firmware version
// of the built-in simulated device of its target, so that a normal start has nothing to offer,
// and a payload of 16 to 64 KiB drawn from its name: the same bytes on every build. The tool owns
// the output folder: image files it did not write this time are removed, so a renamed model leaves
// no second image of one model and name behind.
#include "core/record/firmwareheader.h"
#include "platform/appdir.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/modelconfig.h"
#include "platform/wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

#include <cstdio>

namespace {

constexpr std::size_t MinPayload = 16 * 1024;
constexpr std::size_t MaxPayload = 64 * 1024;

int fail(const QString &message)
{
    std::fprintf(stderr, "firmwaregen: %s\n", qPrintable(message));
    return 1;
}

// A payload that only this image carries, the same on every build.
std::vector<std::uint8_t> payloadFor(const QByteArray &seedText)
{
    std::uint32_t state =
        Crc32(reinterpret_cast<const std::uint8_t *>(seedText.constData()), seedText.size());
    const std::size_t size = MinPayload + state % (MaxPayload - MinPayload + 1);
    std::vector<std::uint8_t> payload(size);
    for (std::uint8_t &byte : payload) {
        // xorshift32: never 0 once started from a non-zero state.
        state = state ? state : 0x2545F491u;
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = std::uint8_t(state >> 24);
    }
    return payload;
}

bool writeImage(const QString &path, const FirmwareHeader &header, QString *error)
{
    const QByteArray seed = QByteArray::number(header.Mid) + '/' + header.ModelName.c_str();
    const std::vector<std::uint8_t> payload = payloadFor(seed);
    const std::vector<std::uint8_t> image = header.Write(payload.data(), payload.size());
    const QByteArray bytes(reinterpret_cast<const char *>(image.data()), int(image.size()));
    if (!WholeFile::write(path, bytes)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: zr35_firmwaregen <assets folder> <built-in device set> "
                                   "<output folder>"));
    AppDir::setOverride(args.at(1));

    DeviceSet builtIn;
    QString error;
    if (!DeviceSetFile::read(args.at(2), &builtIn, &error))
        return fail(QStringLiteral("%1: %2").arg(args.at(2), error));
    if (builtIn.receivers.isEmpty() || builtIn.mice.isEmpty())
        return fail(QStringLiteral("%1 has no receiver or no mouse").arg(args.at(2)));
    const quint16 receiverVersion = builtIn.receivers.first().version;
    const quint16 mouseVersion = builtIn.mice.first().version;

    const QDir out(args.at(3));
    if (!QDir().mkpath(out.path()))
        return fail(QStringLiteral("cannot make %1").arg(out.path()));
    const int cid = ModelConfig::identifiers().cid;
    QSet<QString> written;
    for (const int mid : ModelConfig::modelIds()) {
        const ModelConfig::Model model = ModelConfig::model(mid);
        FirmwareHeader header;
        header.Cid = std::uint8_t(cid);
        header.Mid = std::uint8_t(mid);
        QList<QPair<std::uint8_t, QString>> images;
        images.append({FirmwareHeader::MouseTarget, model.mouseImageName});
        for (const QString &name : model.receiverImageNames)
            images.append({FirmwareHeader::ReceiverTarget, name});
        for (const auto &image : qAsConst(images)) {
            if (image.second.isEmpty())
                continue;
            header.Target = image.first;
            header.Version =
                image.first == FirmwareHeader::MouseTarget ? mouseVersion : receiverVersion;
            header.ModelName = image.second.toLocal8Bit().toStdString();
            const QString file = QStringLiteral("model%1-%2.bin").arg(mid).arg(image.second);
            if (written.contains(file))
                return fail(QStringLiteral("two images named %1").arg(file));
            if (!writeImage(out.filePath(file), header, &error))
                return fail(error);
            written.insert(file);
        }
    }
    for (const QString &file : out.entryList({QStringLiteral("*.bin")}, QDir::Files)) {
        if (!written.contains(file) && !QFile::remove(out.filePath(file)))
            return fail(QStringLiteral("cannot remove the old image %1").arg(file));
    }
    return 0;
}
