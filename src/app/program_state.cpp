#include "app/program_state.h"

#include "link/link_state.h"
#include "meter/meter_state.h"

namespace app {

void ResetProgramState() {
    serial::ResetState();
    meter::ResetState();
}

}  // namespace app
