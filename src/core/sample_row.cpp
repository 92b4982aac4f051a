#include "core/sample_row.h"

namespace core {

RecordRow SampleRow(const PanelState& display, const MeterReading& reading, std::string_view date,
                    std::string_view time) {
    return RecordRow{{"", std::string(date), std::string(time), display.LblUpValue,
                      display.LblUpUnit, display.LblDownLeftValue, display.Lblfc, display.LblAuto,
                      reading.LowBattery == 1 ? "Low" : ""}};
}

bool MeterIsMeasuring(const MeterReading& reading) {
    return reading.ClockMode != 1 && reading.IntervalMode != 1 && reading.CalMode != 1;
}

}  // namespace core
