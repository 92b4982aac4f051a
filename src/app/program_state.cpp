#include "app/program_state.h"

#include "alarm/alarm_state.h"
#include "link/link_state.h"
#include "memory/memory_state.h"
#include "meter/meter_state.h"
#include "plots/plots_state.h"

namespace app {

void ResetProgramState() {
    serial::ResetState();
    meter::ResetState();
    alarms::ResetState();
    memory::ResetState();
    plots::ResetState();
}

}  // namespace app
