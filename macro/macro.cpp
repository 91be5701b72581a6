#include "macro/macro.h"

#include "core/devicestate.h"
#include "core/postmsg.h"

#include <QToolButton>

Macro::Macro(QWidget *parent)
    : QWidget(parent), StartRecord(new QToolButton(this)), StopRecord(new QToolButton(this))
{
    setObjectName(QStringLiteral("Macro"));
    StartRecord->setObjectName(QStringLiteral("StartRecord"));
    StopRecord->setObjectName(QStringLiteral("StopRecord"));
    StartRecord->setFocusPolicy(Qt::NoFocus);
    StopRecord->setFocusPolicy(Qt::NoFocus);
    StopRecord->setEnabled(false);
    QMetaObject::connectSlotsByName(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
}

Macro::~Macro() = default;

void Macro::on_StartRecord_clicked()
{
    DeviceState::instance()->MacroRecording = 1;
    StartRecord->setEnabled(false);
    StopRecord->setEnabled(true);
    emit PostMsg::GetInstance()->SigStartRecord(0);
}

void Macro::on_StopRecord_clicked()
{
    EndRecording();
    emit PostMsg::GetInstance()->SigStartRecord(1);
}

void Macro::SlotSetMacroPage()
{
    emit PostMsg::GetInstance()->SigStartRecord(1);
    EndRecording();
}

void Macro::EndRecording()
{
    DeviceState::instance()->MacroRecording = 0;
    StartRecord->setEnabled(true);
    StopRecord->setEnabled(false);
}
