#include "app/subsystems.h"

#include <QPushButton>

#include "alarm/alarm_dialog.h"
#include "files/list_commands.h"
#include "panel/panel.h"

namespace app {

void connectSubsystems(panel::Panel* panel) {
    QObject::connect(panel->button("CmdPlist"), &QPushButton::clicked, panel,
                     [panel] { CmdPlist_Click(panel); });
    QObject::connect(panel->button("CmdPopen"), &QPushButton::clicked, panel,
                     [panel] { CmdPopen_Click(panel); });
    QObject::connect(panel, &panel::Panel::alarmRequested, panel,
                     [panel] { alarms::AlarmDialog::showDialog(panel); });
}

}  // namespace app
