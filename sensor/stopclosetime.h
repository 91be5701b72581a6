#pragma once

#include <QFrame>

#include <memory>

class MyConmboBox;

class Ui_StopCloseTime
{
public:
    MyConmboBox *StopClose;

    void setupUi(QFrame *frame);
    void retranslateUi(QFrame *frame);
};

// The sleep-time panel: one list of eleven times from 10 seconds to 40 minutes. A time the user
// picks is written to the device (WriteSleepTime, in units of 10 seconds); the settings page and
// the lighting page host it as "frameClose" and set its entries' texts and the selected entry.
class StopCloseTime : public QFrame
{
    Q_OBJECT
public:
    explicit StopCloseTime(QWidget *parent = nullptr);
    ~StopCloseTime() override;

    // Selects entry 0..10 without writing anything; other indexes change nothing.
    void SetIndex(int index);
    void SetItemText(int index, const QString &text);

private slots:
    void on_StopClose_activated(int index);

private:
    std::unique_ptr<Ui_StopCloseTime> ui;
};
