#pragma once

#include <QFrame>

#include <memory>

class MyConmboBox;

class Ui_DebounceTime
{
public:
    MyConmboBox *Debunce;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The debounce-time panel the button page hosts: one list of the sixteen debounce times 0..15,
// each entry's index being the value stored. A choice writes the value; the eight shortest then
// show the notice that asks the user to wait while the setting is written.
class DebounceTime : public QFrame
{
    Q_OBJECT
public:
    explicit DebounceTime(QWidget *parent = nullptr);
    ~DebounceTime() override;

    // Selects entry `index` with the list's signals live: a changed entry is written as a choice
    // of the user's would be (the host fills it while ButtonFilling keeps the notice away). A
    // value outside 0..15 selects no entry and writes nothing.
    void SetIndex(int index);
    // Entry `index` becomes the number followed by `unit`.
    void SetItemText(int index, const QString &unit);

private slots:
    void on_Debunce_currentIndexChanged(int index);

private:
    std::unique_ptr<Ui_DebounceTime> ui;
    QString PictureDir;
};
