#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

// The description of one detected device, as the enumeration builds it and the home page hands it
// to the device service. Plain value type: copies are independent (strings and the list included).
struct DeviceAllInfo
{
    // Device path as the device library's enumeration returned it (copied, never a pointer into
    // the library's array).
    QString Path;
    // Vendor and product identifier texts the device was found with (entries of the Config.ini
    // lists, compared as text).
    QString Vid = QStringLiteral("0");
    QString Pid = QStringLiteral("0");
    quint8 Cid = 0;
    quint8 Mid = 0;
    // Connection kind reported by the library; the enumeration stores it for every device it
    // lists, a device of no configured model included. 0 until then rather than left undefined.
    quint8 Kind = 0;
    // Index of the model section: the section is "Drive" + (DriveIndex + 1); -1 while a scan has
    // not matched a model yet.
    qint32 DriveIndex = 0;
    quint8 Online = 0;
    // Derived from Kind by WiredFromKind when the enumeration stores Kind; nothing else sets it.
    quint8 Wired = 0;
    // "v" + major + "." + two upper-case hexadecimal digits.
    QString UsbVersion;
    QString MouseVersion;
    // The three receiver-identifier bytes that come with the online state; empty until read.
    QList<quint8> ReceiverId;

    // Kinds 0, 1, 4 and 5 are receiver connections; any bit outside 0x05 means a cable.
    static quint8 WiredFromKind(quint8 kind) { return (kind & 0xFA) != 0 ? 1 : 0; }
};

Q_DECLARE_METATYPE(DeviceAllInfo)
