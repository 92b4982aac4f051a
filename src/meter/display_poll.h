#pragma once

#include <QDeadlineTimer>
#include <QObject>

namespace meter {

// The display poll: each tick of the panel's Timer1 asks the meter for its display frame,
// decodes it into Meter::State.MeterReading and renders Meter::State.Display, then the
// annunciators and the limit alarm. A tick is one exchange on the line; it is skipped when the
// line is not free. Ten unanswered polls in one tick enter the lost-link state: from then on the
// meter is probed every 0.2 s, each probe an exchange of its own, until it answers again.
class DisplayPoll : public QObject {
    Q_OBJECT
  public:
    explicit DisplayPoll(QObject* parent = nullptr);

    // One tick of Timer1. Never re-enters itself.
    void Timer1_Timer();

    bool inLostLink() const;
    // Completed ticks and failed poll attempts since this poll was made.
    int ticks() const { return ticks_; }
    int failedAttempts() const { return failedAttempts_; }

  signals:
    // The display fields changed: mirror Meter::State.Display onto the window.
    void rendered();
    // The meter stopped answering / answers again.
    void linkLost();
    void linkRestored();

  private:
    bool pollOnce();
    void HandleLostLink();
    void probe();
    void scheduleProbe();
    void reopenLineIfClosed();
    // Decodes the 9 waiting bytes and renders the tick's screen, annunciators and alarm.
    void finishTick();

    bool inTick_ = false;
    int ticks_ = 0;
    int failedAttempts_ = 0;
    QDeadlineTimer nextReopen_;
};

}  // namespace meter
