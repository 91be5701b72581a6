#include "core/firmwareimages.h"

#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/devicestate.h"
#include "platform/appdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace FirmwareImages {

namespace {

QMutex imageListMutex;
QList<QByteArray> imageList;
std::atomic<int> configCid{0};

enum class SearchMode
{
    TakeLast,   // FindFirmwareFile: keep the last image worth offering
    StopAtFirst // HasNewFirmware: answer at the first one, keep nothing
};

// The image files in name order, case ignored. A dangling link named *.bin is listed too, so that
// it is skipped as unreadable like any other file that cannot be opened.
QFileInfoList imageFiles(const QDir &folder)
{
    const QFileInfoList entries = folder.entryInfoList(
        {QStringLiteral("*.bin")}, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
    QFileInfoList files;
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() || (entry.isSymLink() && !entry.exists()))
            files.append(entry);
    }
    return files;
}

bool runSearch(int target, const QString &deviceVersion, const QString &modelName, int cid, int mid,
               SearchMode mode, QByteArray *taken)
{
    const QDir folder(AppDir::filePath(QStringLiteral("bin")));
    if (!folder.exists())
        return false;

    // Versions are compared as version words: "1.0A" and "1.0B" are different firmware even
    // though both read as the same decimal number. A device text that is no version text at all
    // can only equal an image by its text.
    const bool deviceKnown = !deviceVersion.isEmpty();
    quint32 deviceWord = 0;
    const bool deviceParsed = ParseFirmwareVersion(deviceVersion, &deviceWord);
    QString deviceNumber = deviceVersion;
    deviceNumber.remove(QLatin1Char('v'));

    bool found = false;
    for (const QFileInfo &info : imageFiles(folder)) {
        // Sizes are asked before anything is read: a huge file in bin/ must not be loaded into
        // memory, and a header alone has no firmware to install.
        if (info.size() <= qint64(FirmwareHeader::Size) ||
            info.size() > qint64(FirmwareHeader::MaxImageSize))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue; // one bad file must not hide the images after it
        // The file may have grown since its size was asked.
        const QByteArray content = file.read(qint64(FirmwareHeader::MaxImageSize) + 1);
        if (content.size() <= int(FirmwareHeader::Size) ||
            content.size() > int(FirmwareHeader::MaxImageSize))
            continue;
        FirmwareHeader header;
        if (!ReadFirmwareHeader(content, &header))
            continue;
        if (header.Target != quint8(target) || header.Cid != quint8(cid) ||
            header.Mid != quint8(mid) || ModelNameText(header) != modelName)
            continue;
        if (deviceKnown) {
            const bool same = deviceParsed
                                  ? header.Version == deviceWord
                                  : FirmwareVersionText(header.Version).mid(1) == deviceNumber;
            if (same)
                continue;
        }
        found = true;
        if (mode == SearchMode::StopAtFirst)
            return true;
        *taken = content;
    }
    return found;
}

} // namespace

bool ReadFirmwareHeader(const QByteArray &data, FirmwareHeader *header)
{
    return FirmwareHeader::Read(reinterpret_cast<const std::uint8_t *>(data.constData()),
                                std::size_t(data.size()), header);
}

QString ModelNameText(const FirmwareHeader &header)
{
    return QString::fromLocal8Bit(header.ModelName.data(), int(header.ModelName.size()));
}

QString FirmwareVersionText(quint32 version)
{
    const QString minor = QString::number(version & 0xFF, 16).toUpper();
    return QStringLiteral("v%1.%2").arg(version >> 8).arg(minor, 2, QLatin1Char('0'));
}

bool ParseFirmwareVersion(const QString &text, quint32 *version)
{
    QString number = text;
    number.remove(QLatin1Char('v'));
    const QStringList parts = number.split(QLatin1Char('.'));
    if (parts.size() != 2 || parts.at(0).isEmpty() || parts.at(1).isEmpty())
        return false;
    bool majorOk = false;
    bool minorOk = false;
    const uint major = parts.at(0).toUInt(&majorOk, 10);
    const uint minor = parts.at(1).toUInt(&minorOk, 16);
    if (!majorOk || !minorOk || minor > 0xFF || major > 0xFFFFFF)
        return false;
    *version = (major << 8) | minor;
    return true;
}

bool FindFirmwareFile(int target, const QString &deviceVersion, const QString &modelName, int cid,
                      int mid)
{
    {
        QMutexLocker lock(&imageListMutex);
        imageList.clear();
    }
    QByteArray taken;
    const bool found =
        runSearch(target, deviceVersion, modelName, cid, mid, SearchMode::TakeLast, &taken);
    if (found) {
        QMutexLocker lock(&imageListMutex);
        imageList = {taken};
    }
    return found;
}

bool TakeFirmwareImage(int target, const QString &deviceVersion, const QString &modelName, int cid,
                       int mid, QByteArray *image)
{
    image->clear();
    return runSearch(target, deviceVersion, modelName, cid, mid, SearchMode::TakeLast, image);
}

bool HasNewFirmware(int target, const QString &deviceVersion, const QString &modelName, int cid,
                    int mid)
{
    if (deviceVersion.isEmpty())
        return false;
    return runSearch(target, deviceVersion, modelName, cid, mid, SearchMode::StopAtFirst, nullptr);
}

bool CheckNewFirmware(int target, const QString &versionText, int receiverCode, int driveIndex)
{
    const ConfigIni *config = ConfigIni::instance();
    const int cid = config->intValue(QStringLiteral("Option"), QStringLiteral("CID"));
    configCid.store(cid);
    const QString group = QStringLiteral("Drive%1").arg(driveIndex + 1);
    const QString nameKey =
        target == MouseTarget ? QStringLiteral("MM") : ReceiverImageKey(receiverCode);
    if (nameKey.isEmpty())
        return false;
    const QString modelName = config->value(group, nameKey);
    const int mid = config->intValue(group, QStringLiteral("MID"));
    return HasNewFirmware(target, versionText, modelName, cid, mid);
}

QList<QByteArray> FirmwareImageList()
{
    QMutexLocker lock(&imageListMutex);
    return imageList;
}

int ConfigCid()
{
    return configCid.load();
}

void SetConfigCid(int cid)
{
    configCid.store(cid);
}

} // namespace FirmwareImages
