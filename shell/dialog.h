#pragma once

#include <QWidget>

#include <memory>

class Buttoninterface;
class FormSetting;
class QFrame;
class QStackedWidget;

class Ui_Dialog
{
public:
    QFrame *frame;
    QStackedWidget *stackedWidget;

    void setupUi(QWidget *page);
};

// The device page: the pages of the selected device in a stack. So far it holds the button page,
// which owns the device service, and the settings page, which owns the update dialog; the tabs,
// the battery indicator, back and close grow here.
class Dialog : public QWidget
{
    Q_OBJECT
public:
    explicit Dialog(QWidget *parent = nullptr);
    ~Dialog() override;

private:
    std::unique_ptr<Ui_Dialog> ui;
    Buttoninterface *buttonPage;
    FormSetting *settingPage;
};
