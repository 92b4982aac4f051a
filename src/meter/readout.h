#pragma once

#include <QObject>

#include "meter/meter_state.h"

namespace meter {

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
    ReadoutState& state_;
};

}  // namespace meter
