#include "buttons/page/buttoninterface.h"

#include "core/blockingconnect.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "shell/widgets/theme.h"

#include <QToolButton>

namespace {
QToolButton *pageButton(QWidget *page, const char *name, int x)
{
    auto *button = new QToolButton(page);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, 350, 90, 26);
    button->setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSize(10);
    button->setFont(font);
    button->setStyleSheet(QStringLiteral("QToolButton{color: %1;border: 1px solid %1;}")
                              .arg(Theme::Rgb(QStringLiteral("ButtonColor"))));
    return button;
}
} // namespace

Buttoninterface::Buttoninterface(QWidget *parent)
    : QWidget(parent), widget(new QWidget(this)), Reset(pageButton(this, "Reset", 580)),
      ImportData(pageButton(this, "ImportData", 680)),
      OutputData(pageButton(this, "OutputData", 780))
{
    setObjectName(QStringLiteral("Buttoninterface"));
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(200, 5, 432, 356);
    Reset->setText(QStringLiteral("Reset"));
    ImportData->setText(QStringLiteral("Import"));
    OutputData->setText(QStringLiteral("Export"));
    QMetaObject::connectSlotsByName(this);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    // The device-event callback waits until the page has taken the device's record.
    ConnectBlocking(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
                    SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this,
            SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());

    DeviceState::instance()->WorkerThread = new Worker;
}

Buttoninterface::~Buttoninterface()
{
    ClearReadAllPending();
    StopWorkerThread();
    StopUsbChanged();
}

void Buttoninterface::SlotMouseIndex(int n)
{
    widget->setStyleSheet(
        QStringLiteral("#widget{background-image: url(%1);background-position:center;"
                       "background-repeat:no-repeat;}")
            .arg(AppDir::filePath(QStringLiteral("Picture/Buttoninterface/mouse%1.png").arg(n))));
}

void Buttoninterface::SlotUpDataButtonUIButton(const FlashDataMap &record)
{
    DeviceState *state = DeviceState::instance();
    state->ButtonUiUpdated = 0;
    state->ButtonFilling = 1;
    FillFromRecord(record);
    state->ButtonFilling = 0;
    state->ButtonUiUpdated = 1;
}

void Buttoninterface::SlotUpDataButtonUIB(const FlashDataMap &record)
{
    DeviceState *state = DeviceState::instance();
    state->ButtonFilling = 1;
    FillFromRecord(record);
    state->ButtonFilling = 0;
}

void Buttoninterface::FillFromRecord(const FlashDataMap &record)
{
    Shown = record;
}

void Buttoninterface::SlotAllLanguage(int language)
{
    Reset->setText(ButtoninterfaceTexts.text(language, 1, Reset->text()));
    ImportData->setText(ButtoninterfaceTexts.text(language, 2, ImportData->text()));
    OutputData->setText(ButtoninterfaceTexts.text(language, 3, OutputData->text()));
}
