#include "alarm/alarm_state.h"

namespace alarms {

AlarmState State;

void ResetState() {
    State = AlarmState{};
}

}  // namespace alarms
