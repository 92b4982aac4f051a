#pragma once

#include <QString>
#include <memory>

#include "link/port_lister.h"
#include "sim/meter_sim.h"

namespace app {

// A simulated meter served on a pseudo-terminal, with its clock at the PC's time: the program's
// --demo, the benchmarks, the screenshot tool and the tests use it. Null with the reason in
// `error` when it could not start.
std::unique_ptr<sim::MeterSim> StartSimulatedMeter(const sim::MeterSim::Options& options,
                                                   QString* error = nullptr);

// The system's ports, with COM`port` opening `meter`'s pseudo-terminal (or the link the meter
// was given).
std::shared_ptr<serial::SystemPortLister> PortsWithMeter(const sim::MeterSim& meter, int port = 1);

}  // namespace app
