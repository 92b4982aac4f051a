#pragma once

namespace app {

// Sets the state of every module back to its start values: the link, the readout, the alarm
// limits, the meter's memory (a session owns the files and the recording). The start-up and
// every test fixture begin with it.
void ResetProgramState();

}  // namespace app
