#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "app/session.h"
#include "link/port_window.h"
#include "panel/panel.h"

namespace sim {
class MeterSim;
}

namespace app {

// The program from the port choice on: shows Port, then the panel on the chosen port. A port
// that does not open, and the panel's "Port…", bring the Port window back; Cancel in the Port
// window and closing the panel end the program.
class Program {
  public:
    // `lister` gives the ports the Port window lists and the line follows; null: the system's.
    // Its COMn devices are those the command line gave; --demo gives COM1 the simulated meter.
    explicit Program(std::shared_ptr<serial::PortLister> lister = nullptr);
    ~Program();

    // Starts the simulated meter on a pseudo-terminal and makes COM1 open it.
    bool startDemoMeter(QString* error);
    // Shows the Port window.
    void start();
    // The panel once the port is chosen (for tests).
    panel::Panel* panel() const { return session_ ? session_->panel() : nullptr; }
    // The session of the panel (for tests).
    Session* session() const { return session_.get(); }
    // The Port window while it is shown (for tests).
    serial::Port* portWindow() const { return port_; }

  private:
    void startPanel(int number, const QString& device, const QString& choice);
    void choosePortAgain();
    void onShutdown();

    std::shared_ptr<serial::PortLister> lister_;
    std::unique_ptr<sim::MeterSim> demoMeter_;
    std::unique_ptr<Session> session_;
    QPointer<serial::Port> port_;
    // The entry the user took last, offered again when the Port window comes back.
    QString lastChoice_;
    // The end announced next brings the Port window back instead of ending the program.
    bool backToPortChoice_ = false;
    // Owns the connections of this program's lifetime.
    QObject context_;
};

}  // namespace app
