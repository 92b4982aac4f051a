#pragma once

#include <QString>

// State of the recording to a data file, shared by the front panel and the list windows.
namespace Recording {

// Set while a recording runs; its data file stays open meanwhile.
extern bool IsRecording;
// Samples written in this recording; 0 again when it stops.
extern long RecordingCount;

// Ends a running recording: clears IsRecording, closes its file, restores the panel's
// "Save As" caption and hides the recording labels. Does nothing when none runs.
void StopRecording();

}  // namespace Recording

namespace Recording {
// Called by StopRecording after the state is cleared, so the front panel can restore its captions.
void setStopHandler(void (*handler)());
// Closes the recording file (set by the recording while it runs).
void setCloseFileHandler(void (*handler)());
}  // namespace Recording
