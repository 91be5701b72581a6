#include "shell/widgets/myconmbobox.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStylePainter>

MyConmboBox::MyConmboBox(QWidget *parent) : QComboBox(parent) {}

void MyConmboBox::mousePressEvent(QMouseEvent *event)
{
    pressIndex = currentIndex();
    QComboBox::mousePressEvent(event);
}

void MyConmboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (isEditable()) {
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
        return;
    }
    painter.end();

    // A push-button label centres its text, which the combo box label does not.
    QStyleOptionButton label;
    label.initFrom(this);
    label.text = option.currentText;
    label.icon = option.currentIcon;
    label.iconSize = option.iconSize;
    label.rect =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QPainter labelPainter(this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &label, &labelPainter, this);
}
