#include "shell/firmwareoffer.h"

#include "core/configini.h"
#include "core/firmwareimages.h"
#include "core/registryvalues.h"
#include "settings/formsetting.h"
#include "settings/updaterepair.h"

QString ModelGroup(int driveIndex)
{
    return QStringLiteral("Drive%1").arg(driveIndex + 1);
}

FirmwareOffer CheckFirmwareOffer(const DeviceAllInfo &device, const QString &receiverKey,
                                 UpDateRepair &repair)
{
    const ConfigIni *config = ConfigIni::instance();
    const QString group = ModelGroup(device.DriveIndex);
    const QString cid = config->value(QStringLiteral("Option"), QStringLiteral("CID"));
    const QString mid = config->value(group, QStringLiteral("MID"));

    FirmwareOffer offer;
    offer.MouseVersion = RegistryValues::MouseVer(RegistryValues::MouseVerName(cid, mid));
    if (offer.MouseVersion.isEmpty())
        return offer;
    // Numbers as the texts read in base 10; a text that is none counts as 0.
    const int cidNumber = cid.toInt(nullptr, 10);
    const int midNumber = mid.toInt(nullptr, 10);
    // The mouse lookup runs first: both lookups may replace the image held for the update engine.
    offer.MouseImage = FormSetting::FindFirmwareFile(
        FirmwareImages::MouseTarget, offer.MouseVersion, config->value(group, QStringLiteral("MM")),
        cidNumber, midNumber);
    const QString receiverName =
        receiverKey.isEmpty() ? QString() : config->value(group, receiverKey);
    offer.ReceiverImage = !receiverName.isEmpty() &&
                          repair.FindFirmwareFile(FirmwareImages::ReceiverTarget, device.UsbVersion,
                                                  receiverName, cidNumber, midNumber);
    return offer;
}
