#include "app/program.h"

#include <QGuiApplication>
#include <QTimer>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "link/port_lister.h"
#include "link/port_window.h"
#include "recording/recorder.h"
#include "sim/demo_memory.h"
#include "sim/meter_sim.h"

namespace app {

Program::Program(std::shared_ptr<serial::PortLister> lister)
    : lister_(lister ? std::move(lister) : std::make_shared<serial::SystemPortLister>()) {
    // The program ends when it says so: between the Port window and the panel no window may be
    // open (the port-failure message has closed, the Port window is about to come back).
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        gui->setQuitOnLastWindowClosed(false);
}

Program::~Program() {
    if (demoMeter_) demoMeter_->stop();
}

bool Program::startDemoMeter(QString* error) {
    demoMeter_ = StartSimulatedMeter({}, error);
    if (!demoMeter_) return false;
    lister_->setComDevice(1, QString::fromStdString(demoMeter_->devicePath()));
    // A new user sees the memory downloads at once: the demo meter holds stored records.
    demoMeter_->withModel([this](sim::MeterModel& m) {
        sim::fillDemoMemory(m, m.clock(demoMeter_->now()));
        return 0;
    });
    return true;
}

void Program::start() {
    auto* port = new serial::Port(nullptr, lister_);
    port_ = port;
    if (!lastChoice_.isEmpty()) port->preselect(lastChoice_);
    QObject::connect(port, &serial::Port::portChosen, &context_, [this](int number) {
        startPanel(number, {}, QStringLiteral("COM%1").arg(number));
    });
    QObject::connect(port, &serial::Port::deviceChosen, &context_,
                     [this](const QString& device) { startPanel(0, device, device); });
    QObject::connect(port, &QDialog::rejected, &context_, [] { QCoreApplication::quit(); });
    port->show();
}

void Program::startPanel(int number, const QString& device, const QString& choice) {
    lastChoice_ = choice;
    // A start-up that fails announces the end after its message: the Port window comes back.
    backToPortChoice_ = true;
    session_ = StartPanel(number, device, lister_, [this] {
        // Told from the panel's closing: the session goes once that handler has returned.
        QTimer::singleShot(0, &context_, [this] { onShutdown(); });
    });
    if (!session_) return;
    backToPortChoice_ = false;
    QObject::connect(session_->panel(), &panel::Panel::portChoiceRequested, &context_,
                     [this] { choosePortAgain(); });
}

void Program::choosePortAgain() {
    if (!panel()) return;
    // As "Stop Rec" would, before the panel and its recorder go.
    session_->recorder().StopRecording(core::RecordingStop::PortChoice);
    backToPortChoice_ = true;
    // Closing the panel closes the secondary windows and the port and announces the end.
    panel()->close();
}

void Program::onShutdown() {
    // The panel has closed: its session ends with it.
    session_.reset();
    if (!backToPortChoice_) {
        QCoreApplication::quit();
        return;
    }
    backToPortChoice_ = false;
    start();
}

}  // namespace app
