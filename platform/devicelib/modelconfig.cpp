#include "platform/devicelib/modelconfig.h"

#include "platform/appdir.h"
#include "platform/inifile.h"

namespace {

// Buttons beyond 16 have no slot in the record.
constexpr int MaxKeyParams = 16;

// The file keeps identifier texts Base64-coded (UTF-8 inside); spaces and line feeds that a
// hand-edited file may carry inside a coded text are not part of the identifier.
QString decoded(const QString &coded)
{
    QString text = QString::fromUtf8(QByteArray::fromBase64(coded.toUtf8()));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char(' '));
    return text;
}

QStringList decodedList(const IniFile &file, const QString &key)
{
    QStringList list = file.value(key).toStringList();
    for (QString &element : list)
        element = decoded(element);
    return list;
}

int number(const IniFile &file, const QString &key)
{
    return file.value(key).toString().toInt();
}

} // namespace

QString ModelConfig::filePath()
{
    return AppDir::filePath(QStringLiteral("usersetting/Config.ini"));
}

ModelConfig::Identifiers ModelConfig::identifiers()
{
    const IniFile file(filePath());
    Identifiers ids;
    ids.cid = decoded(file.value(QStringLiteral("Option/CID")).toString()).toInt();
    ids.vids = decodedList(file, QStringLiteral("Option/VID"));
    ids.usbPids = decodedList(file, QStringLiteral("Option/USB_PID"));
    const char *wireless[4] = {"Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"};
    for (int i = 0; i < 4; ++i)
        ids.wirelessPids[i] =
            decodedList(file, QStringLiteral("Option/") + QLatin1String(wireless[i]));
    return ids;
}

QVector<int> ModelConfig::modelIds()
{
    const IniFile file(filePath());
    QVector<int> mids;
    const int total = number(file, QStringLiteral("Option/DeviceTotal"));
    for (int n = 1; n <= total; ++n)
        mids << number(file, QStringLiteral("Drive%1/MID").arg(n));
    return mids;
}

ModelConfig::Model ModelConfig::model(int mid)
{
    const IniFile file(filePath());
    Model m;
    const int total = number(file, QStringLiteral("Option/DeviceTotal"));
    for (int n = 1; n <= total; ++n) {
        const QString group = QStringLiteral("Drive%1/").arg(n);
        if (number(file, group + QStringLiteral("MID")) != mid)
            continue;
        m.section = n;
        m.mid = mid;
        for (int i = 1; i <= MaxKeyParams; ++i)
            m.keyParams << file.value(group + QStringLiteral("KeyParam%1").arg(i)).toStringList();
        m.dpiMaxGrade = number(file, group + QStringLiteral("DPIMaxGrade"));
        m.dpiGrade = file.value(group + QStringLiteral("DPIGrade")).toStringList();
        m.dpiColor = file.value(group + QStringLiteral("DPIColor")).toStringList();
        m.mouseImageName = decoded(file.value(group + QStringLiteral("MM")).toString());
        const char *receiverKeys[4] = {"DM", "D2M", "D4M", "D8M"};
        for (int i = 0; i < 4; ++i)
            m.receiverImageNames[i] =
                decoded(file.value(group + QLatin1String(receiverKeys[i])).toString());
        break;
    }
    return m;
}

int ModelConfig::receiverClassIndex(int kind)
{
    switch (kind) {
    case 0:
        return 0;
    case 4:
        return 1;
    case 1:
        return 2;
    case 5:
        return 3;
    default:
        return -1;
    }
}
