#pragma once

#include "sensor/model/sensorcodes.h"

// What both layouts of the report-rate panel do with their seven rate buttons (125..8000 Hz, in
// rising order), whatever the buttons look like.
namespace RateChoice {

// The buttons' object names, "Button125HZ" .. "Button8000HZ".
extern const char *const ButtonNames[];

// The user's click on rate `index` (0..6) that left its button `checked`: written while writes
// are enabled, then the hub learns whether the rate lies above 1000 Hz (SigHideModel), which
// fixes or frees the page's sensor mode. A rate the mouse did not take moves nothing. A click on
// the checked button writes its rate again: the exclusive group keeps it checked.
void Clicked(int index, bool checked);

// Shows the rates above 1000 Hz that connection level 0..3 offers; other levels change nothing.
// Hiding a button leaves it checked.
template <typename Button>
void ShowHighRates(Button *const (&buttons)[SensorCodes::RateButtons], int level)
{
    if (level < 0 || level > 3)
        return;
    for (int i = SensorCodes::FirstHighRate; i < SensorCodes::RateButtons; ++i)
        buttons[i]->setVisible(SensorCodes::HighRateShown(level, i));
}

} // namespace RateChoice
