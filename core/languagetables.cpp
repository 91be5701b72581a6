#include "core/languagetables.h"

QString TextTable::text(int language, int entry, const QString &fallback) const
{
    if (language < 0 || language >= rows.size())
        return fallback;
    const QStringList &row = rows.at(language);
    if (entry < 0 || entry >= row.size())
        return fallback;
    return row.at(entry);
}

int TextTable::entryCount(int language) const
{
    if (language < 0 || language >= rows.size())
        return 0;
    return rows.at(language).size();
}

TextTable AddDelayTimeTexts;
TextTable AddKeyTexts;
TextTable AutoRepairTexts;
TextTable ButtoninterfaceTexts;
TextTable ButtonOnlyTexts;
TextTable ContainResetTexts;
TextTable DeleteConfirmTexts;
TextTable DialogChangeTexts;
TextTable DialogMainTexts;
TextTable NetTexts;
TextTable FireKeyTexts;
TextTable FormSettingTexts;
TextTable GroupKeyTexts;
TextTable InportFailTexts;
TextTable LessThreeTexts;
TextTable LightTexts;
TextTable LimitTexts;
TextTable MacroTexts;
TextTable MakeMacroTexts;
TextTable MatchTexts;
TextTable MaxThreeTexts;
TextTable MouseOffLineTexts;
TextTable NewVerTexts;
TextTable ProgressTexts;
TextTable QuestionTexts;
TextTable QuestionBTexts;
TextTable RePairTexts;
TextTable SameMacroTexts;
TextTable ScreenInfoTexts;
TextTable SensorTexts;
TextTable UpDataParamTexts;
