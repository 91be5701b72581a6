#include "settings/inputpicb.h"

#include "core/postmsg.h"
#include "shell/widgets/theme.h"

InputPicB::InputPicB(QWidget *parent) : QDialog(parent), ui(new Ui_InputPicB)
{
    setObjectName(QStringLiteral("InputPicB"));
    ui->setupUi(this);
    setWindowFlags(Theme::FloatingPanelFlags);
}

InputPicB::~InputPicB() = default;

void InputPicB::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
