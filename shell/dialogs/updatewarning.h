#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_UpDateWarning
{
public:
    QFrame *WarningFrame;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// A firmware notice whose message the caller sets with SetText before showing it; Return acts
// as the confirm button.
class UpDateWarning : public QDialog
{
    Q_OBJECT
public:
    explicit UpDateWarning(QWidget *parent = nullptr);
    ~UpDateWarning() override;

    // The message; the language tables hold none of this notice's own.
    void SetText(const QString &text);

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_UpDateWarning> ui;
};
