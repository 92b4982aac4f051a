#include "meter/meter_state.h"

namespace meter {

ReadoutState State;

void ResetState() {
    State = ReadoutState{};
}

}  // namespace meter
