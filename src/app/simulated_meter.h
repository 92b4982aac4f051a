#pragma once

#include <QString>
#include <memory>

#include "sim/meter_sim.h"

namespace app {

// A simulated meter served on a pseudo-terminal, with its clock at the PC's time, and COM`port`
// made to open it: the program's --demo, the benchmarks, the screenshot tool and the tests use
// it. Null with the reason in `error` when it could not start.
std::unique_ptr<sim::MeterSim> StartSimulatedMeter(const sim::MeterSim::Options& options,
                                                   QString* error = nullptr, int port = 1);

}  // namespace app
