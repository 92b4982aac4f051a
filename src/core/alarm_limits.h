#pragma once

#include "core/meter_reading.h"
#include "core/panel_state.h"

namespace core {

// High and low limits of the four watched quantities and their switches. pH and mV exclude
// each other, as do 'C and 'F.
struct AlarmLimits {
    double PhHigh = 14;
    double PhLow = 0;
    double MvHigh = 2000;
    double MvLow = -2000;
    double CHigh = 220;
    double CLow = 0;
    double FHigh = 220;
    double FLow = 0;
    bool PhAlarmOn = false;
    bool MvAlarmOn = false;
    bool CAlarmOn = false;
    bool FAlarmOn = false;

    bool operator==(const AlarmLimits&) const = default;
};

// The limit alarm that ends every display poll tick: compares the shown reading (the values the
// render wrote beside the captions, PanelState::Shown) with the limits, makes the OVER/UNDER marks
// blink while a watched value lies outside (strictly), and switches an alarm off when the meter no
// longer shows its unit or shows a clock, interval or calibration screen.
void EvaluateAlarm(const MeterReading& reading, AlarmLimits& limits, PanelState& panel);

}  // namespace core
