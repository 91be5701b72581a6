#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

class Ui_FindNewVer
{
public:
    QFrame *SameMacroA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;
    QCheckBox *NoApear;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Tells the user that new firmware was found, with a box to ask for no further notices (which
// the caller reads; the notice itself stores nothing). No page builds it.
class FindNewVer : public QDialog
{
    Q_OBJECT
public:
    explicit FindNewVer(QWidget *parent = nullptr);
    ~FindNewVer() override;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_FindNewVer> ui;
};
