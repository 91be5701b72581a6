// Firmware upgrades on the simulated bus: which device an image is for, the transfer on the
// upgrade thread, boot mode, and the log of the last upgrade that did not complete.
#include "platform/devicelib/simulatedbus.h"

#include "platform/devicelib/callbackthread.h"
#include "platform/devicelib/calllog.h"
#include "platform/devicelib/modelconfig.h"

#include <QMutexLocker>

namespace {

constexpr int StepPercent = 10;
// The upgrade callback's messages: {7, 1, percent} and {7, 2, result}, result 1 success.
constexpr unsigned char UpgradeMessage = 7;
constexpr unsigned char ProgressMessage = 1;
constexpr unsigned char EndMessage = 2;

const std::uint8_t *bytes(const QByteArray &array)
{
    return reinterpret_cast<const std::uint8_t *>(array.constData());
}

QString versionText(quint32 version)
{
    return QStringLiteral("v%1.%2")
        .arg(version >> 8)
        .arg(QString::number(version & 0xFF, 16).toUpper(), 2, QLatin1Char('0'));
}

QString modelName(const FirmwareHeader &header)
{
    return QString::fromLocal8Bit(header.ModelName.data(), int(header.ModelName.size()));
}

QString imageLine(const FirmwareHeader &header)
{
    return QStringLiteral("Image: target %1, customer %2, model %3, name \"%4\", version %5")
        .arg(header.Target)
        .arg(header.Cid)
        .arg(header.Mid)
        .arg(modelName(header), versionText(header.Version));
}

// The library always reports eight lines.
QVector<QByteArray> eightLines(const QStringList &lines)
{
    QVector<QByteArray> log;
    for (int i = 0; i < UpgradeLogLines; ++i)
        log << (i < lines.size() ? lines.at(i).toLatin1() : QByteArray());
    return log;
}

void send(UsbUpgradeCallback callback, unsigned char kind, unsigned char value)
{
    unsigned char message[3] = {UpgradeMessage, kind, value};
    CallLog::record(QStringLiteral("upgrade callback"),
                    QStringLiteral("%1 %2").arg(kind).arg(value));
    callback(message);
}

} // namespace

struct SimulatedBus::ImageTarget
{
    FirmwareHeader header;
    ModelConfig::Model model; // of the header's model identifier; section 0 when none
    int configCid = 0;

    // Read outside the bus's lock: it reads the shipped Config.ini.
    explicit ImageTarget(const FirmwareHeader &h)
        : header(h), model(ModelConfig::model(h.Mid)), configCid(ModelConfig::identifiers().cid)
    {}

    // A receiver takes the image named for its class in the model of the image's identifier.
    bool isFor(const VirtualReceiver &receiver) const
    {
        const int index = ModelConfig::receiverClassIndex(receiver.kind);
        return header.Target == FirmwareHeader::ReceiverTarget && model.section != 0 &&
               header.Cid == quint8(configCid) && index >= 0 &&
               !model.receiverImageNames[index].isEmpty() &&
               model.receiverImageNames[index] == modelName(header);
    }
    bool isFor(const VirtualMouse &mouse) const
    {
        return header.Target == FirmwareHeader::MouseTarget && model.section != 0 &&
               header.Cid == mouse.cid && header.Mid == mouse.mid &&
               !model.mouseImageName.isEmpty() && model.mouseImageName == modelName(header);
    }
};

SimulatedBus::UpgradeDevice SimulatedBus::upgradeDevice(const ImageTarget &image, QString *problem)
{
    // A device that waits in boot mode goes first: it is what a failed upgrade left behind. A
    // mouse is upgraded through its cable.
    QVector<UpgradeDevice> waiting;
    QVector<UpgradeDevice> running;
    for (VirtualReceiver &receiver : m_receivers) {
        if (receiver.plugged && image.isFor(receiver))
            (receiver.upgrade.bootMode ? waiting : running).append({&receiver, nullptr});
    }
    for (VirtualMouse &mouse : m_mice) {
        if (mouse.cablePlugged && image.isFor(mouse))
            (mouse.upgrade.bootMode ? waiting : running).append({nullptr, &mouse});
    }
    if (waiting.size() == 1)
        return waiting.first();
    if (waiting.size() > 1) {
        *problem = QStringLiteral("%1 devices wait in boot mode for the image").arg(waiting.size());
        return {};
    }
    if (running.size() == 1)
        return running.first();
    *problem = running.isEmpty()
                   ? QStringLiteral("no device for the image is plugged in")
                   : QStringLiteral("%1 devices for the image are plugged in").arg(running.size());
    return {};
}

