#include "core/languageloader.h"

#include "core/languagetables.h"
#include "platform/appdir.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

const QVector<LanguageSection> &LanguageCatalogue()
{
    // The idle-time choices and the lighting modes appear in more than one form.
    static const QStringList sleepTimeKeys{"StopCloseTime",  "StopCloseTime1", "StopCloseTime2",
                                           "StopCloseTime3", "StopCloseTime4", "StopCloseTime5",
                                           "StopCloseTime6", "StopCloseTime7", "StopCloseTime8",
                                           "StopCloseTime9", "StopCloseTime10"};
    static const QStringList lightModeKeys{"LightMod",  "LightMod1", "LightMod2", "LightMod3",
                                           "LightMod4", "LightMod5", "LightMod6"};
    // Keys in the order the files list them: forms read entries by position.
    static const QVector<LanguageSection> catalogue = {
        {"AddDelayTime", &AddDelayTimeTexts, {"label"}},
        {"AddKey", &AddKeyTexts, {"label"}},
        {"AutoRepair",
         &AutoRepairTexts,
         {"ToolText", "Cancel", "NoDevice", "SameDevice", "NewHong_2", "NoRecieve", "NoUSB",
          "Error", "FileError", "Error2", "MultiMouse", "MultiDongle", "ReadyUpdate"}},
        // The shipped files leave out "VolumeUp_8": the button page reads entries 46 to 51 as the
        // texts of the keys after it (wheel up and down, the macro and profile prefixes, the
        // debounce unit, the home-page key), so the row has 52 entries.
        {"Buttoninterface",
         &ButtoninterfaceTexts,
         {"label_2",       "Reset",         "ImportData",    "OutputData",
          "FireKey",       "RightKey",      "BackKey",       "StartPause",
          "TopMusic",      "BackMusic",     "DPI_2",         "DPI_3",
          "DPI_6",         "DPI_8",         "DPI_5",         "DPI_13",
          "DPI_11",        "DPI_10",        "DPI_9",         "DPI_7",
          "DPI_12",        "DPI_4",         "Player",        "StartPause_2",
          "BackMusic_2",   "TopMusic_2",    "Mute",          "VolumeUp",
          "VolumeDown",    "VolumeDown_4",  "VolumeDown_5",  "VolumeDown_6",
          "VolumeDown_3",  "VolumeDown_9",  "VolumeDown_7",  "VolumeDown_10",
          "VolumeDown_12", "VolumeDown_13", "VolumeDown_11", "VolumeUp_4",
          "VolumeUp_5",    "VolumeUp_6",    "VolumeUp_7",    "checkBox",
          "VolumeUp_2",    "VolumeDown_2",  "VolumeUp_8",    "VolumeUp_14",
          "VolumeDown_14", "Macro_",        "Config",        "S1",
          "VolumeDown_8"}},
        {"ButtonOnly", &ButtonOnlyTexts, {"label"}},
        {"ContainReset", &ContainResetTexts, {"label"}},
        {"DeleteConfirm", &DeleteConfirmTexts, {"label"}},
        {"DialogChange",
         &DialogChangeTexts,
         {"label_2", "label_3", "OfflineTips1", "OfflineTips2", "RepairDevice", "label", "NewHong",
          "NoApear", "MouseIsNewTips"}},
        {"DialogMain", &DialogMainTexts, {"MainForm", "Exit"}},
        {"English", &NetTexts, {"CompanyName", "CompanyNameCn", "CompanyWebcn", "CompanyWeben"}},
        {"FireKey", &FireKeyTexts, {"label", "label_2", "label_3"}},
        {"FormSetting", &FormSettingTexts,
         QStringList{"label",      "label_2",      "label_3",    "label_4",   "label_6",
                     "label_8",    "pushButton_2", "Receive",    "Mouse",     "label_9",
                     "label_10",   "pushButton",   "label_11",   "textEdit",  "WiredMode",
                     "NoDevice",   "NewLabel",     "SameDevice", "VerNew",    "label_14",
                     "textEdit_2", "textEdit_3",   "textEdit_4", "NoRecieve", "NoUSB",
                     "Error",      "MultiMouse",   "MultiDongle"} +
             sleepTimeKeys +
             QStringList{"label_12", "label_13", "RecieveInfo", "ScreenInfo", "LihghtMode"}},
        {"groupKey", &GroupKeyTexts, {"label"}},
        {"InportFail", &InportFailTexts, {"label", "label_1"}},
        {"LessThree", &LessThreeTexts, {"label"}},
        {"Light", &LightTexts,
         QStringList{"label"} + lightModeKeys +
             QStringList{"label_2", "label_3", "label_4", "label_5"} + sleepTimeKeys +
             QStringList{"label_6", "label_8", "label_13", "label_11", "label_10", "label_12"}},
        {"Limit", &LimitTexts, {"label"}},
        {"Macro", &MacroTexts, {"label",        "label_2",      "NewHong",
                                "DeleteHong",   "Amend",        "DeleteKey",
                                "StartRecord",  "StopRecord",   "AutoInsertDelay",
                                "DefaultDelay", "ReUntilLoose", "ReUntilClick",
                                "ReUntil",      "ReNumber",     "label_3",
                                "ChooseEvent1", "ChooseEvent2", "ChooseEvent3",
                                "Save",         "MacroReal",    "Key1",
                                "Key2",         "Key3",         "Key4",
                                "Key5",         "NotMacroFile", "NameNotAllowed",
                                "NotWritten"}},
        {"MakeMacro", &MakeMacroTexts, {"label"}},
        {"Match",
         &MatchTexts,
         {"label", "textEdit", "MatchButton", "Matching", "MatchFail", "MatchSuccess"}},
        {"MaxThree", &MaxThreeTexts, {"label"}},
        {"MouseOffLine", &MouseOffLineTexts, {"label", "Timeout"}},
        {"NewVer", &NewVerTexts, {"label", "NoApear"}},
        {"Progress", &ProgressTexts, {"UpdateNotMove", "UpDateSuccess", "UpDateFail"}},
        {"Question", &QuestionTexts, {"label", "label_2", "NewHong", "NewHong_2"}},
        {"QuestionB", &QuestionBTexts, {"label"}},
        {"RePair", &RePairTexts, {"label"}},
        {"SameMacro", &SameMacroTexts, {"label"}},
        {"ScreenInfo", &ScreenInfoTexts,
         QStringList{"label", "label_2", "label_3", "Input", "Output", "Light"} + lightModeKeys +
             QStringList{"Bri", "Speed", "ColorPre", "LightColor", "SetColor", "R", "G", "B"}},
        {"Sensor",
         &SensorTexts,
         {"label_2",
          "label_3",
          "label_5",
          "label_11",
          "label_12",
          "Performance",
          "label",
          "label_6",
          "label_7",
          "PerformanceOpen",
          "PerformanceOpen1",
          "PerformanceOpen2",
          "PerformanceOpen3",
          "PerformanceOpen4",
          "PerformanceOpen5",
          "label_4",
          "Model",
          "Model1",
          "Model2",
          "label_14",
          "label_15",
          "ModeSelectDes",
          "LODDes",
          "FullPerformanceDes",
          "MotionSyncDes",
          "FixLineDes",
          "RippleDes"}},
        {"UpDataParam", &UpDataParamTexts, {"label", "label_1"}},
    };
    return catalogue;
}

