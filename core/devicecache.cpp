#include "core/devicecache.h"

#include "platform/appdir.h"
#include "platform/wholefile.h"

#include <QDataStream>
#include <QFile>
#include <QtEndian>

namespace {
constexpr qint64 LengthPrefixSize = 4;
// The length a data stream writes for a null byte array.
constexpr quint32 NullBlockLength = 0xFFFFFFFFu;

// Formatted like printf's "%02X": stored cache names depend on it.
QString upperHex(int value)
{
    return QString::number(static_cast<uint>(value), 16)
        .toUpper()
        .rightJustified(2, QLatin1Char('0'));
}
} // namespace

QString DeviceCacheFileName(int cid, int mid)
{
    return QStringLiteral("Device_CID") + upperHex(cid) + QStringLiteral("_MID") + upperHex(mid) +
           QStringLiteral(".bin");
}

QString DeviceCachePath(const QString &name)
{
    return UserDir::filePath(QStringLiteral("Device_Info/") + name);
}

bool SaveDeviceCache(const QString &name, FlashDataMap record)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.writeBytes(reinterpret_cast<const char *>(record.bytes()), uint(FlashDataMap::Size));
    return stream.status() == QDataStream::Ok && WholeFile::write(DeviceCachePath(name), bytes);
}

bool LoadDeviceCache(const QString &name, FlashDataMap *destination)
{
    QFile file(DeviceCachePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;

    uchar prefix[LengthPrefixSize];
    if (file.read(reinterpret_cast<char *>(prefix), LengthPrefixSize) != LengthPrefixSize)
        return false;
    const quint32 length = qFromBigEndian<quint32>(prefix);
    // The prefix is only trusted as far as the file backs it: a block must be whole and at least
    // one record long; nothing is allocated beyond the record itself.
    if (length == NullBlockLength || length < FlashDataMap::Size ||
        file.size() - LengthPrefixSize < qint64(length))
        return false;

    FlashDataMap record;
    if (file.read(reinterpret_cast<char *>(record.bytes()), qint64(FlashDataMap::Size)) !=
        qint64(FlashDataMap::Size))
        return false;
    *destination = record;
    return true;
}
