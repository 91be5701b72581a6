#include "shell/dialogs/exeisrun.h"

#include "core/postmsg.h"
#include "core/settingsstore.h"
#include "platform/appdir.h"
#include "shell/dialogs/noticeframe.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {
QString languageFile(int language)
{
    switch (language) {
    case 1:
        return QStringLiteral("/Language/Ukrainian.xml");
    case 2:
        return QStringLiteral("/Language/2-繁体中文.xml");
    case 3:
        return QStringLiteral("/Language/3-Korea.xml");
    case 4:
        return QStringLiteral("/Language/4-Russia.xml");
    case 5:
        return QStringLiteral("/Language/5-Japanese.xml");
    default:
        return QStringLiteral("/Language/0-English.xml");
    }
}
} // namespace

void Ui_ExeIsRun::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("ExeIsRun"), 298);
    DeleteConfirmA = NoticeFrame::addPanel(dialog, QStringLiteral("DeleteConfirmA"));
    CloseButton = NoticeFrame::addCloseButton(DeleteConfirmA);
    label = NoticeFrame::addLabel(DeleteConfirmA, {0, 30, 301, 71});
    NewHong = NoticeFrame::addButton(DeleteConfirmA, QStringLiteral("NewHong"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_ExeIsRun::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("Confirm Delete"));
    NewHong->setText(QStringLiteral("确定"));
}

ExeIsRun::ExeIsRun(QWidget *parent) : QDialog(parent), ui(new Ui_ExeIsRun)
{
    ui->setupUi(this);
    // Nothing emits SigChangeLanguage: the notice keeps the language it was built with.
    connect(PostMsg::GetInstance(), SIGNAL(SigChangeLanguage(int)), this,
            SLOT(SlotChangeLanguage(int)));
    NoticeFrame::applyLook(this, ui->DeleteConfirmA, ui->label, ui->CloseButton, {ui->NewHong});
    // From the settings file, not the current language: a second instance never sets that.
    LoadLanguageFile(StoredLanguage());
    NoticeFrame::finish(this);
}

ExeIsRun::~ExeIsRun() = default;

void ExeIsRun::UseSecondText()
{
    ui->label->setText(SecondText);
}

void ExeIsRun::UsePleaseStopText()
{
    ui->label->setText(PleaseStopText);
}

void ExeIsRun::LoadLanguageFile(int language)
{
    QFile file(AppDir::path() + languageFile(language));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    xml.setDevice(&file);
    if (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Total"))
            readTotal();
        else
            xml.raiseError(QStringLiteral("Not a labels file"));
    }
    xml.setDevice(nullptr);
}

void ExeIsRun::readTotal()
{
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("EXEIsRun"))
            readSection();
        else
            xml.skipCurrentElement();
    }
}

void ExeIsRun::readSection()
{
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        QString *stored = nullptr;
        if (name == QLatin1String("label_2"))
            stored = &SecondText;
        else if (name == QLatin1String("PleaseStop"))
            stored = &PleaseStopText;
        else if (name != QLatin1String("label") && name != QLatin1String("NewHong")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString text = xml.readElementText();
        // An entry holding elements of its own is a broken file: stop with what was read before.
        if (xml.hasError())
            return;
        if (stored)
            *stored = text;
        else if (name == QLatin1String("label"))
            ui->label->setText(text);
        else
            ui->NewHong->setText(text);
    }
}

void ExeIsRun::on_NewHong_clicked()
{
    close();
}

void ExeIsRun::on_CloseButton_clicked()
{
    close();
}

void ExeIsRun::SlotChangeLanguage(int language)
{
    LoadLanguageFile(language);
}
