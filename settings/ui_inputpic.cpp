// The form, look and texts both screen picture panels share.
#include "core/languagetables.h"
#include "lighting/lightform.h"
#include "lighting/lightlook.h"
#include "settings/inputpica.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

// Where the widgets that the two layouts place differently sit: upright, then wide.
struct Places
{
    QRect brightnessCaption;
    QRect previewCaption;
    QSize tile;
    int tileY;
    QPoint input;
    QPoint output;
    int numberY;
};

const Places UprightPlaces{{50, 70, 291, 21}, {50, 135, 301, 21}, {74, 100}, 160,
                           {460, 180},        {460, 220},         265};
const Places WidePlaces{{50, 120, 291, 21}, {50, 75, 301, 21}, {88, 64}, 155,
                        {460, 160},         {460, 190},        225};

QLabel *label(QWidget *parent, const char *name, const QRect &geometry, int points)
{
    auto *text = FormParts::Make<QLabel>(parent, name, geometry);
    if (points > 0) {
        text->setFont(Theme::Font(points));
    } else {
        QFont font;
        font.setFamily(Theme::FontFamily());
        text->setFont(font);
    }
    return text;
}

QToolButton *button(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *tool = FormParts::Make<QToolButton>(parent, name, geometry);
    return tool;
}

} // namespace

void Ui_InputPicA::setupUi(QDialog *dialog, Tiles tiles)
{
    const Places &at = tiles == Tiles::Upright ? UprightPlaces : WidePlaces;
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(tiles == Tiles::Upright ? QStringLiteral("InputPicA")
                                                      : QStringLiteral("InputPicB"));
    dialog->resize(638, 318);
    // Both layouts name their frame after the first.
    InputPicAFrame = NoticeFrame::addPanel(dialog, QStringLiteral("InputPicAFrame"), {638, 318});
    QFrame *frame = InputPicAFrame;
    CheckButton = button(frame, "CheckButton", {160, 35, 36, 18});
    CheckButton->setCheckable(true);
    label = ::label(frame, "label", {50, 33, 111, 21}, 11);
    label_3 = ::label(frame, "label_3", at.brightnessCaption, 10);
    SpeedH = new QSlider(frame);
    SpeedH->setObjectName(QStringLiteral("SpeedH"));
    SpeedH->setGeometry(50, 90, 281, 25);
    SpeedH->setOrientation(Qt::Horizontal);
    SpeedH->setRange(1, 5);
    SpeedH->setPageStep(1);
    SpeedH->setTracking(false);
    SpeedH->setFocusPolicy(Qt::NoFocus);
    label_2 = ::label(frame, "label_2", at.previewCaption, 10);
    const char *slotNames[] = {"toolButtonA", "toolButtonB", "toolButtonC", "toolButtonD"};
    const char *numberNames[] = {"label_4", "label_5", "label_6", "label_7"};
    QToolButton **pictureSlots[] = {&toolButtonA, &toolButtonB, &toolButtonC, &toolButtonD};
    QLabel **numbers[] = {&label_4, &label_5, &label_6, &label_7};
    for (int i = 0; i < 4; ++i) {
        *pictureSlots[i] = button(frame, slotNames[i], {QPoint(50 + 100 * i, at.tileY), at.tile});
        (*pictureSlots[i])->setCheckable(true);
        *numbers[i] = ::label(frame, numberNames[i], {85 + 100 * i, at.numberY, 16, 16}, 0);
    }
    Input = button(frame, "Input", {at.input, QSize(96, 26)});
    Input->setFont(Theme::Font(10));
    Output = button(frame, "Output", {at.output, QSize(96, 26)});
    Output->setFont(Theme::Font(10));
    CloseButton = LightForm::addPanelCloseButton(frame);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_InputPicA::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("关闭屏幕"));
    label_2->setText(QStringLiteral("图片预览(1080x1920"));
    label_3->setText(QStringLiteral("屏幕亮度"));
    Input->setText(QStringLiteral("导入"));
    Output->setText(QStringLiteral("导出"));
    const QList<QLabel *> numbers{label_4, label_5, label_6, label_7};
    for (int i = 0; i < numbers.size(); ++i)
        numbers.at(i)->setText(QString::number(i + 1));
    for (QToolButton *plain :
         {CheckButton, toolButtonA, toolButtonB, toolButtonC, toolButtonD, CloseButton})
        plain->setText(QString());
}

void Ui_InputPicA::applyLook(QDialog *dialog)
{
    const QString folder = Theme::PictureFolder(QStringLiteral("ScreeInfo"));
    dialog->setWindowFlags(Theme::FloatingPanelFlags);
    // The settings page builds both panels and never shows them: their sheets wait for their
    // polish.
    Theme::StyleWhenPolished(dialog, [this, folder] {
        for (QLabel *text : {label, label_2, label_3, label_4, label_5, label_6, label_7})
            text->setStyleSheet(Theme::LabelStyle());
        const QString buttonColour = Theme::Rgb(QStringLiteral("ButtonColor"));
        const QString tile =
            QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:"
                           "no-repeat;color: %1;border-image: url(%2Pic.png);}"
                           "QToolButton:checked{border-image: url(%2PicHover.png); }")
                .arg(buttonColour, folder);
        for (QToolButton *slot : {toolButtonA, toolButtonB, toolButtonC, toolButtonD})
            slot->setStyleSheet(tile);
        const QString picture =
            QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:"
                           "no-repeat;color: %1;border-image: url(%2Button.png);}"
                           "QToolButton:hover{border-image: url(%2ButtonHover.png); }")
                .arg(buttonColour, folder);
        Input->setStyleSheet(picture);
        Output->setStyleSheet(picture);
        CheckButton->setStyleSheet(LightLook::SwitchStyle(QStringLiteral("CheckButton"), folder));
        SpeedH->setStyleSheet(LightLook::SliderStyle(folder, QStringLiteral("Slider.png"), 1));
        CloseButton->setStyleSheet(LightLook::CloseStyle(folder));
        InputPicAFrame->setStyleSheet(Theme::PanelStyle(QStringLiteral("InputPicAFrame"), folder,
                                                        QStringLiteral("Back.png")));
    });
    ScaleFormFont(dialog, ScreenFontFactor());
}

QButtonGroup *Ui_InputPicA::groupSlots(QDialog *dialog)
{
    auto *group = new QButtonGroup(dialog);
    group->setExclusive(true);
    for (QToolButton *slot : {toolButtonA, toolButtonB, toolButtonC, toolButtonD})
        group->addButton(slot);
    return group;
}

void Ui_InputPicA::applyLanguage(int language)
{
    NoticeFrame::setText(label, ScreenInfoTexts, language, 0);
    NoticeFrame::setText(label_2, ScreenInfoTexts, language, 1);
    NoticeFrame::setText(label_3, ScreenInfoTexts, language, 2);
    NoticeFrame::setText(Input, ScreenInfoTexts, language, 3);
    NoticeFrame::setText(Output, ScreenInfoTexts, language, 4);
}
