#include "app/program.h"

#include <QCoreApplication>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "link/link_events.h"
#include "link/port_window.h"
#include "sim/meter_sim.h"

namespace app {

Program::Program() {
    QObject::connect(&Rs232::events(), &Rs232::LinkEvents::shutdownRequested,
                     QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

Program::~Program() {
    if (demoMeter_) demoMeter_->stop();
}

bool Program::startDemoMeter(QString* error) {
    sim::MeterSim::Options options;
    demoMeter_ = StartSimulatedMeter(options, error);
    return demoMeter_ != nullptr;
}

void Program::start() {
    auto* port = new serial::Port;
    QObject::connect(port, &serial::Port::portChosen, port,
                     [this](int number) { panel_ = StartPanel(number); });
    port->show();
}

}  // namespace app
