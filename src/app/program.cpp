#include "app/program.h"

#include <QPushButton>

#include "link/port_names.h"
#include "link/port_window.h"
#include "link/qt_serial_line.h"
#include "panel/panel.h"
#include "sim/meter_sim.h"
#include "app/subsystems.h"

namespace app {

Program::Program() = default;

Program::~Program() {
    if (demoMeter_) demoMeter_->stop();
}

bool Program::startDemoMeter(QString* error) {
    sim::MeterSim::Options options;
    demoMeter_ = std::make_unique<sim::MeterSim>(options);
    if (!demoMeter_->start()) {
        if (error) *error = QStringLiteral("The simulated meter could not start.");
        demoMeter_.reset();
        return false;
    }
    serial::setDeviceForPort(1, QString::fromStdString(demoMeter_->devicePath()));
    return true;
}

void Program::start() {
    auto* port = new serial::Port([this] { showPanel(); });
    port->show();
}

void Program::showPanel() {
    panel_ = new panel::Panel(new serial::QtSerialLine);
    connectSubsystems(panel_);
    panel_->show();
    panel_->Form_Load();
}

}  // namespace app
