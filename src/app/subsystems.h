#pragma once

namespace panel {
class Panel;
}

namespace app {

// Connects the panel's tool buttons to the windows of the subsystems that own them.
void connectSubsystems(panel::Panel* panel);

}  // namespace app
