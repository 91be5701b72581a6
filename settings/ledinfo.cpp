#include "settings/ledinfo.h"

#include "core/blockingconnect.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "settings/modelfeatures.h"
#include "settings/settingstheme.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>

namespace {

// Entries of the settings page's text table that the panel shares with the page's LED section.
constexpr int HeadingEntry = 19;
constexpr int FirstModeEntry = 20;

const QString ModeText = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
    "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
    "p, li { white-space: pre-wrap; }\n"
    "</style></head><body style=\" font-family:'微软雅黑'; font-size:9pt; font-weight:400; "
    "font-style:normal;\">\n"
    "<p style=\" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
    "-qt-block-indent:0; text-indent:0px;\">"
    "远距离模式（远距离模式下，距离会更远抗干扰能力更强，相应工作电流会加大，使用时间减少）</p>"
    "</body></html>");

QCheckBox *modeBox(QWidget *parent, const char *name, int y)
{
    auto *box = FormParts::Make<QCheckBox>(parent, name, {70, y, 16, 31});
    box->setFont(Theme::Font(9));
    box->setFocusPolicy(Qt::NoFocus);
    box->setLayoutDirection(Qt::LeftToRight);
    FormParts::UseWhiteText(box);
    return box;
}

QTextEdit *modeText(QWidget *parent, const char *name, int y)
{
    auto *text = FormParts::Make<QTextEdit>(parent, name, {90, y, 520, 71});
    text->setEnabled(false);
    text->setReadOnly(true);
    text->setFont(Theme::Font(9));
    text->setFocusPolicy(Qt::NoFocus);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return text;
}

} // namespace

void Ui_LedInfo::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("LedInfo"));
    dialog->resize(638, 318);
    LedInfoFrame = NoticeFrame::addPanel(dialog, QStringLiteral("LedInfoFrame"), {638, 318});
    TitleButton_7 = FormParts::Make<QToolButton>(LedInfoFrame, QStringLiteral("TitleButton_7"),
                                                 {40, 40, 16, 10});
    TitleButton_7->setEnabled(false);
    TitleButton_7->setFixedSize(16, 10);
    TitleButton_7->setFocusPolicy(Qt::NoFocus);
    TitleButton_7->setAutoRaise(true);
    label_14 = FormParts::Label(LedInfoFrame, QStringLiteral("label_14"), {70, 33, 501, 21}, 11);
    ReUntil = modeBox(LedInfoFrame, "ReUntil", 60);
    ReUntil_2 = modeBox(LedInfoFrame, "ReUntil_2", 130);
    ReUntil_3 = modeBox(LedInfoFrame, "ReUntil_3", 200);
    textEdit_2 = modeText(LedInfoFrame, "textEdit_2", 60);
    textEdit_3 = modeText(LedInfoFrame, "textEdit_3", 130);
    textEdit_4 = modeText(LedInfoFrame, "textEdit_4", 200);
    CloseButton = NoticeFrame::addCloseButton(LedInfoFrame, {610, 10});
    CloseButton->setFixedSize(20, 20);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LedInfo::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label_14->setText(QStringLiteral("选择接收器上的LED指示灯所传达的信息"));
    for (QToolButton *button : {TitleButton_7, CloseButton})
        button->setText(QString());
    for (QCheckBox *box : {ReUntil, ReUntil_2, ReUntil_3})
        box->setText(QString());
    for (QTextEdit *text : {textEdit_2, textEdit_3, textEdit_4})
        text->setHtml(ModeText);
}

LedInfo::LedInfo(QWidget *parent) : QDialog(parent), ui(new Ui_LedInfo)
{
    ui->setupUi(this);
    Group = new QButtonGroup(this);
    Group->setExclusive(true);
    ImageFolder = Theme::PictureFolder(QStringLiteral("FormSetting"));
    setWindowFlags(Theme::FloatingPanelFlags);

    // The settings page builds this panel and never shows it: its sheets wait for its polish.
    Theme::StyleWhenPolished(this, [this] {
        ui->label_14->setStyleSheet(Theme::LabelStyle());
        ui->TitleButton_7->setStyleSheet(
            SettingsTheme::TitleStyle(QStringLiteral("TitleButton_7"), ImageFolder));
        const QString radio = SettingsTheme::RadioStyle(ImageFolder);
        for (QCheckBox *box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
            box->setStyleSheet(radio);
        ui->LedInfoFrame->setStyleSheet(Theme::PanelStyle(QStringLiteral("LedInfoFrame"),
                                                          ImageFolder, QStringLiteral("Back.png")));
        for (QTextEdit *text : {ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
            text->setStyleSheet(SettingsTheme::TextBoxStyle(text->objectName()));
        ui->CloseButton->setStyleSheet(
            Theme::ThreeStateButtonStyle(ImageFolder, QStringLiteral("Close")));
    });

    for (QCheckBox *box : {ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3})
        Group->addButton(box);
    ConnectBlocking(SIGNAL(SigRGBValue(DongleRGB)), this, SLOT(SlotRGBValue(DongleRGB)));
}

LedInfo::~LedInfo() = default;

void LedInfo::UpDataLanguage()
{
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

void LedInfo::SlotRGBValue(const DongleRGB &rgb)
{
    if (!ModelFeatures::ReceiverLedApplies(DeviceState::instance()->CurrentDeviceInfo.get()))
        return;
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->TitleButton_7, ui->label_14, ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3,
             ui->textEdit_2, ui->textEdit_3, ui->textEdit_4})
        widget->setVisible(true);
    const QList<QCheckBox *> modes{ui->ReUntil, ui->ReUntil_2, ui->ReUntil_3};
    if (rgb.Mode >= 1 && rgb.Mode <= 3)
        modes.at(rgb.Mode - 1)->setChecked(true);
}

void LedInfo::SlotAllLanguage(int language)
{
    ui->label_14->setText(FormSettingTexts.text(language, HeadingEntry, ui->label_14->text()));
    const QList<QTextEdit *> texts{ui->textEdit_2, ui->textEdit_3, ui->textEdit_4};
    for (int i = 0; i < texts.size(); ++i) {
        const QString text = FormSettingTexts.text(language, FirstModeEntry + i, QString());
        if (!text.isEmpty())
            texts.at(i)->setText(text);
    }
}

void LedInfo::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
