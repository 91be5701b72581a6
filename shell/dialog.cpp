#include "shell/dialog.h"

#include "buttons/page/buttoninterface.h"
#include "settings/formsetting.h"
#include "shell/theme.h"

#include <QFrame>
#include <QStackedWidget>

void Ui_Dialog::setupUi(QWidget *page)
{
    page->setObjectName(QStringLiteral("Dialog"));
    page->setFixedSize(1020, 700);
    frame = new QFrame(page);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setGeometry(0, 0, 1020, 700);
    stackedWidget = new QStackedWidget(frame);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setGeometry(0, 60, 1020, 640);
}

Dialog::Dialog(QWidget *parent) : QWidget(parent), ui(new Ui_Dialog)
{
    ui->setupUi(this);
    ui->frame->setStyleSheet(QStringLiteral("#frame{border-image: url(%1BackGround.png);}")
                                 .arg(Theme::PictureFolder(QStringLiteral("Dialog"))));
    // The button page first: it creates the device service the other pages' slots rely on.
    buttonPage = new Buttoninterface(this);
    settingPage = new FormSetting(this);
    ui->stackedWidget->addWidget(buttonPage);
    ui->stackedWidget->addWidget(settingPage);
}

Dialog::~Dialog() = default;
