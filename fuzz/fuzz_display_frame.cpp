// Any bytes from the meter, cut into 9-byte frames, through the decoders, the rendering of every
// screen, the annunciators and the limit alarm.
#include <cstddef>
#include <cstdint>

#include "core/alarm_limits.h"
#include "core/screen_render.h"

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
        core::EvaluateAlarm(reading, limits, panel);
    }
    return 0;
}
