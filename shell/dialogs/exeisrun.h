#pragma once

#include <QDialog>
#include <QXmlStreamReader>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_ExeIsRun
{
public:
    QFrame *DeleteConfirmA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The notice a second start of the program shows before it ends. A second instance loads no
// language tables, so the notice reads its texts from the language file itself; the macro editor
// also uses it as a general notice with one of two further texts.
class ExeIsRun : public QDialog
{
    Q_OBJECT
public:
    explicit ExeIsRun(QWidget *parent = nullptr);
    ~ExeIsRun() override;

    void UseSecondText();
    void UsePleaseStopText();
    // Reads the "EXEIsRun" section of the language file of `language` (an unknown index reads
    // English). A missing or foreign file changes nothing; a broken one keeps what was read.
    void LoadLanguageFile(int language);

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotChangeLanguage(int language);

private:
    void readTotal();
    void readSection();

    std::unique_ptr<Ui_ExeIsRun> ui;
    QXmlStreamReader xml;
    QString SecondText;
    QString PleaseStopText;
};
