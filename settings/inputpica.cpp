#include "settings/inputpica.h"

#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QToolButton>

void Ui_InputPicA::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("InputPicA"));
    dialog->resize(638, 318);
    // Both layouts name their frame after the first.
    InputPicAFrame = NoticeFrame::addPanel(dialog, QStringLiteral("InputPicAFrame"), {638, 318});
    CloseButton = NoticeFrame::addCloseButton(InputPicAFrame, {610, 10});
    CloseButton->setFocusPolicy(Qt::NoFocus);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_InputPicA::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
}

InputPicA::InputPicA(QWidget *parent) : QDialog(parent), ui(new Ui_InputPicA)
{
    ui->setupUi(this);
    setWindowFlags(Theme::FloatingPanelFlags);
}

InputPicA::~InputPicA() = default;

void InputPicA::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
