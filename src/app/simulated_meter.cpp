#include "app/simulated_meter.h"

#include <QDateTime>

#include "link/port_names.h"

namespace app {

std::unique_ptr<sim::MeterSim> StartSimulatedMeter(const sim::MeterSim::Options& options,
                                                   QString* error) {
    auto meter = std::make_unique<sim::MeterSim>(options);
    if (!meter->start()) {
        if (error)
            *error = QStringLiteral("The simulated meter could not start: %1")
                         .arg(QString::fromStdString(meter->errorString()));
        return nullptr;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const sim::DateTime clock{now.date().year(), now.date().month(),  now.date().day(),
                              now.time().hour(), now.time().minute(), now.time().second()};
    meter->withModel([&](sim::MeterModel& m) {
        m.setClock(clock, meter->now());
        return 0;
    });
    return meter;
}

std::shared_ptr<serial::SystemPortLister> PortsWithMeter(const sim::MeterSim& meter, int port) {
    auto ports = std::make_shared<serial::SystemPortLister>();
    ports->setComDevice(port, QString::fromStdString(meter.devicePath()));
    return ports;
}

}  // namespace app
