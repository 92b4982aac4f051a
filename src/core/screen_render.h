#pragma once

#include "core/display_frame.h"
#include "core/meter_reading.h"
#include "core/panel_state.h"

namespace core {

// Decodes one display frame into `reading` and renders the meter's screen (clock, interval,
// calibration or measurement) into `panel`: the value fields, units, compensation text and the
// date icon, each value and unit field with its value (PanelState::Shown). Fields a screen does
// not touch keep their previous state.
void RenderFrame(const DisplayFrame& frame, MeterReading& reading, PanelState& panel);

// The annunciator step that follows every rendered screen: battery, M, R, calibration, the
// "A" mark (blinking on consecutive calls while AutoBlink is set) and the test icon.
void StepAnnunciators(const DisplayFrame& frame, const MeterReading& reading, PanelState& panel);

// The lost-link state: a display that nothing feeds shows nothing. The value fields, units and
// the compensation text are emptied and every annunciator and mark is hidden (a lingering OVER or
// low-battery mark would read as an alarm) until the meter answers again. No reading is shown.
void ClearDisplayForLostLink(PanelState& panel);

}  // namespace core
