#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QString>

// The settings export file: a device's whole configuration record with the tag of this program and
// the sensor chip of the model it was saved from. Three data-stream byte blocks (a 32-bit
// big-endian length, then the bytes), 10464 bytes in all as the program writes them:
//   tag     12 bytes  "Tavik", a zero byte, zero padding
//   sensor  12 bytes  the model's sensor name in UTF-8, cut at 12 bytes, zero padded
//   record  10428     the FlashDataMap byte for byte
// Files saved by earlier versions carry undefined bytes after the zero byte of each text block,
// so a text block counts only up to its first zero byte.
namespace SettingsFile {

constexpr int TextBlockSize = 12;
constexpr int FileSize = 3 * 4 + 2 * TextBlockSize + int(FlashDataMap::Size);

// What the reader makes of a file; the numbers are the ImportResult the refusal notice shows.
enum Result
{
    Accepted = 0,
    // cannot be opened, wrong framing or block sizes, not this program's tag, or a record holding
    // a value no page can set (core/recordlimits.h)
    Unreadable = 1,
    OtherModel = 2 // another sensor, or more DPI stages than the model has
};

// The sensor name and the DPI stage limit of the selected device's model, from its Config.ini
// section Drive<DriveIndex + 1>.
QString CurrentModelSensor();
int CurrentModelDpiMaxGrade();

// The model's sensor name as it is stored in and compared with a file: UTF-8, at most 12 bytes.
QByteArray SensorBlockText(const QString &sensorName);

// Writes the file for `record`, saved from a model with `sensorName`. The file is replaced as a
// whole: a failed write leaves any earlier file as it was. Returns false when it could not write.
bool Write(const QString &path, const FlashDataMap &record, const QString &sensorName);

// Reads the file at `path` for a model with `sensorName` and `dpiMaxGrade` stages. Only an
// accepted file fills *record; any other result leaves it untouched. No block is read beyond the
// sizes above, whatever length the file claims.
Result Read(const QString &path, const QString &sensorName, int dpiMaxGrade, FlashDataMap *record);

} // namespace SettingsFile
