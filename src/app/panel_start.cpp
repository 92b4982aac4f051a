#include "app/panel_start.h"

#include "app/program_state.h"
#include "app/subsystems.h"
#include "link/link_state.h"
#include "link/qt_serial_line.h"
#include "panel/panel.h"

namespace app {

panel::Panel* StartPanel(int number) {
    ResetProgramState();
    Rs232::State.CommPortNumber = number;
    auto* panel = new panel::Panel(new serial::QtSerialLine);
    connectSubsystems(panel);
    if (!panel->Form_Load()) {
        // The message has been shown and the program is ending; the panel was never visible.
        panel->deleteLater();
        return nullptr;
    }
    panel->show();
    return panel;
}

}  // namespace app