namespace {

// Walks one document. Every step leaves the stream just after what it consumed, so a broken
// section or key ends all loops over this file at once (the stream reports atEnd on an error).
class LanguageReader
{
public:
    explicit LanguageReader(QIODevice *file) : reader(file) {}

    void ReadDocument(const QString &rootName)
    {
        reader.readNext();
        while (!reader.atEnd()) {
            if (!reader.isStartElement()) {
                reader.readNext();
            } else if (reader.name() == rootName) {
                ReadLanguageSections();
            } else {
                // A link file read as a language file (or the reverse) must add no row.
                reader.raiseError(QStringLiteral("Not a labels file"));
            }
        }
    }

private:
    void ReadLanguageSections()
    {
        reader.readNext();
        while (NextChild()) {
            if (const LanguageSection *section = FindSection())
                ReadSectionTexts(*section);
            else
                SkipElement();
        }
    }

    void ReadSectionTexts(const LanguageSection &section)
    {
        reader.readNext();
        QStringList row;
        while (NextChild()) {
            const int key = section.keys.indexOf(reader.name().toString());
            if (key < 0) {
                SkipElement();
                continue;
            }
            // An element inside a key stops the stream with an error; the text before it still
            // counts, and a closing key still completes its row.
            row.append(reader.readElementText());
            if (key == section.keys.size() - 1)
                section.table->appendRow(row);
            reader.readNext();
        }
    }

    // Moves to the next child element of the element being read. False when that element closes
    // (the stream is then just after its end tag) or the stream ends or fails.
    bool NextChild()
    {
        while (!reader.atEnd()) {
            if (reader.isStartElement())
                return true;
            const bool closing = reader.isEndElement();
            reader.readNext();
            if (closing)
                return false;
        }
        return false;
    }

    void SkipElement()
    {
        reader.skipCurrentElement();
        reader.readNext();
    }

    const LanguageSection *FindSection() const
    {
        for (const LanguageSection &section : LanguageCatalogue()) {
            if (reader.name() == section.name)
                return &section;
        }
        return nullptr;
    }

    QXmlStreamReader reader;
};

// False only when the file cannot be opened; what the document holds does not matter here.
bool ReadLanguageFile(const QString &path, const QString &rootName)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    LanguageReader(&file).ReadDocument(rootName);
    return true;
}

void LoadLanguageFilesFrom(const QString &folder)
{
    // Row index equals language index only because English is read before Ukrainian; the link
    // file comes last, so a missing Ukrainian file also leaves the link texts empty.
    const QDir dir(folder);
    if (!ReadLanguageFile(dir.filePath(QStringLiteral("0-English.xml")), QStringLiteral("Total")))
        return;
    if (!ReadLanguageFile(dir.filePath(QStringLiteral("Ukrainian.xml")), QStringLiteral("Total")))
        return;
    ReadLanguageFile(dir.filePath(QStringLiteral("Net.xml")), QStringLiteral("Profile"));
}

} // namespace

void LoadLanguageFiles()
{
    LoadLanguageFilesFrom(AppDir::filePath(QStringLiteral("Language")));
}

void ReloadLanguageFilesForTest(const QString &languageFolder)
{
    for (const LanguageSection &section : LanguageCatalogue())
        section.table->clear();
    LoadLanguageFilesFrom(languageFolder);
}
