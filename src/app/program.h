#pragma once

#include <QPointer>
#include <memory>

#include "panel/panel.h"

namespace sim {
class MeterSim;
}

namespace app {

// The program's windows from the port choice on: shows Port, then Panel, and connects the
// panel's tool buttons to the subsystems that own them.
class Program {
public:
    Program();
    ~Program();

    // Starts the simulated meter on a pseudo-terminal and makes COM1 open it.
    bool startDemoMeter(QString* error);
    // Shows the Port window.
    void start();
    // The panel once the port is chosen (for tests).
    panel::Panel* panel() const { return panel_; }

private:
    void showPanel();

    std::unique_ptr<sim::MeterSim> demoMeter_;
    QPointer<panel::Panel> panel_;
};

}  // namespace app
