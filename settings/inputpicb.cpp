#include "settings/inputpicb.h"

#include "core/devicestate.h"
#include "core/postmsg.h"
#include "shell/widgets/theme.h"

InputPicB::InputPicB(QWidget *parent) : QDialog(parent), ui(new Ui_InputPicB)
{
    ui->setupUi(this);
    Group = ui->groupSlots(this);
    ImageFolder = Theme::PictureFolder(QStringLiteral("ScreeInfo"));
    ui->applyLook(this);
}

InputPicB::~InputPicB() = default;

void InputPicB::UpDataLanguage()
{
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

void InputPicB::SlotAllLanguage(int language)
{
    ui->applyLanguage(language);
}

void InputPicB::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
