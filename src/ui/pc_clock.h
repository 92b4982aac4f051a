#pragma once

#include <QDateTime>
#include <functional>

namespace ui {

// The PC's date and time as the program reads it for the clock setting, recorded samples and
// graph times. Tests install a clock of their own; nullptr restores the system clock.
QDateTime pcNow();
void setPcClock(std::function<QDateTime()> clock);

}  // namespace ui
