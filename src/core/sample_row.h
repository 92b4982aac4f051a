#pragma once

#include <string_view>

#include "core/meter_reading.h"
#include "core/panel_state.h"
#include "core/record_row.h"

// One sample of the meter's reading, taken from what the front panel shows.
namespace core {

// The sample as a record row: cell 0 (the number) empty for the consumer to fill; the PC's date
// and time; the panel's five texts exactly as shown (main value, its unit, temperature, its
// unit, compensation); "Low" in the battery cell while the meter shows its low-battery mark.
RecordRow SampleRow(const PanelState& display, const MeterReading& reading, std::string_view date,
                    std::string_view time);

// The meter shows its measuring screen: not the clock, interval or calibration screen.
bool MeterIsMeasuring(const MeterReading& reading);

}  // namespace core
