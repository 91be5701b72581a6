#include "core/settingsfile.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "core/recordlimits.h"
#include "platform/wholefile.h"

#include <QDataStream>
#include <QFile>

#include <cstring>

namespace {

const QByteArray Tag = QByteArrayLiteral("Tavik");

// The block as written: `text` cut at `size` bytes, then zero bytes up to `size`.
QByteArray padded(const QByteArray &text, int size)
{
    QByteArray block = text.left(size);
    block.append(QByteArray(size - block.size(), '\0'));
    return block;
}

// The text of a text block: its bytes up to the first zero byte, or all of them.
QByteArray blockText(const QByteArray &block)
{
    const int end = block.indexOf('\0');
    return end < 0 ? block : block.left(end);
}

// One data-stream byte block of at most `limit` bytes; false (stream state set) when the length
// is larger than the limit or the file ends early. The length is checked before anything is
// allocated, so a damaged length cannot make the reader reserve gigabytes.
bool readBlock(QDataStream &in, int limit, QByteArray *block)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok)
        return false;
    block->clear();
    if (length == 0xFFFFFFFFu) // the stream's mark of an empty block
        return true;
    if (length > quint32(limit)) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    block->resize(int(length));
    if (in.readRawData(block->data(), int(length)) != int(length)) {
        in.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    return true;
}

QString modelGroup()
{
    return QStringLiteral("Drive") +
           QString::number(DeviceState::instance()->CurrentDeviceInfo.get().DriveIndex + 1);
}

} // namespace

QString SettingsFile::CurrentModelSensor()
{
    return ConfigIni::instance()->value(modelGroup(), QStringLiteral("Sensor"));
}

int SettingsFile::CurrentModelDpiMaxGrade()
{
    return ConfigIni::instance()->intValue(modelGroup(), QStringLiteral("DPIMaxGrade"));
}

QByteArray SettingsFile::SensorBlockText(const QString &sensorName)
{
    return blockText(sensorName.toUtf8()).left(TextBlockSize);
}

bool SettingsFile::Write(const QString &path, const FlashDataMap &record, const QString &sensorName)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const QByteArray tag = padded(Tag, TextBlockSize);
    const QByteArray sensor = padded(SensorBlockText(sensorName), TextBlockSize);
    out.writeBytes(tag.constData(), uint(tag.size()));
    out.writeBytes(sensor.constData(), uint(sensor.size()));
    out.writeBytes(reinterpret_cast<const char *>(record.bytes()), uint(FlashDataMap::Size));
    return out.status() == QDataStream::Ok && WholeFile::write(path, bytes);
}

SettingsFile::Result SettingsFile::Read(const QString &path, const QString &sensorName,
                                        int dpiMaxGrade, FlashDataMap *record)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable;
    QDataStream in(&file);
    QByteArray tag, sensor, data;
    if (!readBlock(in, TextBlockSize, &tag) || !readBlock(in, TextBlockSize, &sensor) ||
        !readBlock(in, int(FlashDataMap::Size), &data))
        return Unreadable;
    // Every block as the program writes it: the texts padded to their size (the tag with its zero
    // byte), and a whole record.
    if (tag.size() != TextBlockSize || sensor.size() != TextBlockSize ||
        data.size() != int(FlashDataMap::Size))
        return Unreadable;
    if (tag.indexOf('\0') < 0 || blockText(tag) != Tag)
        return Unreadable;
    FlashDataMap imported;
    std::memcpy(imported.bytes(), data.constData(), FlashDataMap::Size);
    // A value no page can set is no record the program saved: sent to the mouse, the pages would
    // show what it does not hold (and counts beyond a key record or a macro would run past it).
    if (!RecordLimits::WithinPages(imported))
        return Unreadable;
    // Compared as stored: a name of 12 bytes or more was written cut and without its zero byte.
    if (blockText(sensor) != SensorBlockText(sensorName))
        return OtherModel;
    // More stages than this model has (but no more than any model has): saved from another one.
    if (imported.DpiStageCount > dpiMaxGrade)
        return OtherModel;
    *record = imported;
    return Accepted;
}
