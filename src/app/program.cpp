#include "app/program.h"

#include <QCoreApplication>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "link/link_events.h"
#include "link/port_window.h"
#include "sim/demo_memory.h"
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
    demoMeter_ = StartSimulatedMeter({}, error);
    if (!demoMeter_) return false;
    // A new user sees the memory downloads at once: the demo meter holds stored records.
    demoMeter_->withModel([this](sim::MeterModel& m) {
        sim::fillDemoMemory(m, m.clock(demoMeter_->now()));
        return 0;
    });
    return true;
}

void Program::start() {
    auto* port = new serial::Port;
    QObject::connect(port, &serial::Port::portChosen, port,
                     [this](int number) { panel_ = StartPanel(number); });
    port->show();
}

}  // namespace app
