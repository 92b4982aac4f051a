#include "link/link_state.h"

namespace serial {

LinkState State;

void ResetState() {
    State = LinkState{};
}

}  // namespace serial
