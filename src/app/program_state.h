#pragma once

namespace app {

// Sets the state of every module back to its start values: the link, the readout, the alarm
// limits, the data files and lists, the recording, the meter's memory. The panel's start-up and
// every test fixture begin with it.
void ResetProgramState();

}  // namespace app
