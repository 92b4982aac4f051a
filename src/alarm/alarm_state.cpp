#include "alarm/alarm_state.h"

namespace Alarm {
core::AlarmLimits AlarmLimits;
void ResetAlarmLimits() { AlarmLimits = core::AlarmLimits{}; }
}  // namespace Alarm
