#pragma once

#include "platform/devicelib/modelconfig.h"

#include <QByteArray>
#include <QStringList>

// A model's factory configuration, as its firmware would restore it: the global settings, the DPI
// stages (values and colours from the model's DPIGrade and DPIColor, DPIMaxGrade stages in use),
// the lights, the button functions and the key records of the buttons whose factory function is
// a key sequence (KeyParam<i> starting with "0x05").
namespace FactorySettings {

// A whole record: the factory settings with empty key records and macros elsewhere.
QByteArray record(const ModelConfig::Model &model);
// What a factory reset restores in a stored record: the global settings, the button functions and
// the key-sequence buttons' key records. Other key records and the macros stay as they are.
// *notes (when given) receives a text for every KeyParam the firmware could not read.
void restore(QByteArray &record, const ModelConfig::Model &model, QStringList *notes = nullptr);

} // namespace FactorySettings
