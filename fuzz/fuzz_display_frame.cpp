// Any bytes from the meter, cut into 9-byte frames, through the decoders, the rendering of every
// screen, the annunciators and the limit alarm.
#include <cstddef>
#include <cstdint>
#include <string>

#include "contracts.h"
#include "core/alarm_limits.h"
#include "core/screen_render.h"
#include "core/text_rules.h"
#include "core/value_height.h"

namespace {

using contracts::require;

// On a measuring screen the values beside the captions are what the captions read, and the live
// graphs take the same value from either, to the bit.
void requireShownAsCaptions(const core::MeterReading& r, const core::PanelState& p) {
    if (r.ClockMode == 1 || r.IntervalMode == 1 || r.CalMode == 1) return;
    using Kind = core::ShownValue::Kind;
    const core::ShownReading& shown = p.Shown;
    require(shown.temperature.kind == Kind::Number &&
            core::WholeNumber(p.LblDownLeftValue) == shown.temperature.number);
    require(core::PlotValue(shown, core::Quantity::Temperature) ==
            core::PlotValue(p.LblDownLeftValue, core::Quantity::Temperature));
    // Without a unit the value field keeps an older text, which no graph or alarm reads.
    if (shown.upperUnit == core::MainUnit::None) return;
    if (shown.upper.kind == Kind::OverRange)
        require(p.LblUpValue.find("- -") != std::string::npos);
    else
        require(shown.upper.kind == Kind::Number &&
                core::WholeNumber(p.LblUpValue) == shown.upper.number);
    for (core::Quantity quantity : {core::Quantity::Ph, core::Quantity::Mv})
        require(core::PlotValue(shown, quantity) == core::PlotValue(p.LblUpValue, quantity));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    core::MeterReading reading;
    core::PanelState panel;
    core::AlarmLimits limits;
    limits.PhAlarmOn = size % 2 == 0;
    limits.MvAlarmOn = !limits.PhAlarmOn;
    limits.CAlarmOn = size % 3 == 0;
    limits.FAlarmOn = !limits.CAlarmOn;
    for (std::size_t offset = 0; offset + core::DisplayFrame::kSize <= size;
         offset += core::DisplayFrame::kSize) {
        core::DisplayFrame frame;
        if (!core::DisplayFrame::fromBytes(data + offset, core::DisplayFrame::kSize, frame))
            continue;
        core::RenderFrame(frame, reading, panel);
        core::StepAnnunciators(frame, reading, panel);
        requireShownAsCaptions(reading, panel);
        core::EvaluateAlarm(reading, limits, panel);
    }
    return 0;
}
