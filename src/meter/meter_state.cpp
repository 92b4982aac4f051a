#include "meter/meter_state.h"

namespace Meter {

ReadoutState State;

void ResetState() {
    State = ReadoutState{};
}

}  // namespace Meter
