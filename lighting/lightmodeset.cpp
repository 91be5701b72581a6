#include "lighting/lightmodeset.h"

#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QToolButton>

void Ui_LightModeSet::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("LightModeSet"));
    dialog->resize(638, 318);
    LightModeSetframe =
        NoticeFrame::addPanel(dialog, QStringLiteral("LightModeSetframe"), {638, 318});
    CloseButton = NoticeFrame::addCloseButton(LightModeSetframe, {610, 10});
    CloseButton->setFocusPolicy(Qt::NoFocus);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LightModeSet::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
}

LightModeSet::LightModeSet(QWidget *parent) : QDialog(parent), ui(new Ui_LightModeSet)
{
    ui->setupUi(this);
    setWindowFlags(Theme::FloatingPanelFlags);
}

LightModeSet::~LightModeSet() = default;

void LightModeSet::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
