#include "tests/core/hubrecorder.h"

#include "core/blockingconnect.h"
#include "core/postmsg.h"

#include <QMutexLocker>
#include <QThread>

HubRecorder::HubRecorder()
{
    const struct
    {
        const char *signal;
        const char *slot;
    } blocking[] = {
        {SIGNAL(SigUpDataLightUIButton(FlashDataMap)), SLOT(SlotButton(FlashDataMap))},
        {SIGNAL(SigUpDataLightLight(FlashDataMap)), SLOT(SlotLight(FlashDataMap))},
        {SIGNAL(SigUpDataLightSensor(FlashDataMap)), SLOT(SlotSensor(FlashDataMap))},
        {SIGNAL(SigUpDataDPILed(FlashDataMap)), SLOT(SlotDpiLed(FlashDataMap))},
        {SIGNAL(SigForm()), SLOT(SlotForm())},
        {SIGNAL(SigFormReset()), SLOT(SlotFormReset())},
        {SIGNAL(SigUpDataReportRate(int)), SLOT(SlotReportRate(int))},
        {SIGNAL(SigUpDataDPI(int)), SLOT(SlotDpi(int))},
        {SIGNAL(SigBattery(bool, int, bool)), SLOT(SlotBattery(bool, int, bool))},
        {SIGNAL(SigUpDataConfigUI(int, int, bool)), SLOT(SlotConfigUI(int, int, bool))},
        {SIGNAL(SigRGBValue(DongleRGB)), SLOT(SlotRgb(DongleRGB))},
        {SIGNAL(SigLongRangeMode(bool)), SLOT(SlotLongRange(bool))},
    };
    PostMsg *hub = PostMsg::GetInstance();
    for (const auto &c : blocking) {
        connect(hub, c.signal, this, SLOT(SlotEmissionBegins()), Qt::DirectConnection);
        ConnectBlocking(c.signal, this, c.slot);
    }

    connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)));
    connect(hub, SIGNAL(SigCloseOffOnline()), this, SLOT(SlotCloseOffOnline()));
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SlotSetver(int)));
    connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this,
            SLOT(SlotLabelTextB(QString, QString)));
    connect(hub, SIGNAL(SigCheckUpdate()), this, SLOT(SlotCheckUpdate()));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
}

QStringList HubRecorder::events() const
{
    QMutexLocker lock(&m_mutex);
    return m_events;
}

int HubRecorder::count(const QString &event) const
{
    QMutexLocker lock(&m_mutex);
    return int(m_events.count(event));
}

QList<FlashDataMap> HubRecorder::records() const
{
    QMutexLocker lock(&m_mutex);
    return m_records;
}

void HubRecorder::armEmissionProbe()
{
    m_emissions.tryAcquire(m_emissions.available());
}

bool HubRecorder::waitForBlockingEmission(int timeoutMs)
{
    return m_emissions.tryAcquire(1, timeoutMs);
}

void HubRecorder::SlotEmissionBegins()
{
    m_emissions.release();
}

void HubRecorder::clear()
{
    QMutexLocker lock(&m_mutex);
    m_events.clear();
    m_records.clear();
}

void HubRecorder::add(const QString &event)
{
    QMutexLocker lock(&m_mutex);
    m_events.append(event);
}

void HubRecorder::addRecord(const QString &event, const FlashDataMap &record)
{
    if (slotDelayMs > 0)
        QThread::msleep(ulong(slotDelayMs));
    QMutexLocker lock(&m_mutex);
    m_events.append(event);
    m_records.append(record);
}

void HubRecorder::SlotButton(const FlashDataMap &record)
{
    addRecord(QStringLiteral("Button"), record);
}

void HubRecorder::SlotLight(const FlashDataMap &record)
{
    addRecord(QStringLiteral("Light"), record);
}

void HubRecorder::SlotSensor(const FlashDataMap &record)
{
    addRecord(QStringLiteral("Sensor"), record);
}

void HubRecorder::SlotDpiLed(const FlashDataMap &record)
{
    addRecord(QStringLiteral("DpiLed"), record);
}

void HubRecorder::SlotForm()
{
    add(QStringLiteral("Form"));
}

void HubRecorder::SlotFormReset()
{
    add(QStringLiteral("FormReset"));
}

void HubRecorder::SlotReportRate(int rate)
{
    add(QStringLiteral("ReportRate(%1)").arg(rate));
}

void HubRecorder::SlotDpi(int stage)
{
    add(QStringLiteral("Dpi(%1)").arg(stage));
}

void HubRecorder::SlotBattery(bool charging, int level, bool showPercent)
{
    add(QStringLiteral("Battery(%1,%2,%3)")
            .arg(charging ? "true" : "false")
            .arg(level)
            .arg(showPercent ? "true" : "false"));
}

void HubRecorder::SlotConfigUI(int kind, int profile, bool valid)
{
    add(QStringLiteral("ConfigUI(%1,%2,%3)").arg(kind).arg(profile).arg(valid ? "true" : "false"));
}

void HubRecorder::SlotRgb(const DongleRGB &record)
{
    m_dongle = record;
    add(QStringLiteral("Rgb(%1)").arg(record.Mode));
}

void HubRecorder::SlotLongRange(bool on)
{
    add(QStringLiteral("LongRange(%1)").arg(on ? "true" : "false"));
}

void HubRecorder::SlotUpDataParam(int mode)
{
    add(QStringLiteral("Param(%1)").arg(mode));
}

void HubRecorder::SlotMouseOffLine(int mode)
{
    add(QStringLiteral("OffLine(%1)").arg(mode));
}

void HubRecorder::SlotCloseOffOnline()
{
    add(QStringLiteral("CloseOffOnline"));
}

void HubRecorder::SlotSetver(int what)
{
    add(QStringLiteral("Setver(%1)").arg(what));
}

void HubRecorder::SlotChangeMainDialog(int page)
{
    add(QStringLiteral("ChangeMainDialog(%1)").arg(page));
}

void HubRecorder::SlotLabelTextB(const QString &version, const QString &flag)
{
    add(QStringLiteral("LabelTextB(%1,%2)").arg(version, flag));
}

void HubRecorder::SlotCheckUpdate()
{
    add(QStringLiteral("CheckUpdate"));
}

void HubRecorder::SlotRepairCheckUpdate()
{
    add(QStringLiteral("RepairCheckUpdate"));
}
