#include "app/panel_start.h"

#include "app/program_state.h"
#include "app/subsystems.h"
#include "link/link_state.h"
#include "link/port_lister.h"
#include "link/qt_serial_line.h"
#include "panel/panel.h"

namespace app {

panel::Panel* StartPanel(int number, const QString& device,
                         std::shared_ptr<const serial::PortLister> lister) {
    ResetProgramState();
    serial::State.CommPortNumber = number;
    auto* line = new serial::QtSerialLine(nullptr, std::move(lister));
    if (number == 0 && !device.isEmpty()) line->setPortDevice(device);
    auto* panel = new panel::Panel(line);
    connectSubsystems(panel);
    if (!panel->Form_Load()) {
        // The message has been shown; the panel was never visible.
        panel->deleteLater();
        return nullptr;
    }
    panel->show();
    return panel;
}

}  // namespace app
