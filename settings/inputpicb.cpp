#include "settings/inputpicb.h"

#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QToolButton>

void Ui_InputPicB::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("InputPicB"));
    dialog->resize(638, 318);
    // Both layouts name their frame after the first.
    InputPicAFrame = NoticeFrame::addPanel(dialog, QStringLiteral("InputPicAFrame"), {638, 318});
    CloseButton = NoticeFrame::addCloseButton(InputPicAFrame, {610, 10});
    CloseButton->setFocusPolicy(Qt::NoFocus);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_InputPicB::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
}

InputPicB::InputPicB(QWidget *parent) : QDialog(parent), ui(new Ui_InputPicB)
{
    ui->setupUi(this);
    setWindowFlags(Theme::FloatingPanelFlags);
}

InputPicB::~InputPicB() = default;

void InputPicB::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
