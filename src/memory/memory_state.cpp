#include "memory/memory_state.h"

namespace memory {

MemoryState State;

void ResetState() {
    State = MemoryState{};
}

}  // namespace memory
