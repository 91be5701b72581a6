#pragma once

#include <QFrame>

#include <memory>

class QSpinBox;
class QToolButton;

class Ui_DebouncetimeC
{
public:
    QToolButton *AddLevelA;
    QToolButton *ReduceLevelA;
    QSpinBox *spinBoxA;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The debounce time as a value of 0..20 with a minus and a plus button, for a host that wants it
// in place of DebounceTime (no page builds it). Each step the user takes is written as it is,
// while writes are enabled. Plus stops at 20; minus stops at 1, and from 0 writes 0 again.
class DebouncetimeC : public QFrame
{
    Q_OBJECT
public:
    explicit DebouncetimeC(QWidget *parent = nullptr);
    ~DebouncetimeC() override;

    // Shows `value`, kept within 0..20; nothing is written.
    void SetValue(int value);
    // The unit shown after the value; the index is not used.
    void SetItemText(int index, const QString &unit);

private slots:
    void on_AddLevelA_clicked();
    void on_ReduceLevelA_clicked();

private:
    void ShowAndWrite(int value);

    std::unique_ptr<Ui_DebouncetimeC> ui;
    QString PictureDir;
};
