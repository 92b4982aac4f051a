#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include "core/display_frame.h"

namespace core {
struct AlarmLimits;
}
namespace serial {
struct Next;
struct Answer;
class SerialLine;
class TransactionQueue;
}  // namespace serial

namespace meter {

class Readout;

// The display poll: each tick of Timer1 (every 0.5 s once started) asks the meter for its
// display frame, decodes it into the readout's reading and renders its display, then the
// annunciators and the limit alarm. A tick is one chain of transactions on the line (write " ",
// 0.2 s, 9 bytes; 0.01 s; render; 0.2 s; annunciators and alarm); it is skipped when the line is
// not free. Ten unanswered polls in one tick enter the lost-link state: from then on the meter is
// probed every 0.2 s, each probe a transaction of its own, until it answers again.
class DisplayPoll : public QObject {
    Q_OBJECT
  public:
    // Writes `readout`; asks on `queue`, which runs on `line` (re-opened while the link is lost).
    // `alarmLimits` (the session's) are applied to every frame; an alarm whose unit the meter no
    // longer shows is switched off there.
    DisplayPoll(serial::SerialLine& line, serial::TransactionQueue& queue, Readout& readout,
                core::AlarmLimits& alarmLimits, QObject* parent = nullptr);

    // Starts Timer1; stop() stops it.
    void start();
    void stop();
    QTimer* timer1() { return &timer1_; }

    // One tick of Timer1. Starts the tick's transaction and returns at once.
    void Timer1_Timer();

    bool inLostLink() const;
    // Timer1 ticks, completed ticks and failed poll attempts since this poll was made.
    int timerTicks() const { return timerTicks_; }
    int ticks() const { return ticks_; }
    int failedAttempts() const { return failedAttempts_; }

  private:
    // `askedAt`: the Timer1 tick current when the poll or probe was submitted; every frame it
    // writes goes out in or after that tick.
    serial::Next afterPoll(const serial::Answer& answer, int askedAt);
    serial::Next afterProbe(const serial::Answer& answer, int askedAt);
    // The rest of a tick once a frame is in: render, then annunciators and alarm.
    // The frame counts for the tick it was asked in, not the tick it arrived in: a late answer
    // that arrives after the next tick began is one tick older than it looks.
    serial::Next renderFrame(const core::DisplayFrame& frame, bool restoresLink, int askedAt);
    void HandleLostLink();
    void scheduleProbe();
    void reopenLineIfClosed();

    serial::SerialLine& line_;
    serial::TransactionQueue& queue_;
    Readout& readout_;
    QTimer timer1_;
    core::AlarmLimits& alarmLimits_;
    int timerTicks_ = 0;
    int ticks_ = 0;
    int failedAttempts_ = 0;
    QDeadlineTimer nextReopen_;
};

}  // namespace meter