SimulatedBus::UpgradeDevice SimulatedBus::upgradingDevice()
{
    if (!m_upgrade)
        return {};
    if (m_upgrade->receiver)
        return {receiverNamed(m_upgrade->device), nullptr};
    return {nullptr, mouseNamed(m_upgrade->device)};
}

int SimulatedBus::countBootDevices(const QByteArray &image)
{
    FirmwareHeader header;
    if (!FirmwareHeader::Read(bytes(image), std::size_t(image.size()), &header))
        return 0;
    const ImageTarget target(header);
    QMutexLocker lock(&m_mutex);
    int count = 0;
    for (const VirtualReceiver &receiver : qAsConst(m_receivers))
        count += receiver.plugged && receiver.upgrade.bootMode && target.isFor(receiver) ? 1 : 0;
    for (const VirtualMouse &mouse : qAsConst(m_mice))
        count += mouse.cablePlugged && mouse.upgrade.bootMode && target.isFor(mouse) ? 1 : 0;
    return count;
}

bool SimulatedBus::startUpgrade(const QByteArray &image, UsbUpgradeCallback callback)
{
    const std::size_t size = std::size_t(image.size());
    const FirmwareHeader::Check check = FirmwareHeader::Verify(bytes(image), size);
    FirmwareHeader header;
    const bool readable = FirmwareHeader::Read(bytes(image), size, &header);
    const ImageTarget target(header);

    QMutexLocker lock(&m_mutex);
    QString problem;
    UpgradeDevice device;
    if (check != FirmwareHeader::Check::Ok)
        problem = QLatin1String(FirmwareHeader::CheckText(check));
    else if (!callback)
        problem = QStringLiteral("no callback to report to");
    else if (m_upgrade)
        problem = QStringLiteral("the upgrade of %1 is still under way").arg(m_upgrade->device);
    else
        device = upgradeDevice(target, &problem);
    if (!problem.isEmpty()) {
        // A refused image never touches a device.
        m_upgradeLog = eightLines(
            {QStringLiteral("Upgrade refused"),
             readable ? imageLine(header) : QStringLiteral("Image: no header"),
             QStringLiteral("Image size %1 bytes").arg(size),
             QStringLiteral("Cause: %1").arg(problem), QStringLiteral("No device was written")});
        CallLog::record(QStringLiteral("upgrade"), QStringLiteral("refused: %1").arg(problem));
        return false;
    }

    UpgradeState &state = *device.state();
    auto run = std::make_unique<Upgrade>();
    run->generation = ++m_upgradeGeneration;
    run->device = device.name();
    run->receiver = device.receiver != nullptr;
    run->header = header;
    run->imageSize = image.size();
    run->payloadCrc = Crc32(bytes(image) + FirmwareHeader::Size, size - FirmwareHeader::Size);
    run->versionBefore = device.receiver ? device.receiver->version : device.mouse->version;
    run->startedInBootMode = state.bootMode;
    run->callback = callback;
    if (m_upgradeControls.failNextAt >= 0)
        run->failsAt = m_upgradeControls.failNextAt;
    else if (state.upgrades == 0)
        run->failsAt = state.failsAt;
    m_upgradeControls.failNextAt = -1;

    // From here on the device holds no whole firmware until the transfer ends: it stays in boot
    // mode through a power cut.
    state.bootMode = true;
    ++state.upgrades;
    if (device.receiver)
        persist(*device.receiver);
    else
        persist(*device.mouse);
    if (!run->startedInBootMode)
        notifyPlugChange(); // it left normal enumeration
    CallLog::record(QStringLiteral("upgrade"),
                    QStringLiteral("%1 to %2").arg(run->device, versionText(header.Version)));
    m_upgrade = std::move(run);
    if (!m_upgradeControls.silent)
        postUpgradeStep(m_upgrade->generation);
    return true;
}

void SimulatedBus::postUpgradeStep(int generation)
{
    m_upgradeThread->post([this, generation] { upgradeStep(generation); },
                          m_upgradeControls.stepMs);
}

