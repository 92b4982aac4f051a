// Plausible stored data for demonstrations: single records and logged sets taken in the days
// before a given clock time.
#pragma once

#include "sim/frames.h"
#include "sim/meter_model.h"

namespace sim {

// Clears both memories of `model` and fills them, deterministically, with data stored before
// `now` (the meter's clock time):
// - 12 single records over the last hours: pH and mV, 'C and 'F, ATC and MTC, leading ones
//   (pH 10.012, mV 1024.6, 104.5 'F), one with the low-battery mark and one over range;
// - 5 logged sets, oldest first: 3 pH records every 10 s; 40 mV records every 30 s; a single
//   pH record; 360 pH records every 5 s with one over range; 40 mV records in 'F every 60 s
//   from 23:45:00 two days before `now`, so that set crosses midnight.
// The set memory then holds 2719 bytes (pointer 0x119F).
void fillDemoMemory(MeterModel& model, const DateTime& now);

}  // namespace sim
