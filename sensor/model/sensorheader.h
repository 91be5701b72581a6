#pragma once

#include <QString>
#include <QVector>

class QIODevice;

// The sensor definition header driver_sensor.h that lies beside the program: `#define` lines
// naming, for each sensor feature, the chips that have it, and each chip's table of DPI register
// codes (SENSOR_<chip>_DPI_<dpi>). The sensor page and the button page read it; neither ever
// writes it. Widget-free.
//
// The format, as the files delivered with the mice write it (a line keeps its line break while it
// is read; words are separated by blanks only, a tab never separates words):
// - "#define", a blank, a feature name, a tab, a comma list of chips: that feature's chips. A
//   later line for the same feature replaces the list. Nothing is added to the tables.
// - "#define", a blank, a name, a tab, a value, the line break: a table entry. The value is
//   hexadecimal when it contains "0x", decimal otherwise; text that is not a number, or a number
//   beyond a signed 32-bit integer, reads 0. The last line of a file counts only when it ends with
//   a line break.
// - "#define", a blank, a name, a tab, a value, a blank and a comment without blanks that contains
//   "//": a table entry whose value is read as decimal only.
// Every other line adds nothing; a `#define` line among them is reported (SensorHeaderProblem).
namespace SensorHeader {

// The six features, in the order of SensorDefines::SensorFeatureLists.
extern const char *const FeatureNames[6];

// The file beside the program.
QString FilePath();

// Indexes of the features in SensorDefines::SensorFeatureLists.
enum Feature
{
    ModeSelect = 0, // SUPPORT_SENSOR_MODE_SEL: the sensor mode can be chosen
    LodCalibration, // SUPPORT_LOD_CAL: the lift-off distance can be chosen
    Ripple,         // SUPPORT_RIPPLE: ripple control
    FixLine,        // SUPPORT_FIXLINE: angle snapping
    MotionSync,     // SUPPORT_MOTION_SYNC
    MousepadCal     // SUPPORT_MOUSEPAD_CAL
};

// Whether `chip` is in a feature's list: the list is free text, so the chip's name occurring in it
// anywhere (case-sensitive) is enough. A model without a chip name has no feature: an empty name
// would occur in every list and switch on settings its sensor may not have.
bool ListsChip(const QString &list, const QString &chip);

} // namespace SensorHeader

struct SensorDefines
{
    // Parallel, in file order; duplicate names are all kept.
    QVector<QString> DefineNames;
    QVector<int> DefineValues;
    // The chip lists of SUPPORT_SENSOR_MODE_SEL, SUPPORT_LOD_CAL, SUPPORT_RIPPLE, SUPPORT_FIXLINE,
    // SUPPORT_MOTION_SYNC and SUPPORT_MOUSEPAD_CAL; empty until the header names them. A chip has
    // a feature when its name occurs in the list text (case-sensitive).
    QVector<QString> SensorFeatureLists = QVector<QString>(6);

    bool operator==(const SensorDefines &other) const
    {
        return DefineNames == other.DefineNames && DefineValues == other.DefineValues &&
               SensorFeatureLists == other.SensorFeatureLists;
    }
};

// A `#define` line that added nothing, and why (1-based line number).
struct SensorHeaderProblem
{
    int Line;
    QString Reason;
};

// Reads a header from an open device (opened in text mode, so that a CR LF line end reads as a
// line break) into fresh tables; `problems` (when given) receives the unusable `#define` lines.
SensorDefines ReadSensorHeader(QIODevice *device, QVector<SensorHeaderProblem> *problems = nullptr);

// Reads the file at `path`; a file that cannot be opened gives empty tables and no feature. Each
// unusable `#define` line is reported on standard error with the file's name and its line number.
SensorDefines LoadSensorHeader(const QString &path = SensorHeader::FilePath());
