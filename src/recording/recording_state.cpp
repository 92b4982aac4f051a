#include "recording/recording_state.h"

namespace recording {

RecordingState State;

void ResetState() {
    State = RecordingState{};
}

GraphTrace& TraceOf(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Ph:
            return State.PhGraph;
        case core::Quantity::Mv:
            return State.MvGraph;
        case core::Quantity::Temperature:
            break;
    }
    return State.TempGraph;
}

}  // namespace recording
