// Saves a picture of the front panel showing the simulated meter: panel_screenshot OUT.png
// [pH|mV]. Used for the README; runs on any Qt platform (offscreen too).
#include <QApplication>
#include <QTest>

#include "link/port_names.h"
#include "link/qt_serial_line.h"
#include "link/rs232.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "sim/meter_sim.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: panel_screenshot OUT.png [pH|mV]\n");
        return 2;
    }
    sim::MeterSim meter;
    if (!meter.start()) return 1;
    const bool mv = argc > 2 && QString(argv[2]) == "mV";
    meter.withModel([mv](sim::MeterModel& m) {
        if (mv) m.setMainUnit(sim::MainUnit::Mv);
        return 0;
    });
    serial::setDeviceForPort(1, QString::fromStdString(meter.devicePath()));
    Rs232::CommPortNumber = 1;
    Rs232::setQuitAction([] {});
    auto* panel = new panel::Panel(new serial::QtSerialLine);
    panel->show();
    if (!panel->Form_Load()) return 1;
    QTest::qWaitFor([&] { return panel->displayPoll()->ticks() >= 4; }, 10000);
    const bool saved = panel->grab().save(argv[1]);
    panel->close();
    meter.stop();
    return saved ? 0 : 1;
}
