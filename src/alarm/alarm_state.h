#pragma once

#include "core/alarm_limits.h"

// The limit alarm's settings for the whole run; every program start begins at the defaults.
namespace Alarm {
extern core::AlarmLimits AlarmLimits;
// Back to the start values (the panel's start-up).
void ResetAlarmLimits();
}  // namespace Alarm
