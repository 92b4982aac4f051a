#pragma once

// The recording to a data file and the sampling that feeds it, the live list and the live
// graphs.
namespace Recording {

struct RecordingState {
    // Lines written by the running recording; 0 while idle.
    long RecordingCount = 0;
};

extern RecordingState State;
void ResetState();

}  // namespace Recording
