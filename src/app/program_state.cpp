#include "app/program_state.h"

#include "alarm/alarm_state.h"
#include "files/files_state.h"
#include "link/link_state.h"
#include "memory/memory_state.h"
#include "meter/meter_state.h"
#include "plots/plots_state.h"
#include "recording/recording_state.h"

namespace app {

void ResetProgramState() {
    Rs232::ResetState();
    Meter::ResetState();
    Alarm::ResetState();
    FileTransfer::ResetState();
    Recording::ResetState();
    Memory::ResetState();
    Plots::ResetState();
}

}  // namespace app
