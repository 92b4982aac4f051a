#include "link/link_state.h"

namespace Rs232 {

LinkState State;

void ResetState() {
    State = LinkState{};
}

}  // namespace Rs232
