#include "memory/memory_state.h"

namespace Memory {

MemoryState State;

void ResetState() {
    State = MemoryState{};
}

}  // namespace Memory
