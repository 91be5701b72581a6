#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class TextTable;

// One section of the language files: its element name, the table it fills and its keys in file
// order. Reaching the last key (the closing key) appends the row read so far to the table, so a
// section without it adds nothing and keys after it are lost.
struct LanguageSection
{
    QString name;
    TextTable *table;
    QStringList keys;
};

// The 31 sections the program knows. "EXEIsRun" is not among them: the already-running notice
// reads that section from the file itself, because a second instance never loads the tables.
const QVector<LanguageSection> &LanguageCatalogue();

// Reads Language/0-English.xml (root "Total"), Language/Ukrainian.xml (root "Total") and
// Language/Net.xml (root "Profile") from the program's folder into the tables, in that order.
// The first file that cannot be opened ends the loading; a file with a wrong root or broken XML
// keeps the rows it completed and the next file is still read. Nothing is reported: a form whose
// row or entry is missing keeps its default text (TextTable::text). GUI thread, once at start-up.
void LoadLanguageFiles();

// Tests only: empties every table, then loads the three files from `languageFolder`.
void ReloadLanguageFilesForTest(const QString &languageFolder);
