#include "tests/shell/dialogs/noticetexts.h"

#include "core/languagetables.h"

#include <QStringList>

namespace {
struct Named
{
    TextTable *table;
    const char *name;
};
const Named Tables[] = {
    {&QuestionTexts, "QuestionTexts"},           {&QuestionBTexts, "QuestionBTexts"},
    {&ButtonOnlyTexts, "ButtonOnlyTexts"},       {&RePairTexts, "RePairTexts"},
    {&DeleteConfirmTexts, "DeleteConfirmTexts"}, {&InportFailTexts, "InportFailTexts"},
    {&LessThreeTexts, "LessThreeTexts"},         {&MouseOffLineTexts, "MouseOffLineTexts"},
    {&ProgressTexts, "ProgressTexts"},           {&NewVerTexts, "NewVerTexts"},
    {&DialogChangeTexts, "DialogChangeTexts"},   {&ContainResetTexts, "ContainResetTexts"}};
} // namespace

QString noticeText(int language, const QString &table, int entry)
{
    return QStringLiteral("%1 %2 %3")
        .arg(language == 0 ? QStringLiteral("en") : QStringLiteral("uk"), table)
        .arg(entry);
}

void FillNoticeTexts()
{
    for (const Named &t : Tables) {
        t.table->clear();
        for (int language = 0; language < 2; ++language) {
            QStringList row;
            for (int entry = 0; entry < 6; ++entry)
                row << noticeText(language, QLatin1String(t.name), entry);
            t.table->appendRow(row);
        }
    }
}
