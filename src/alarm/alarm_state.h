#pragma once

#include "core/alarm_limits.h"

// The limit alarm's settings for the whole run; every program start begins at the defaults.
namespace alarms {

struct AlarmState {
    core::AlarmLimits AlarmLimits;
};

extern AlarmState State;
void ResetState();

}  // namespace alarms
