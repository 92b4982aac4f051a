#include "alarm/alarm_state.h"

namespace Alarm {

AlarmState State;

void ResetState() {
    State = AlarmState{};
}

}  // namespace Alarm
