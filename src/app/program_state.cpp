#include "app/program_state.h"

#include "files/files_state.h"
#include "link/link_state.h"
#include "meter/meter_state.h"
#include "recording/recording_state.h"

namespace app {

void ResetProgramState() {
    serial::ResetState();
    meter::ResetState();
    files::ResetState();
    recording::ResetState();
}

}  // namespace app
