#pragma once

#include <QLineEdit>

// A line edit that the keyboard cannot change: its dialog records keys and writes the text itself.
class MyLineEdit : public QLineEdit
{
public:
    explicit MyLineEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
