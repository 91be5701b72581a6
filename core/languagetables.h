#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The texts of one section of the language files. Row r comes from the r-th occurrence of the
// section that reached its closing key, over the files in reading order; with complete files
// row 0 is English and row 1 Ukrainian, so the row index is the language index. Forms address
// entries by position, never by key name.
//
// Filled once on the GUI thread before the first form exists, then only read; no lock needed.
class TextTable
{
public:
    // Entry `entry` of row `language`; `fallback` when the table has no such row or the row is
    // shorter. A missing or broken language file thus leaves a form with its default texts.
    QString text(int language, int entry, const QString &fallback) const;

    int rowCount() const { return rows.size(); }
    // Number of entries of row `language`; 0 when there is no such row.
    int entryCount(int language) const;

    // Only the language loader adds rows.
    void appendRow(const QStringList &row) { rows.append(row); }
    void clear() { rows.clear(); }

private:
    QVector<QStringList> rows;
};

// One table per section of the language files, named after the section; `NetTexts` holds the
// link file's section "English" (link texts for every language, read from row 0).
extern TextTable AddDelayTimeTexts;
extern TextTable AddKeyTexts;
extern TextTable AutoRepairTexts;
extern TextTable ButtoninterfaceTexts;
extern TextTable ButtonOnlyTexts;
extern TextTable ContainResetTexts;
extern TextTable DeleteConfirmTexts;
extern TextTable DialogChangeTexts;
extern TextTable DialogMainTexts;
extern TextTable NetTexts;
extern TextTable FireKeyTexts;
extern TextTable FormSettingTexts;
extern TextTable GroupKeyTexts;
extern TextTable InportFailTexts;
extern TextTable LessThreeTexts;
extern TextTable LightTexts;
extern TextTable LimitTexts;
extern TextTable MacroTexts;
extern TextTable MakeMacroTexts;
extern TextTable MatchTexts;
extern TextTable MaxThreeTexts;
extern TextTable MouseOffLineTexts;
extern TextTable NewVerTexts;
extern TextTable ProgressTexts;
extern TextTable QuestionTexts;
extern TextTable QuestionBTexts;
extern TextTable RePairTexts;
extern TextTable SameMacroTexts;
extern TextTable ScreenInfoTexts;
extern TextTable SensorTexts;
extern TextTable UpDataParamTexts;
