#include "tests/sensor/variantbench.h"

#include "core/devicestate.h"
#include "sensor/model/dpicodec.h"
#include "sensor/sensordpib.h"
#include "tests/sensor/dpieditorhost.h"

#include <QtGlobal>

void VariantBench::fillDpiEditor(SensorDPIB *editor, const FlashDataMap &record)
{
    DeviceState &state = *DeviceState::instance();
    state.SensorFilling = 1;
    editor->ClearCountItems();
    const bool blocked = editor->BlockCountSignals(true);
    const int levels = DpiLevels::Count;
    for (int i = 0; i < levels; ++i) {
        editor->SetLevelColor(i, DpiEditorHost::stageColour(record.DpiStages[i]));
        editor->InsertLevelItem(i, QString::number(i + 1));
    }
    editor->ApplyAllColors();
    LoadDpiRanges();
    const DpiRanges &ranges = SensorModel::instance().DpiRangeTable;
    editor->SetSliderMaximum(ranges.DpiMaxText.toInt());
    editor->SetSliderMinimum(ranges.DpiMinText.toInt());
    for (int i = 0; i < levels; ++i)
        editor->SetLevelText(i, QString::number(DpiEditorHost::stageDpi(record.DpiStages[i])));
    const int countIndex = qBound(0, int(record.DpiStageCount) - 1, levels - 1);
    editor->SetCountIndex(countIndex);
    editor->BlockCountSignals(blocked);
    editor->ShowLevelRows(countIndex);
    editor->SetLevelCount(countIndex + 1);
    editor->SetCurrentLevel(record.CurrentDpiStage);
    editor->SelectLevel(record.CurrentDpiStage);
    state.SensorFilling = 0;
}
