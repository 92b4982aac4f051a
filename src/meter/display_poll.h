#pragma once

#include <QObject>

#include "core/display_frame.h"
#include "core/panel_state.h"

namespace core {
struct AlarmLimits;
}

namespace meter {

// The display poll: each tick of the panel's Timer1 asks the meter for its display frame,
// decodes it into Meter::MeterReading and renders the panel's fields; ten unanswered polls in
// one tick enter the lost-link state, which probes until the meter answers again.
class DisplayPoll : public QObject {
    Q_OBJECT
public:
    explicit DisplayPoll(QObject* parent = nullptr);

    // One tick of Timer1. Never re-enters itself: a tick that fires while another waits is
    // skipped.
    void Timer1_Timer();

    const core::PanelState& panelState() const { return panel_; }
    core::PanelState& panelState() { return panel_; }
    // Limits evaluated at the end of every tick; none when null.
    void setAlarmLimits(core::AlarmLimits* limits) { limits_ = limits; }

    bool inLostLink() const { return lostLink_; }
    int ticks() const { return ticks_; }

signals:
    // The fields changed: mirror panelState() onto the window.
    void rendered();
    // The meter stopped answering / answers again.
    void linkLost();
    void linkRestored();

private:
    void HandleLostLink();
    bool pollOnce();
    void reopenLineIfClosed();

    core::PanelState panel_;
    core::AlarmLimits* limits_ = nullptr;
    bool inTick_ = false;
    bool lostLink_ = false;
    int ticks_ = 0;
};

}  // namespace meter
