#pragma once

#include <QObject>

#include "core/meter_reading.h"
#include "core/panel_state.h"

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

// The meter readout of one session: the decoded reading and the rendered display of the latest
// display frame, and whether the link is lost. Only the display poll writes it; the panel, the
// sampling tick and the recording without a window read it and follow its signals.
class Readout : public QObject {
    Q_OBJECT
  public:
    explicit Readout(QObject* parent = nullptr);

    const ReadoutState& state() const { return state_; }
    // For the display poll, its only writer.
    ReadoutState& mutableState() { return state_; }

    const core::MeterReading& reading() const { return state_.MeterReading; }
    const core::PanelState& display() const { return state_.Display; }
    bool isLinkLost() const { return state_.LinkLost; }
    // The display shows a frame read in the current or the previous poll tick.
    bool isFresh() const { return ReadingIsFresh(state_); }

  signals:
    // The display fields changed: mirror display() onto the window.
    void rendered();
    // The meter stopped answering ("No Com"); windows that need the meter close.
    void linkLost();
    // The meter answers again; the new frame has been rendered already.
    void linkRestored();

  private:
    ReadoutState state_;
};

}  // namespace meter
