#pragma once

#include "core/meter_reading.h"
#include "core/panel_state.h"

// The meter readout: what the display poll decoded and rendered, shared with every module that
// reads the meter.
namespace Meter {

struct ReadoutState {
    // The decoded meter state of the latest display frame. Only the display poll writes it; the
    // memory downloads decode into readings of their own.
    core::MeterReading MeterReading;
    // The panel's display fields as the latest tick rendered them (the panel shows exactly these).
    core::PanelState Display;
    // The meter stopped answering; the poll probes until it answers again.
    bool LinkLost = false;
};

extern ReadoutState State;
void ResetState();

}  // namespace Meter
