#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "panel/panel.h"

namespace sim {
class MeterSim;
}

namespace app {

// The program from the port choice on: shows Port, then the panel on the chosen port.
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
    std::unique_ptr<sim::MeterSim> demoMeter_;
    QPointer<panel::Panel> panel_;
};

}  // namespace app
