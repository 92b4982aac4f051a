#pragma once

#include <QPointer>

#include "core/alarm_limits.h"

class QWidget;

// Lower-case module namespace; plain "alarm" would collide with the C library's alarm() that
// Qt's headers bring in.
namespace serial {
class TransactionQueue;
}

namespace alarms {

class AlarmDialog;

// The limit alarm's settings and the one Alarm window. One per session: every session begins at
// the defaults. The display poll reads AlarmLimits on every tick.
class Alarm {
  public:
    // The window's unit keys go to the meter on `queue`.
    explicit Alarm(serial::TransactionQueue& queue) : queue_(queue) {}
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;
    // An open window goes with the session.
    ~Alarm();

    core::AlarmLimits AlarmLimits;

    // The open Alarm window, or null.
    AlarmDialog* find() const;
    // Shows the one Alarm window (modeless, deleted on close), creating it over `panel` the
    // first time and raising it when it is already open. Returns it. It stays open when the
    // link to the meter is lost.
    AlarmDialog* show(QWidget* panel);
    serial::TransactionQueue& queue() const { return queue_; }

  private:
  private:
    serial::TransactionQueue& queue_;
    QPointer<AlarmDialog> dialog_;
};

}  // namespace alarms
