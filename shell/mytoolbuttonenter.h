#pragma once

#include <QToolButton>

// A device tile of the home page: named "btn" + its tile number, it refreshes its device's state
// and picture whenever the pointer enters it.
class mytoolButtonEnter : public QToolButton
{
    Q_OBJECT
public:
    explicit mytoolButtonEnter(QWidget *parent = nullptr);

    // The number in the object name: every "btn" removed, read as a decimal integer; 0 when no
    // number remains.
    static int TileNumber(const QString &objectName);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
