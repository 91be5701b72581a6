#include "platform/devicelib/modelconfig.h"

#include "platform/configinifile.h"

namespace {

// Buttons beyond 16 have no slot in the record.
constexpr int MaxKeyParams = 16;

const QString Option = QStringLiteral("Option");

} // namespace

QString ModelConfig::filePath()
{
    return ConfigIniFile::defaultPath();
}

ModelConfig::Identifiers ModelConfig::identifiers()
{
    const ConfigIniFile file(filePath());
    Identifiers ids;
    ids.cid = file.intValue(Option, QStringLiteral("CID"));
    ids.vids = file.valueList(Option, QStringLiteral("VID"));
    ids.usbPids = file.valueList(Option, QStringLiteral("USB_PID"));
    const char *wireless[4] = {"Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"};
    for (int i = 0; i < 4; ++i)
        ids.wirelessPids[i] = file.valueList(Option, QLatin1String(wireless[i]));
    return ids;
}

QVector<int> ModelConfig::modelIds()
{
    const ConfigIniFile file(filePath());
    QVector<int> mids;
    const int total = file.intValue(Option, QStringLiteral("DeviceTotal"));
    for (int n = 1; n <= total; ++n)
        mids << file.intValue(QStringLiteral("Drive%1").arg(n), QStringLiteral("MID"));
    return mids;
}

ModelConfig::Model ModelConfig::model(int mid)
{
    const ConfigIniFile file(filePath());
    Model m;
    const int total = file.intValue(Option, QStringLiteral("DeviceTotal"));
    for (int n = 1; n <= total; ++n) {
        const QString group = QStringLiteral("Drive%1").arg(n);
        if (file.intValue(group, QStringLiteral("MID")) != mid)
            continue;
        m.section = n;
        m.mid = mid;
        for (int i = 1; i <= MaxKeyParams; ++i)
            m.keyParams << file.valueList(group, QStringLiteral("KeyParam%1").arg(i));
        m.dpiMaxGrade = file.intValue(group, QStringLiteral("DPIMaxGrade"));
        m.dpiGrade = file.valueList(group, QStringLiteral("DPIGrade"));
        m.dpiColor = file.valueList(group, QStringLiteral("DPIColor"));
        m.mouseImageName = file.value(group, QStringLiteral("MM"));
        const char *receiverKeys[4] = {"DM", "D2M", "D4M", "D8M"};
        for (int i = 0; i < 4; ++i)
            m.receiverImageNames[i] = file.value(group, QLatin1String(receiverKeys[i]));
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
