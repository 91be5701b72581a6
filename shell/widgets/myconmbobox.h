#pragma once

#include <QComboBox>

// A combo box that centres its text and remembers which entry was current when the user pressed
// it, so that a page can put the previous choice back when a change cannot be applied.
class MyConmboBox : public QComboBox
{
public:
    explicit MyConmboBox(QWidget *parent = nullptr);

    int pressIndex = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
