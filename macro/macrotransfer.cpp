// One macro to an export file and back: the context menu's export on a macro and import on
// empty space. The file's format and checks are macro/model/macroexportfile.h's.
#include "macro/macro.h"

#include "core/languagetables.h"
#include "macro/eventitem.h"
#include "macro/macrosync.h"
#include "macro/model/macroexportfile.h"
#include "macro/model/macroname.h"
#include "macro/samemacro.h"
#include "macro/ui_macro.h"
#include "platform/desktop/filedialogs.h"
#include "platform/wholefile.h"
#include "shell/dialogs/noticeframe.h"

#include <QDebug>
#include <QDir>
#include <QListWidget>

namespace {

const QString Filter = QStringLiteral("File(*.ini)");

// The import's notices stand a little lower than the page's others.
constexpr QPoint ImportNoticeOffset{-100, -35};

// The mouse-button names of every language loaded, so that a list exported in another language
// still reads.
QVector<QStringList> mouseButtonNamesOfAllLanguages()
{
    QVector<QStringList> names;
    for (int language = 0; language < ButtoninterfaceTexts.rowCount(); ++language) {
        QStringList five;
        for (int entry = 4; entry <= 8; ++entry)
            five << ButtoninterfaceTexts.text(language, entry, QString());
        names << five;
    }
    return names;
}

} // namespace

void Macro::ExPortMacro()
{
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    // What the page shows as the user asks for the export, unsaved edits included.
    const MacroExport macro{CurrentMacroName(), QString::number(RepeatValue()), ShownEvents()};
    // The dialog offers the macro's own name; a macro name holds no path separator.
    const QString offered = QDir::home().filePath(macro.name + QStringLiteral(".ini"));
    const QString path =
        FileDialogs::getSaveFileName(this, QStringLiteral("FileSave"), offered, Filter);
    if (path.isEmpty())
        return;
    const QByteArray bytes = WriteMacroExport(macro, EventItem::Icons());
    QString error;
    if (!WholeFile::write(path, bytes, &error)) {
        qWarning() << "cannot write the macro export" << path << error;
        ShowNotWritten(NoticeOffset::MacroPage);
    }
}

void Macro::InPortMacro()
{
    const QString path =
        FileDialogs::getOpenFileName(this, QStringLiteral("SelectFile"), QDir::homePath(), Filter);
    if (path.isEmpty())
        return;
    QByteArray bytes;
    if (!ReadExportFile(path, &bytes)) {
        ShowNotMacroFile(ImportNoticeOffset);
        return;
    }
    MacroExport macro;
    switch (ImportMacroExport(
        bytes, mouseButtonNamesOfAllLanguages(),
        [this](const QString &name) { return MacroNameTaken(name); }, &macro)) {
    case ImportResult::NotAMacroFile:
        ShowNotMacroFile(ImportNoticeOffset);
        return;
    case ImportResult::NameTaken: {
        SameMacro notice;
        NoticeFrame::place(&notice, this, ImportNoticeOffset);
        notice.exec();
        return;
    }
    case ImportResult::NotWritten:
        qWarning() << "cannot write the imported macro" << macro.name;
        ShowNotWritten(ImportNoticeOffset);
        return;
    case ImportResult::Imported:
        break;
    }
    MacroSync::Changed(macro.name);
    ui->listWidgetHong->addItem(macro.name);
    SetCurrentMacroRow(ui->listWidgetHong->count() - 1);
    CurrentMacroPath = MacroFilePath(MacroFolderPath, macro.name).value_or(QString());
    ui->listWidgetKey->clear();
    for (const MacroEvent &event : macro.events)
        ui->listWidgetKey->addItem(EventItem::FromEvent(event));
}
