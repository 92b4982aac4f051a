#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/session.h"

namespace serial {
class PortLister;
}

namespace app {

// Starts the panel as the Port window's choice does: a new session (every part at its start
// values), its panel made and wired to the subsystems, the start-up run before it is shown, then
// shown. The port is COMn for `number` 1 to 8, else the device `device` (a path or stable name);
// `lister` lets the line find a re-plugged adapter (null: the system's ports). Returns the
// session, or null when the start-up failed (the user has seen the message). `ended` is called
// when the session ends (Session::ended), also when the start-up fails.
std::unique_ptr<Session> StartPanel(int number, const QString& device = {},
                                    std::shared_ptr<const serial::PortLister> lister = nullptr,
                                    std::function<void()> ended = {});

}  // namespace app
