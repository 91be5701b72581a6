#include "buttons/page/buttoninterface.h"

#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"

Buttoninterface::Buttoninterface(QWidget *parent) : QWidget(parent), widget(new QWidget(this))
{
    setObjectName(QStringLiteral("Buttoninterface"));
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(290, 120, 432, 356);

    connect(PostMsg::GetInstance(), SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));

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
