#include "recording/recording_state.h"

namespace Recording {

bool IsRecording = false;
long RecordingCount = 0;

namespace {
void (*stopHandler)() = nullptr;
void (*closeFileHandler)() = nullptr;
}  // namespace

void setStopHandler(void (*handler)()) { stopHandler = handler; }
void setCloseFileHandler(void (*handler)()) { closeFileHandler = handler; }

void StopRecording() {
    if (!IsRecording) return;
    IsRecording = false;
    RecordingCount = 0;
    if (closeFileHandler) closeFileHandler();
    if (stopHandler) stopHandler();
}

}  // namespace Recording
