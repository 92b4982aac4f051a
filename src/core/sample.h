#pragma once

#include <string>

#include "core/meter_reading.h"
#include "core/panel_state.h"
#include "core/record_row.h"

namespace core {

// One sample as the sampling tick takes it and hands it to the recording file, the live list
// and the live graphs: the PC's date and time of the tick as the record cells show them, the
// meter's reading, the panel's five texts exactly as shown and the reading they show as values.
struct Sample {
    std::string date;
    std::string time;
    MeterReading reading;
    std::string value;            // the main value (LblUpValue)
    std::string unit;             // its unit (LblUpUnit)
    std::string temperature;      // LblDownLeftValue
    std::string temperatureUnit;  // Lblfc
    std::string compensation;     // LblAuto
    ShownReading shown;           // the value and unit fields as values (PanelState::Shown)
};

Sample MakeSample(const PanelState& display, const MeterReading& reading, std::string date,
                  std::string time);

// The sample as a record row: cell 0 (the number) empty for the consumer to fill; the date and
// time; the five texts; "Low" in the battery cell while the meter shows its low-battery mark.
RecordRow SampleRow(const Sample& sample);

}  // namespace core
