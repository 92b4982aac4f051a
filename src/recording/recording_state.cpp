#include "recording/recording_state.h"

namespace Recording {

RecordingState State;

void ResetState() {
    State = RecordingState{};
}

}  // namespace Recording
