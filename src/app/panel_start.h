#pragma once

#include <QString>
#include <memory>

namespace panel {
class Panel;
}
namespace serial {
class PortLister;
}

namespace app {

// Starts the panel as the Port window's choice does: every module's state back to its start
// values, the panel made and wired to the subsystems, its start-up run before it is shown, then
// shown. The port is COMn for `number` 1 to 8, else the device `device` (a path or stable name);
// `lister` lets the line find a re-plugged adapter (null: the system's ports). Returns the panel,
// or null when the start-up failed (the user has seen the message; the link has announced the
// end, see serial::RequestShutdown).
panel::Panel* StartPanel(int number, const QString& device = {},
                         std::shared_ptr<const serial::PortLister> lister = nullptr);

}  // namespace app
