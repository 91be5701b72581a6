#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>

// Firmware images for the mouse and its receiver are shipped as <appdir>/bin/*.bin. The device
// library takes the whole file as the image; the program only reads the first 728 bytes to tell
// which device and which version an image is for. The settings page wraps these functions; the
// home page and the device page's hot-plug handling call them directly.
namespace FirmwareImages {

inline constexpr int HeaderSize = 728;
inline constexpr int MouseTarget = 0xD2;    // 210
inline constexpr int ReceiverTarget = 0xD3; // 211

// The fields of an image header that the program uses (little-endian in the file).
struct FirmwareHeader
{
    quint32 Version = 0; // 0x10: major in bits 8..31, minor in bits 0..7
    quint8 Target = 0;   // 0x14: MouseTarget or ReceiverTarget
    quint8 Cid = 0;      // 0x15
    quint8 Mid = 0;      // 0x16
    QString ModelName;   // 0x57, 64 bytes of local 8-bit text, ends at the first NUL
};

// False when data is shorter than a header.
bool ReadFirmwareHeader(const QByteArray &data, FirmwareHeader *header);

// "v" + major in decimal + "." + minor as two upper-case hexadecimal digits: 0x021A gives "v2.1A".
// Any thread (the version reply of the device-event callback uses it).
QString FirmwareVersionText(quint32 version);

// Reads a text of the form above (the "v" may be missing) back into its version word. False for
// any other text, including an empty one.
bool ParseFirmwareVersion(const QString &text, quint32 *version);

// Looks through <appdir>/bin for an image of the given target, customer, model and model name
// whose version differs from deviceVersion (an empty deviceVersion matches every version). The
// last such image in name order is taken: FirmwareImageList() then holds its content. Returns
// whether an image was taken. Any thread.
bool FindFirmwareFile(int target, const QString &deviceVersion, const QString &modelName, int cid,
                      int mid);

// The same search without keeping an image: true at the first image that would be taken; an empty
// deviceVersion gives false. Any thread.
bool HasNewFirmware(int target, const QString &deviceVersion, const QString &modelName, int cid,
                    int mid);

// Whether an image of another version waits for the model of the device at driveIndex: the mouse
// image for MouseTarget, else the receiver image named for receiverCode 1, 2, 4 or 8 (any other
// code gives false). Reads Config.ini and stores its customer id in ConfigCid(). Any thread.
bool CheckNewFirmware(int target, const QString &versionText, int receiverCode, int driveIndex);

// The image the last FindFirmwareFile took: no entry or exactly one (the whole file).
QList<QByteArray> FirmwareImageList();
// Config.ini's customer id as the last CheckNewFirmware read it; the update engine uses it.
int ConfigCid();

} // namespace FirmwareImages
