#pragma once

#include "core/record/firmwareheader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>

// Firmware images for the mouse and its receiver are shipped as <appdir>/bin/*.bin
// (core/record/firmwareheader.h). The device library takes the whole file as the image and checks
// its integrity itself; the program reads only the header fields that tell which device and which
// version an image is for, so images that carry no integrity fields keep being found. The settings
// page wraps these functions; the home page and the device page's hot-plug handling call them
// directly.
namespace FirmwareImages {

inline constexpr int HeaderSize = int(FirmwareHeader::Size);
inline constexpr int MouseTarget = FirmwareHeader::MouseTarget;       // 210
inline constexpr int ReceiverTarget = FirmwareHeader::ReceiverTarget; // 211

// The header fields of an image file; false when data is shorter than a header.
bool ReadFirmwareHeader(const QByteArray &data, FirmwareHeader *header);
// The header's model name as the program compares it: local 8-bit text.
QString ModelNameText(const FirmwareHeader &header);

// "v" + major in decimal + "." + minor as two upper-case hexadecimal digits: 0x021A gives "v2.1A".
// Any thread (the version reply of the device-event callback uses it).
QString FirmwareVersionText(quint32 version);

// Reads a text of the form above (the "v" may be missing) back into its version word. False for
// any other text, including an empty one.
bool ParseFirmwareVersion(const QString &text, quint32 *version);

// Looks through <appdir>/bin for an image of the given target, customer, model and model name
// whose version differs from deviceVersion (an empty deviceVersion matches every version). Files
// over FirmwareHeader::MaxImageSize and files that hold a header alone are no images and are
// skipped unread, as are files that cannot be read. The last such image in name order is taken:
// FirmwareImageList() then holds its content. Returns whether an image was taken. Any thread.
bool FindFirmwareFile(int target, const QString &deviceVersion, const QString &modelName, int cid,
                      int mid);

// The same search, but the image taken goes to *image (emptied first) and the image held for the
// update engine stays as it is: the firmware repair keeps images of its own. Any thread.
bool TakeFirmwareImage(int target, const QString &deviceVersion, const QString &modelName, int cid,
                       int mid, QByteArray *image);

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
// Config.ini's customer id as the last CheckNewFirmware or the update engine read it.
int ConfigCid();
void SetConfigCid(int cid);

} // namespace FirmwareImages
