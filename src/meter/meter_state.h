#pragma once

#include "core/meter_reading.h"
#include "core/panel_state.h"

// The meter readout: what the display poll decoded and rendered, shared with every module that
// reads the meter.
namespace meter {

struct ReadoutState {
    // The decoded meter state of the latest display frame. Only the display poll writes it; the
    // memory downloads decode into readings of their own.
    core::MeterReading MeterReading;
    // The panel's display fields as the latest tick rendered them (the panel shows exactly these).
    core::PanelState Display;
    // The meter stopped answering; the poll probes until it answers again.
    bool LinkLost = false;
    // Timer1 ticks so far, and the tick in which the frame the display shows was asked for (0:
    // none yet), however late it arrived. A reading older than the previous tick is stale: the
    // line was held, or the meter did not answer, or answered late.
    int PollTick = 0;
    int RenderedTick = 0;
};

// The display shows a frame read in the current or the previous poll tick.
inline bool ReadingIsFresh(const ReadoutState& readout) {
    return !readout.LinkLost && readout.PollTick - readout.RenderedTick <= 1;
}

extern ReadoutState State;
void ResetState();

}  // namespace meter