// On the upgrade thread.
void SimulatedBus::upgradeStep(int generation)
{
    UsbUpgradeCallback callback = nullptr;
    int percent = -1;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_upgrade || m_upgrade->generation != generation)
            return; // a load ended the transfer
        Upgrade &run = *m_upgrade;
        const UpgradeDevice device = upgradingDevice();
        const bool plugged = device.receiver ? device.receiver->plugged
                             : device.mouse  ? device.mouse->cablePlugged
                                             : false;
        if (!plugged) {
            m_upgradeThread->post([this, generation] {
                upgradeEnd(generation, QStringLiteral("the device was unplugged"));
            });
            return;
        }
        const int next = qMin(run.percent + StepPercent, 100);
        const bool fails = run.failsAt >= 0 && next >= run.failsAt;
        run.percent = fails ? run.failsAt : next;
        percent = run.percent;
        callback = run.callback;
        if (fails)
            m_upgradeThread->post([this, generation] {
                upgradeEnd(generation, QStringLiteral("the device stopped taking the firmware"));
            });
        else if (run.percent == 100)
            m_upgradeThread->post([this, generation] { upgradeEnd(generation, QString()); });
        else
            postUpgradeStep(generation);
    }
    if (percent >= 0)
        send(callback, ProgressMessage, static_cast<unsigned char>(percent));
}

// On the upgrade thread. An empty failure: the transfer completed.
void SimulatedBus::upgradeEnd(int generation, const QString &failure)
{
    UsbUpgradeCallback callback = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_upgrade || m_upgrade->generation != generation)
            return;
        const UpgradeDevice device = upgradingDevice();
        const Upgrade run = *m_upgrade;
        m_upgrade.reset();
        callback = run.callback;
        if (failure.isEmpty() && device.receiver) {
            device.receiver->version = quint16(run.header.Version);
            device.receiver->upgrade.bootMode = false;
            persist(*device.receiver);
            notifyPlugChange(); // back in normal enumeration
        } else if (failure.isEmpty() && device.mouse) {
            device.mouse->version = quint16(run.header.Version);
            device.mouse->upgrade.bootMode = false;
            persist(*device.mouse);
            notifyPlugChange();
        } else {
            m_upgradeLog = eightLines(
                {QStringLiteral("Upgrade of %1 %2")
                     .arg(run.receiver ? QStringLiteral("receiver") : QStringLiteral("mouse"),
                          run.device),
                 imageLine(run.header),
                 QStringLiteral("Image size %1 bytes, firmware CRC-32 0x%2")
                     .arg(run.imageSize)
                     .arg(run.payloadCrc, 8, 16, QLatin1Char('0')),
                 QStringLiteral("Firmware before %1, started in %2 mode")
                     .arg(versionText(run.versionBefore), run.startedInBootMode
                                                              ? QStringLiteral("boot")
                                                              : QStringLiteral("normal")),
                 QStringLiteral("Transfer stopped at %1 %").arg(run.percent),
                 QStringLiteral("Cause: %1").arg(failure),
                 QStringLiteral("The device waits in boot mode for the next upgrade"),
                 QStringLiteral("Result: failed")});
        }
        CallLog::record(QStringLiteral("upgrade"),
                        failure.isEmpty()
                            ? QStringLiteral("%1 done").arg(run.device)
                            : QStringLiteral("%1 failed: %2").arg(run.device, failure));
    }
    send(callback, EndMessage, failure.isEmpty() ? 1 : 0);
}

QVector<QByteArray> SimulatedBus::upgradeLog() const
{
    QMutexLocker lock(&m_mutex);
    return m_upgradeLog.isEmpty() ? eightLines({}) : m_upgradeLog;
}

void SimulatedBus::failNextUpgradeAt(int percent)
{
    QMutexLocker lock(&m_mutex);
    m_upgradeControls.failNextAt = qBound(-1, percent, 100);
}

void SimulatedBus::setUpgradeSilent(bool silent)
{
    QMutexLocker lock(&m_mutex);
    m_upgradeControls.silent = silent;
}

void SimulatedBus::setUpgradeStepDelay(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_upgradeControls.stepMs = qMax(0, milliseconds);
}

int SimulatedBus::firmwareVersion(const QString &device) const
{
    QMutexLocker lock(&m_mutex);
    auto *self = const_cast<SimulatedBus *>(this);
    if (const VirtualReceiver *receiver = self->receiverNamed(device))
        return receiver->version;
    if (const VirtualMouse *mouse = self->mouseNamed(device))
        return mouse->version;
    return -1;
}

int SimulatedBus::bootMode(const QString &device) const
{
    QMutexLocker lock(&m_mutex);
    auto *self = const_cast<SimulatedBus *>(this);
    if (const VirtualReceiver *receiver = self->receiverNamed(device))
        return receiver->upgrade.bootMode ? 1 : 0;
    if (const VirtualMouse *mouse = self->mouseNamed(device))
        return mouse->upgrade.bootMode ? 1 : 0;
    return -1;
}
