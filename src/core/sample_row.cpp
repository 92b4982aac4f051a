#include "core/sample_row.h"

#include <utility>

#include "core/sample.h"

namespace core {

Sample MakeSample(const PanelState& display, const MeterReading& reading, std::string date,
                  std::string time) {
    return Sample{std::move(date),    std::move(time),   reading,
                  display.LblUpValue, display.LblUpUnit, display.LblDownLeftValue,
                  display.Lblfc,      display.LblAuto,   display.Shown};
}

RecordRow SampleRow(const Sample& sample) {
    return RecordRow{{"", sample.date, sample.time, sample.value, sample.unit, sample.temperature,
                      sample.temperatureUnit, sample.compensation,
                      sample.reading.LowBattery == 1 ? "Low" : ""}};
}

RecordRow SampleRow(const PanelState& display, const MeterReading& reading, std::string_view date,
                    std::string_view time) {
    return SampleRow(MakeSample(display, reading, std::string(date), std::string(time)));
}

bool MeterIsMeasuring(const MeterReading& reading) {
    return reading.ClockMode != 1 && reading.IntervalMode != 1 && reading.CalMode != 1;
}

}  // namespace core
