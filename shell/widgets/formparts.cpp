#include "shell/widgets/formparts.h"

#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

QLabel *FormParts::Label(QWidget *parent, const QString &name, const QRect &geometry, int points)
{
    auto *label = Make<QLabel>(parent, name, geometry);
    label->setFont(Theme::Font(points));
    return label;
}

QFrame *FormParts::GreyLine(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *line = Make<QFrame>(parent, name, geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color: rgb(57, 57, 57);"));
    return line;
}

void FormParts::UseWhiteText(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, Qt::white);
    }
    widget->setPalette(palette);
}
