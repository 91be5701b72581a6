#include "shell/widgets/theme.h"

#include "core/configini.h"
#include "platform/appdir.h"

#include <QComboBox>
#include <QFont>
#include <QListView>

QFont Theme::Font(int points)
{
    QFont font;
    font.setFamily(FontFamily());
    font.setPointSize(points);
    return font;
}

QString Theme::FontFamily()
{
    return QStringLiteral("微软雅黑");
}

QString Theme::Url(const QString &folder, const QString &picture)
{
    return QStringLiteral("url(") + folder + picture + QLatin1Char(')');
}

QString Theme::PictureFolder(const QString &form)
{
    return AppDir::path() + QStringLiteral("/Picture/") + form + QLatin1Char('/');
}

QString Theme::WarningFolder()
{
    return PictureFolder(QStringLiteral("WarningDialog"));
}

QString Theme::Rgb(const QString &colorKey)
{
    return QStringLiteral("rgb(") + ConfigIni::instance()->color(colorKey) + QLatin1Char(')');
}

QString Theme::LabelStyle()
{
    return QStringLiteral("QLabel{color: %1;}").arg(Rgb(QStringLiteral("LabelColor")));
}

QString Theme::CheckBoxStyle(const QString &folder, const QString &checked)
{
    return QStringLiteral("QCheckBox{color: %1;}"
                          "QCheckBox::indicator:checked{image: %2;}"
                          "QCheckBox::indicator:unchecked{image: %3;}")
        .arg(Rgb(QStringLiteral("LabelColor")), Url(folder, checked),
             Url(folder, QStringLiteral("CheckBox.png")));
}

QString Theme::ConfirmButtonStyle(const QString &folder, const QString &normal,
                                  const QString &pressed)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;"
                          "background-repeat:no-repeat;color: %1;border-image: %2;}"
                          "QToolButton:pressed{border-image: %3;}")
        .arg(Rgb(QStringLiteral("ButtonColor")), Url(folder, normal), Url(folder, pressed));
}

QString Theme::ThreeStateButtonStyle(const QString &folder, const QString &normal,
                                     const QString &hover, const QString &pressed)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: %1;}"
                          "QToolButton:hover{background-image: %2;}"
                          "QToolButton:pressed{background-image: %3;}")
        .arg(Url(folder, normal), Url(folder, hover), Url(folder, pressed));
}

QString Theme::ThreeStateButtonStyle(const QString &folder, const QString &picture)
{
    return ThreeStateButtonStyle(folder, picture + QStringLiteral(".png"),
                                 picture + QStringLiteral("Hover.png"),
                                 picture + QStringLiteral("Click.png"));
}

QString Theme::PanelStyle(const QString &panelName, const QString &folder, const QString &picture)
{
    return QStringLiteral("#%1{border:0px;background-position:center;background-repeat:no-repeat;"
                          "background-image: %2;}")
        .arg(panelName, Url(folder, picture));
}

QString Theme::ComboBoxStyle(const QString &folder)
{
    return QStringLiteral(
               "QComboBox{border: 1px solid gray; color: %1; border-image: %2;"
               "combobox-popup: 0;}"
               "QComboBox::drop-down:button{border-radius:5px; background:%3;} "
               "QComboBox::down-arrow{image: %4; right: 8px; }"
               "QComboBox::down-arrow:on{ image: %5;}"
               "QComboBox QAbstractItemView::item{height:25px;}"
               "QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  solid "
               "gray;color: %1; border-image: %6;selection-background-color: %7; }")
        .arg(Rgb(QStringLiteral("ComboxTextColor")),
             Url(folder, QStringLiteral("ComboboxBack.png")),
             Rgb(QStringLiteral("ComboxBackGroundColor")), Url(folder, QStringLiteral("Menu.png")),
             Url(folder, QStringLiteral("MenuClicked.png")),
             Url(folder, QStringLiteral("ComboboxTextBack.png")),
             Rgb(QStringLiteral("ComboxSelectColor")));
}

QString Theme::ComboListStyle()
{
    return QStringLiteral("QListView::item:selected{background-color: %1;}"
                          "QListView::item:hover{background-color: %1;}")
        .arg(Rgb(QStringLiteral("ComboxSelectColor")));
}

void Theme::UseComboList(QComboBox *box)
{
    box->setView(new QListView(box));
    box->view()->setStyleSheet(ComboListStyle());
}

QString Theme::PageScrollBarStyle()
{
    return QStringLiteral(
        "QScrollBar:vertical{width:13px;background:rgb(30,30,30);margin:25px 0px 25px 0px;}"
        "QScrollBar::handle:vertical{background:rgb(117,117,117);border-radius:3px;"
        "min-height:30px;}"
        "QScrollBar::sub-line:vertical{height:25px;subcontrol-position:top;"
        "subcontrol-origin:margin;}"
        "QScrollBar::add-line:vertical{height:25px;subcontrol-position:bottom;"
        "subcontrol-origin:margin;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"
        "QScrollBar::up-arrow:vertical,QScrollBar::down-arrow:vertical{background:transparent;}");
}
